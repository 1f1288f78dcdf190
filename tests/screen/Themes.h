#pragma once

// A dark desktop theme, and the desktop's palette changed for the length of a scope.

#include <QApplication>
#include <QColor>
#include <QPalette>

inline QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    return dark;
}

// The desktop's palette for the length of a test.
class ScopedPalette {
public:
    explicit ScopedPalette(const QPalette& palette) : m_saved(QApplication::palette()) {
        QApplication::setPalette(palette);
        QApplication::processEvents();
    }
    ~ScopedPalette() {
        QApplication::setPalette(m_saved);
        QApplication::processEvents();
    }

private:
    QPalette m_saved;
};

#pragma once

// Taps on the digit strip of a game screen at its default size, 240 x 268: eleven cells of 20
// pixels from x = 10, the strip's top at y = 233. Cells 0 to 9 are the digits, 10 deletes.
// A tap is a press of the left mouse button, or a finger of Qt's test touch screen.

#include "platform/graphics/ViewScale.h"

#include <QPoint>
#include <QPointingDevice>
#include <QString>
#include <QTest>
#include <QWidget>

inline QPoint StripCellCentre(int cell) {
    return {10 + cell * 20 + 10, 233 + 12};
}

// The middle of the widget's pixels that show the layout's pixel at the point, enlarged or not.
inline QPoint ShownAt(const platform::ViewScale& scale, QPoint layout) {
    return {static_cast<int>(scale.OffsetX() + (layout.x() + 0.5) * scale.Factor()),
            static_cast<int>(scale.OffsetY() + (layout.y() + 0.5) * scale.Factor())};
}

inline void TapStripCell(QWidget* view, int cell) {
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, StripCellCentre(cell));
}

inline void TapStripDigits(QWidget* view, const QString& digits) {
    for (QChar digit : digits) {
        TapStripCell(view, digit.digitValue());
    }
}

// The touch screen of the tests. Made once: Qt keeps every device registered until it quits.
inline QPointingDevice* TestTouchScreen() {
    static QPointingDevice* const device = QTest::createTouchDevice();
    return device;
}

// One finger down at a point of the widget and up again where it came down, as the window
// system delivers it.
inline void TouchTap(QWidget* widget, QPoint at) {
    QTest::touchEvent(widget, TestTouchScreen()).press(0, at, widget);
    QTest::touchEvent(widget, TestTouchScreen()).release(0, at, widget);
}

inline void TouchStripCell(QWidget* view, int cell) {
    TouchTap(view, StripCellCentre(cell));
}

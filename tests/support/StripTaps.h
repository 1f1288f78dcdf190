#pragma once

// Taps on the digit strip of a game screen at its default size, 240 x 268: eleven cells of 20
// pixels from x = 10, the strip's top at y = 233. Cells 0 to 9 are the digits, 10 deletes.

#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>

inline QPoint StripCellCentre(int cell) {
    return {10 + cell * 20 + 10, 233 + 12};
}

inline void TapStripCell(QWidget* view, int cell) {
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, StripCellCentre(cell));
}

inline void TapStripDigits(QWidget* view, const QString& digits) {
    for (QChar digit : digits) {
        TapStripCell(view, digit.digitValue());
    }
}

#include "platform/graphics/Palette.h"

#include <QImage>
#include <QPalette>

#include <algorithm>

namespace platform {

QColor ViewTextColour(const QPalette& palette) {
    return palette.color(QPalette::Text);
}

QColor ViewBackgroundColour(const QPalette& palette) {
    return palette.color(QPalette::Base);
}

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

QImage InkedForDarkBar(const QImage& image, const QColor& ink) {
    // Ink is dark and without colour of its own: black, the greys of soft edges.
    constexpr int kDarkest = 0x60;
    constexpr int kGreyTolerance = 0x20;
    QImage inked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < inked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(inked.scanLine(y));
        for (int x = 0; x < inked.width(); ++x) {
            const QRgb pixel = line[x];
            const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            if (qAlpha(pixel) == 0 || high >= kDarkest || high - low > kGreyTolerance) {
                continue;
            }
            line[x] = qRgba(ink.red(), ink.green(), ink.blue(), qAlpha(pixel));
        }
    }
    return inked;
}

}  // namespace platform

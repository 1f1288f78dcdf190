#include "platform/graphics/Palette.h"

#include <QImage>
#include <QPalette>

#include <algorithm>
#include <cmath>

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

namespace {

double RelativeLuminance(const QColor& colour) {
    auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

QColor Mixed(const QColor& from, const QColor& to, double share) {
    auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

// How far apart two colours stand for the eye, from 1 (not at all) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

QImage OutlinedForBar(const QImage& image, const QColor& bar, const QColor& ink) {
    // A little above 3:1, so that the pixel keeps it once drawn over the bar.
    constexpr double kLeast = 3.1;
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage outlined = source;
    // The picture's edge runs where it covers half a pixel; a smooth edge's fainter fringe
    // lies outside it and stays as it is.
    constexpr int kHalfCovered = 128;
    auto meetsBar = [&source](int x, int y) {
        return !source.rect().contains(x, y) || qAlpha(source.pixel(x, y)) < kHalfCovered;
    };
    for (int y = 0; y < source.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(outlined.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha < kHalfCovered || !(meetsBar(x - 1, y) || meetsBar(x + 1, y) ||
                                          meetsBar(x, y - 1) || meetsBar(x, y + 1))) {
                continue;
            }
            const QColor colour = QColor::fromRgb(pixel);
            auto shown = [&](const QColor& drawn) {
                return ContrastRatio(Mixed(bar, drawn, alpha / 255.0), bar);
            };
            if (shown(colour) >= kLeast) {
                continue;
            }
            // The least share of ink that makes the pixel stand out, or all of it.
            double low = 0.0;
            double high = 1.0;
            if (shown(ink) >= kLeast) {
                for (int step = 0; step < 12; ++step) {
                    const double middle = (low + high) / 2;
                    (shown(Mixed(colour, ink, middle)) >= kLeast ? high : low) = middle;
                }
            }
            const QColor moved = Mixed(colour, ink, high);
            line[x] = qRgba(moved.red(), moved.green(), moved.blue(), alpha);
        }
    }
    return outlined;
}

}  // namespace platform

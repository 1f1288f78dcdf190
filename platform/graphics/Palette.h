#pragma once

// The colours the program draws in, taken from the desktop's palette, so that a dark theme
// reads as well as a light one.

#include <QColor>

class QImage;
class QPalette;

namespace platform {

// A view's contents: its text and the background it is erased with. Black on white under a
// light theme; the theme's own light text on its dark base under a dark one.
QColor ViewTextColour(const QPalette& palette);
QColor ViewBackgroundColour(const QPalette& palette);

// Whether the palette draws light text on dark windows.
bool IsDarkPalette(const QPalette& palette);

// A button image for a dark bar: its black and dark grey ink, the lines that carry the
// picture, takes the colour given; colours and transparency stay.
QImage InkedForDarkBar(const QImage& image, const QColor& ink);

// A button image whose outline stands out from the bar it sits on: every pixel at the
// picture's outer edge that shows less than 3:1 against the bar is moved toward the ink just
// far enough to reach it, so its hue stays. Pixels that already stand out, and those inside
// the picture, stay as they are.
QImage OutlinedForBar(const QImage& image, const QColor& bar, const QColor& ink);

}  // namespace platform

#pragma once

#include <QRect>
#include <QString>

class QPainter;

namespace platform {

// Qt keeps rendered glyphs only up to 64 pixels; larger text is filled from its outlines on
// every paint, which makes the game's large result line the dearest thing on its screen. A
// line at such a size is drawn once into an image kept here and copied on later paints, with
// the very pixels the painter would have drawn itself.
//
// Draws the text as painter.drawText(box, flags, text, drawn) would, clipped to the box, and
// returns true; returns false, having drawn nothing, where a copied image could differ from
// the painter's own drawing (a painter that scales, rotates or shifts by part of a pixel, a
// brush that is not one colour, small text that Qt's glyph cache already serves).
bool DrawCachedText(QPainter& painter, const QRect& box, int flags, const QString& text,
                    QRect* drawn);

// Forgets every kept line.
void ClearCachedTexts();

}  // namespace platform

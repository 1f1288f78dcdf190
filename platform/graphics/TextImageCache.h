#pragma once

#include <QGuiApplication>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;

namespace platform {

// Qt keeps rendered glyphs only up to 64 pixels; larger text is filled from its outlines on
// every paint, which makes one large line dearer than all the rest of a screen. A line at
// such a size is drawn once into an image kept here and copied on later paints, with the very
// pixels the painter would have drawn itself.
//
// Draws the text as painter.drawText(box, flags, text, drawn) would, clipped to the box, and
// returns true; returns false, having drawn nothing, where a copied image could differ from
// the painter's own drawing (a painter that scales beyond the device's pixel ratio, rotates
// or shifts by part of a pixel, a brush that is not one colour) or where it gains nothing
// (text small enough for Qt's glyph cache).
bool DrawCachedText(QPainter& painter, const QRect& box, int flags, const QString& text,
                    QRect* drawn);

// What a font resolves to stays the same while the installed fonts and the application object
// do. A cache of font results calls Check() before each use; forget empties it whenever that
// may have changed. Only the user-interface thread uses fonts.
class FontChangeWatch {
public:
    explicit FontChangeWatch(std::function<void()> forget) : m_forget(std::move(forget)) {}
    void Check();

private:
    std::function<void()> m_forget;
    QPointer<QGuiApplication> m_watched;
};

}  // namespace platform

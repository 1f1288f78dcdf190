#pragma once

// How a view's fixed layout sits in a widget of another size. While the widget is not larger
// than the layout in both directions, the layout is the widget itself, drawn as it is. Once it
// is larger, the layout keeps its own size and is drawn scaled by one factor, the largest that
// keeps it inside the widget, centred on whole pixels.

#include "platform/core/Types.h"

namespace platform {

class ViewScale {
public:
    // No layout of its own: the client area is the widget.
    ViewScale() = default;
    ViewScale(int layoutWidth, int layoutHeight, int widgetWidth, int widgetHeight);

    bool IsIdentity() const { return m_factor == 1.0 && m_offsetX == 0 && m_offsetY == 0; }
    double Factor() const { return m_factor; }
    int OffsetX() const { return m_offsetX; }
    int OffsetY() const { return m_offsetY; }

    // The client size the layout sees.
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }

    // The client pixel shown on the widget pixel at a position.
    Point ToClient(double x, double y) const;
    // The widget pixels that show a client rectangle, with one pixel more around when scaled,
    // for the soft edges of scaled text.
    Rect ToWidget(const Rect& client) const;

private:
    double m_factor = 1.0;
    int m_offsetX = 0;
    int m_offsetY = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
};

}  // namespace platform

#pragma once

// Rectangles between Qt and the platform: Qt's carry a width, ours an exclusive right and
// bottom edge.

#include "platform/core/Types.h"
#include "platform/graphics/Screen.h"

#include <QRect>
#include <QSize>

namespace platform {

inline Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

// A window's size, no larger than the screen's work area: a phone's screen is narrower than
// the size a desktop window starts at.
inline QSize WithinWorkArea(const QSize& wanted) {
    const Rect area = GetWorkArea();
    if (area.Width() <= 0 || area.Height() <= 0) {
        return wanted;
    }
    return wanted.boundedTo(QSize(area.Width(), area.Height()));
}

}  // namespace platform

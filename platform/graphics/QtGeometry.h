#pragma once

// Rectangles between Qt and the platform: Qt's carry a width, ours an exclusive right and
// bottom edge.

#include "platform/core/Types.h"

#include <QRect>

namespace platform {

inline Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace platform

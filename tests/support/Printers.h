#pragma once

// Readable failures for the value types the program's tests compare: texts and rectangles.

#include "platform/core/Types.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace platform {

inline void PrintTo(const Rect& rect, std::ostream* os) {
    *os << '(' << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ')';
}

}  // namespace platform

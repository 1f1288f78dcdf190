#pragma once

// Plain value types shared by the whole platform layer: points, rectangles and the
// parameters of window messages, in the program's own pixel coordinates.

#include <cstdint>

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using MessageResult = std::intptr_t;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive, as on the handheld: width = right - left.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform

#pragma once

// The millisecond tick count: a steady clock, counting from an arbitrary start.

#include <cstdint>
#include <functional>

namespace platform {

std::uint32_t GetTickCount();

// Test seam: while set, GetTickCount answers from the source instead of the clock.
void SetTickSource(std::function<std::uint32_t()> source);

}  // namespace platform

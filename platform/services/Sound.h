#pragma once

// System sounds through libcanberra and the freedesktop sound theme. The library is loaded
// at the first sound, and sounds play on a thread of their own: asking for one costs the
// caller nothing but handing it over.

#include <functional>

namespace platform {

// 16: the stop (error) sound; 0: the default sound. A failure to play is silent.
void MessageBeep(unsigned type);

// Test seam: every requested sound is reported, whether or not it could be played.
void SetSoundObserver(std::function<void(unsigned type)> observer);

}  // namespace platform

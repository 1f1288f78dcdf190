#pragma once

// The screen the program runs on: its size and the work area that windows may use, and the
// listeners told when that area changes (dialogs turn the change into message 26).
// GetSystemMetrics, GetWorkArea and the test override are declared in Window.h.

#include "platform/Types.h"

#include <functional>

namespace platform {

// The whole screen in screen coordinates (the override's while one is set).
Rect GetScreenRect();

// Calls the listener whenever the primary screen's available area changes, or the test
// override changes the work area. Answers a handle for RemoveWorkAreaListener.
int AddWorkAreaListener(std::function<void()> listener);
void RemoveWorkAreaListener(int handle);

}  // namespace platform

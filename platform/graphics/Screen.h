#pragma once

// The screen the program runs on: its size and the work area that windows may use, and the
// listeners told when that area changes (dialogs turn the change into message 26).

#include "platform/core/Types.h"

#include <functional>

namespace platform {

// The whole screen in screen coordinates (the override's while one is set).
Rect GetScreenRect();
// The screen's area that windows may use (without panels), in screen coordinates.
Rect GetWorkArea();
// System metrics: kSmCyScreen gives the screen height in pixels.
int GetSystemMetrics(int index);

// Whether the program may place its windows on the screen and read back where they are. A
// Wayland compositor places them itself and tells no one where: there a window's place is
// neither kept nor restored.
bool CanPlaceWindows();
// Test seam: while set, the answer of CanPlaceWindows instead of the platform's.
void SetCanPlaceWindowsOverride(bool canPlace);

// Test seam: while set, the screen and its work area are these rectangles instead of the
// primary screen's. Changing the work area delivers message 26 to the open dialogs.
void SetScreenOverride(const Rect& screen, const Rect& workArea);
void ClearScreenOverride();

// Calls the listener whenever the primary screen's available area changes, or the test
// override changes the work area. Answers a handle for RemoveWorkAreaListener.
int AddWorkAreaListener(std::function<void()> listener);
void RemoveWorkAreaListener(int handle);

}  // namespace platform

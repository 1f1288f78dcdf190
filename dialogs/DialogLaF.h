#pragma once

// How every dialog of the program presents itself: full screen or at its template's size, the
// Done button in its title area, no close box, and the Cancel button of the settings dialogs
// brought into view at the bottom.

namespace platform {
class Dialog;
class Window;
}  // namespace platform

// First step of a dialog's initialisation handler, before the framework's own initialisation
// reads the full-screen flag.
void InitDialogLaF(platform::Dialog* pDlg, bool bNoFullScreen, bool bDoneButton, bool bSysMenu);

// Last step of a settings dialog's initialisation handler, once the dialog has its final size:
// moves the Cancel button parked below the dialog into view, centred at the bottom, or hides it.
void PlaceCancelButton(platform::Dialog* pDlg, platform::Window* pButton, bool bHide);

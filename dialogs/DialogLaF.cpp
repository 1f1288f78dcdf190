#include "dialogs/DialogLaF.h"

#include "platform/core/Messages.h"
#include "platform/dialogs/Dialog.h"
#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"

#include <algorithm>

void InitDialogLaF(platform::Dialog* pDlg, bool bNoFullScreen, bool bDoneButton, bool bSysMenu) {
    if (bNoFullScreen) {
        pDlg->SetFullScreen(false);
    }
    pDlg->SetDoneButtonState(bDoneButton ? platform::kDoneButtonShow : platform::kDoneButtonHide);
    if (bSysMenu) {
        pDlg->ModifyStyle(0, platform::kWsSysMenu);
    } else {
        pDlg->ModifyStyle(platform::kWsSysMenu, 0);
    }
    if (bNoFullScreen) {
        pDlg->CenterWindow();
    }
}

void PlaceCancelButton(platform::Dialog* pDlg, platform::Window* pButton, bool bHide) {
    if (bHide) {
        pButton->ShowWindow(platform::kSwHide);
        return;
    }

    const platform::Rect button = pButton->GetWindowRect();
    const platform::Rect dialog = pDlg->GetWindowRect();
    const int bw = button.right - button.left;
    const int bh = button.bottom - button.top;
    const int dw = dialog.right - dialog.left;

    const int x = (dw - bw) / 2;
    int y = 0;
    if (pDlg->IsFullScreen()) {
        // A full-screen dialog keeps its size; the button goes to the bottom of the client
        // area, corrected by the dialog's distances from the screen's top and bottom edges.
        const platform::Rect client = pDlg->GetClientRect();
        const int screenHeight = platform::GetSystemMetrics(platform::kSmCyScreen);
        y = (client.bottom - client.top) + dialog.top + dialog.bottom - screenHeight - bh - 5;
        // A desktop panel only at the screen's top would push the button below the dialog's
        // bottom edge, out of reach: it never goes lower than 5 above the client's bottom.
        y = std::min(y, (client.bottom - client.top) - bh - 5);
    } else {
        // A dialog of template size grows by a strip for the button.
        pDlg->MoveWindow(dialog.left, dialog.top, dw, (dialog.bottom + bh + 10) - dialog.top);
        pDlg->CenterWindow();
        const platform::Rect client = pDlg->GetClientRect();
        y = client.bottom - bh - 5;
    }
    pButton->MoveWindow(x, y, bw, bh);
    pButton->ShowWindow(platform::kSwShow);
}

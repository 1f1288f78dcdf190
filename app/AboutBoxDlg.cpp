#include "app/AboutBoxDlg.h"

#include "app/MyDrunoApp.h"
#include "dialogs/DialogLaF.h"
#include "platform/core/Messages.h"
#include "res/Resource.h"

CAboutBoxDlg::CAboutBoxDlg(platform::Window* pParent) : platform::Dialog(IDD_ABOUTBOX, pParent) {}

bool CAboutBoxDlg::OnInitDialog() {
    InitDialogLaF(this, theApp.m_bNoFullScreenDlg, true, false);
    platform::Dialog::OnInitDialog();
    // Centred in either presentation; at template size this is the second centring.
    CenterWindow();
    return true;
}

platform::MessageResult CAboutBoxDlg::WindowProc(unsigned message, platform::WParam wParam,
                                                 platform::LParam lParam) {
    if (message == platform::kMsgSettingChange) {
        return 0;
    }
    return platform::Dialog::WindowProc(message, wParam, lParam);
}

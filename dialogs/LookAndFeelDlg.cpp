#include "dialogs/LookAndFeelDlg.h"

#include "dialogs/DialogLaF.h"
#include "platform/core/Messages.h"
#include "platform/dialogs/DataExchange.h"
#include "res/Resource.h"

CLookAndFeelDlg::CLookAndFeelDlg(int nLanguage, platform::Window* pParent)
    : platform::Dialog(IDD_LOOKANDFEEL, pParent), m_nLanguage(nLanguage) {}

void CLookAndFeelDlg::DoDataExchange(platform::DataExchange& dx) {
    platform::Dialog::DoDataExchange(dx);
    dx.Control(IDC_NO_FULL_SCREEN_DLG, m_chkNoFullScreenDlg);
    dx.Control(IDC_SHOW_CANCEL_BTN, m_chkShowCancelBtn);
    dx.Control(IDCANCEL_BUTTON, m_btnCancel);
    dx.Check(IDC_SHOW_CANCEL_BTN, m_bShowCancelBtn);
    dx.Check(IDC_NO_FULL_SCREEN_DLG, m_bNoFullScreenDlg);
}

bool CLookAndFeelDlg::OnInitDialog() {
    // The dialog's own copy still holds the setting's value here.
    InitDialogLaF(this, m_bNoFullScreenDlg != 0, true, false);
    platform::Dialog::OnInitDialog();
    // The template disables both boxes.
    m_chkShowCancelBtn.EnableWindow(true);
    m_chkNoFullScreenDlg.EnableWindow(true);
    if (m_nLanguage == kLanguageGerman) {
        m_chkShowCancelBtn.SetWindowText(QStringLiteral("A&bbruch-Taste zeigen"));
        m_chkNoFullScreenDlg.SetWindowText(QStringLiteral("Keine &Vollbild-Dialoge"));
        m_btnCancel.SetWindowText(QStringLiteral("&Abbruch"));
    }
    if (m_bShowCancelBtn != 0) {
        PlaceCancelButton(this, &m_btnCancel, false);
    }
    return true;
}

platform::MessageResult CLookAndFeelDlg::WindowProc(unsigned message, platform::WParam wParam,
                                                    platform::LParam lParam) {
    if (message == platform::kMsgSettingChange) {
        return 0;
    }
    return platform::Dialog::WindowProc(message, wParam, lParam);
}

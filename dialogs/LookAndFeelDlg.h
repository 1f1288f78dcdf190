#pragma once

// The Look & Feel dialog: the two switches for the presentation of dialogs. The value members
// are the dialog's own copies of the settings; the handler copies them in and out.

#include "platform/dialogs/Controls.h"
#include "platform/dialogs/Dialog.h"

class CLookAndFeelDlg : public platform::Dialog {
public:
    // Language 1 gives German labels; any other keeps the English ones.
    explicit CLookAndFeelDlg(int nLanguage, platform::Window* pParent = nullptr);

    int m_nLanguage;
    platform::Button m_chkNoFullScreenDlg;
    platform::Button m_chkShowCancelBtn;
    platform::Button m_btnCancel;
    int m_bShowCancelBtn = 0;  // check box states, full words
    int m_bNoFullScreenDlg = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    // A settings change (message 26) leaves the dialog as it is.
    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override;
};

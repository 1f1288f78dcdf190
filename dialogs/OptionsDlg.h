#pragma once

// The Options dialog: sound on or off and the two font sizes of the game screen. The value
// members are the dialog's own copies of the settings; the handler copies them in and out.

#include "platform/dialogs/Controls.h"
#include "platform/dialogs/Dialog.h"

class COptionsDlg : public platform::Dialog {
public:
    explicit COptionsDlg(platform::Window* pParent = nullptr);

    platform::Button m_btnCancel;
    platform::SpinButton m_spinFontSizeStatus;
    platform::SpinButton m_spinFontSize;
    int m_bSound = 0;  // check box state, a full word
    int m_nFontSize = 0;
    int m_nFontSizeStatus = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
};

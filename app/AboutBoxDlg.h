#pragma once

// The About box: the program's icon and version. The shell's Done button closes it.

#include "platform/dialogs/Dialog.h"

class CAboutBoxDlg : public platform::Dialog {
public:
    explicit CAboutBoxDlg(platform::Window* pParent = nullptr);

protected:
    bool OnInitDialog() override;
    // A settings change (message 26) leaves the box as it is.
    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override;
};

#pragma once

// The program's one application object. It holds the five user settings for the whole run:
// loaded once after the main window exists, saved once at exit.

#include "platform/Application.h"

class CMyDrunoApp : public platform::Application {
public:
    CMyDrunoApp();

    // true loads the five settings from the store, false writes them back.
    void RegInit(bool fRead);

    // The settings. The look-and-feel flags stay false until the settings are loaded.
    bool m_bShowCancelBtn = false;
    bool m_bNoFullScreenDlg = false;
    bool m_bSound = false;
    int m_nFontSize = 0;
    int m_nFontSizeStatus = 0;
};

// The application object, constructed during static initialisation.
extern CMyDrunoApp theApp;

#pragma once

// The program's one application object. It holds the five user settings and the level for the
// whole run:
// loaded once after the main window exists, saved once at exit. It also carries the About,
// Options and Look and Feel commands.

#include "platform/framework/Application.h"

class CMyDrunoApp : public platform::Application {
public:
    CMyDrunoApp();

    // Start-up: settings store, document template, the window from the command line, then
    // the settings and the first painting. False ends the program at once.
    bool InitInstance() override;
    // Saves the settings whatever changed, then the framework's own exit step. Settings that
    // could not be saved are reported once: in a box, or on the error stream when the program
    // is being ended from outside or has no display.
    int ExitInstance() override;

    // true loads the five settings, the level and the coach from the store, false writes them
    // back.
    void RegInit(bool fRead);

    // The language of the dialogs that carry their own German texts (statistics, Look & Feel):
    // kLanguageGerman while the program's texts are German, else kLanguageEnglish.
    static int GetLanguage();

    // Command handlers: Help/About, Options..., Look and Feel...
    void OnAbout();
    void OnOptions();
    void OnLookAndFeel();

    // The settings. The look-and-feel flags stay false until the settings are loaded.
    bool m_bShowCancelBtn = false;
    bool m_bNoFullScreenDlg = false;
    bool m_bSound = false;
    int m_nFontSize = 0;
    int m_nFontSizeStatus = 0;
    // The level of the next round, 1 to 3 (three to five digits), kept in its own section.
    int m_nLevel = 1;
    // The coach (Druno > Coach), off by default; kept beside the level.
    bool m_bCoach = false;

private:
    void RedrawGameScreen();
    void ReadLevel();
    void WriteLevel();
    void ReadCoach();
    void WriteCoach();
    void ReportSettingsNotSaved();

    bool m_bSettingsSaved = true;      // by the last RegInit(false)
    bool m_bSettingsReported = false;  // the player has been told they were not
};

// The application object, constructed during static initialisation.
extern CMyDrunoApp theApp;

#include "app/MyDrunoApp.h"

#include "app/AboutBoxDlg.h"
#include "app/MainFrame.h"
#include "dialogs/LookAndFeelDlg.h"
#include "dialogs/OptionsDlg.h"
#include "platform/core/Debug.h"
#include "platform/core/Messages.h"
#include "platform/framework/Frame.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/View.h"
#include "platform/framework/Window.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "platform/services/Translation.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "trace/TraceScope.h"

CMyDrunoApp theApp;

namespace {
const QString kRegistryKey = QStringLiteral("Brantel");
}  // namespace

CMyDrunoApp::CMyDrunoApp() : platform::Application(QStringLiteral("Druno")) {
    s_bDebugOutput = true;
    CTraceScope trace(QStringLiteral("CMyDrunoApp::CMyDrunoApp()"));
    m_bSound = true;
    m_nFontSize = 100;
    m_nFontSizeStatus = 16;

    AddCommand(ID_APP_ABOUT, &CMyDrunoApp::OnAbout);
    AddCommand(ID_OPTIONS, &CMyDrunoApp::OnOptions);
    AddCommand(ID_LOOK_AND_FEEL, &CMyDrunoApp::OnLookAndFeel);
    AddCommand<platform::Application>(ID_FILE_NEW, &platform::Application::OnFileNew);
    AddCommand<platform::Application>(ID_FILE_OPEN, &platform::Application::OnFileOpen);
}

bool CMyDrunoApp::InitInstance() {
    CTraceScope trace(QStringLiteral("CMyDrunoApp::InitInstance()"));
    SetRegistryKey(kRegistryKey);
    if (!InitApplication()) {
        return false;
    }
    LoadStdProfileSettings(4);

    AddDocTemplate(new platform::SingleDocTemplate(IDR_MAINFRAME, CMyDrunoDoc::Class(),
                                                   CMainFrame::Class(), CMyDrunoView::Class()));

    // The ordinary start creates the empty document, the main frame and the view.
    platform::CommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) {
        return false;
    }

    // Frame and view exist but are not shown yet: the first painting uses the stored sizes.
    RegInit(true);
    // What follows the round beside the view was set up before the level was read: the
    // history's first look tells how to play the level stored.
    if (auto* pFrame = dynamic_cast<platform::Frame*>(GetMainWnd())) {
        if (const auto* pDoc = dynamic_cast<const CMyDrunoDoc*>(pFrame->GetActiveDocument())) {
            pDoc->RoundChanged();
        }
    }

    GetMainWnd()->ShowWindow(platform::kSwShow);
    GetMainWnd()->UpdateWindow();
    return true;
}

int CMyDrunoApp::ExitInstance() {
    RegInit(false);
    if (!m_bSettingsSaved) {
        ReportSettingsNotSaved();
    }
    return platform::Application::ExitInstance();
}

// A box cannot be shown once the program is being ended from outside or without a running
// application; the error stream still reaches the player there.
void CMyDrunoApp::ReportSettingsNotSaved() {
    if (m_bSettingsReported) {
        return;
    }
    m_bSettingsReported = true;
    const QString path = platform::ProfileStore(kRegistryKey, AppName()).FilePath();
    const QString text = path.isEmpty() ? platform::LoadString(IDS_SETTINGS_NO_HOME)
                                        : platform::FormatString(IDS_SETTINGS_NOT_SAVED, path);
    if (IsEndingSession() || platform::MessageBox(text, platform::kMbIconError) == 0) {
        platform::WriteStandardError(text.toLocal8Bit() + '\n');
    }
}

void CMyDrunoApp::RegInit(bool fRead) {
    CTraceScope trace(QStringLiteral("CMyDrunoApp::RegInit()"));
    const QString init = QStringLiteral("Init");
    const QString laf = QStringLiteral("Init.LaF");
    if (fRead) {
        trace.Log(QStringLiteral("fRead==true"));
        m_bSound = GetProfileInt(init, QStringLiteral("Sound"), 1) != 0;
        m_nFontSize = GetProfileInt(init, QStringLiteral("FontSize"), 100);
        m_nFontSizeStatus = GetProfileInt(init, QStringLiteral("FontSizeStatus"), 16);
        m_bShowCancelBtn = GetProfileInt(laf, QStringLiteral("ShowCancelBtn"), 1) != 0;
        m_bNoFullScreenDlg = GetProfileInt(laf, QStringLiteral("NoFullScreenDlg"), 1) != 0;
        ReadLevel();
        ReadCoach();
    } else {
        trace.Log(QStringLiteral("fRead==false /* write */"));
        // One update of the file for all the values, and none when the file holds them already.
        BeginProfileBatch();
        WriteProfileInt(init, QStringLiteral("Sound"), m_bSound ? 1 : 0);
        WriteProfileInt(init, QStringLiteral("FontSize"), m_nFontSize);
        WriteProfileInt(init, QStringLiteral("FontSizeStatus"), m_nFontSizeStatus);
        WriteProfileInt(laf, QStringLiteral("ShowCancelBtn"), m_bShowCancelBtn ? 1 : 0);
        WriteProfileInt(laf, QStringLiteral("NoFullScreenDlg"), m_bNoFullScreenDlg ? 1 : 0);
        WriteLevel();
        WriteCoach();
        m_bSettingsSaved = EndProfileBatch();
    }
}

namespace {
const QString kGameSection = QStringLiteral("Game");
const QString kLevelKey = QStringLiteral("Level");
constexpr int kNoLevel = 0;  // what the file gives when it holds no level
const QString kCoachKey = QStringLiteral("Coach");
constexpr int kNoCoach = -1;  // what the file gives when it holds no coach
}  // namespace

void CMyDrunoApp::ReadLevel() {
    const int nLevel = GetProfileInt(kGameSection, kLevelKey, kNoLevel);
    // A damaged or unknown level gives the default game.
    m_nLevel = nLevel >= 1 && nLevel <= CMyDrunoDoc::kLevels ? nLevel : CMyDrunoDoc::kDefaultLevel;
}

// A player who keeps the default level and has never stored another gets no [Game] section:
// the settings file stays as it was.
void CMyDrunoApp::WriteLevel() {
    if (m_nLevel == CMyDrunoDoc::kDefaultLevel &&
        GetProfileInt(kGameSection, kLevelKey, kNoLevel) == kNoLevel) {
        return;
    }
    WriteProfileInt(kGameSection, kLevelKey, m_nLevel);
}

void CMyDrunoApp::ReadCoach() {
    m_bCoach = GetProfileInt(kGameSection, kCoachKey, 0) != 0;
}

// As the level: a player who has never turned the coach on keeps the settings file as it was.
void CMyDrunoApp::WriteCoach() {
    if (!m_bCoach && GetProfileInt(kGameSection, kCoachKey, kNoCoach) == kNoCoach) {
        return;
    }
    WriteProfileInt(kGameSection, kCoachKey, m_bCoach ? 1 : 0);
}

void CMyDrunoApp::OnAbout() {
    CAboutBoxDlg aboutDlg;
    aboutDlg.DoModal();
}

void CMyDrunoApp::OnOptions() {
    COptionsDlg dlg;
    dlg.m_bSound = m_bSound;
    dlg.m_nFontSize = m_nFontSize;
    dlg.m_nFontSizeStatus = m_nFontSizeStatus;
    if (dlg.DoModal() != platform::kIdOk) {
        return;
    }
    m_bSound = dlg.m_bSound != 0;
    m_nFontSize = dlg.m_nFontSize;
    m_nFontSizeStatus = dlg.m_nFontSizeStatus;
    RedrawGameScreen();
}

int CMyDrunoApp::GetLanguage() {
    return platform::TranslationLanguage() == QLatin1String("de") ? kLanguageGerman
                                                                  : kLanguageEnglish;
}

void CMyDrunoApp::OnLookAndFeel() {
    CLookAndFeelDlg dlg(GetLanguage());
    dlg.m_bNoFullScreenDlg = m_bNoFullScreenDlg;
    dlg.m_bShowCancelBtn = m_bShowCancelBtn;
    if (dlg.DoModal() != platform::kIdOk) {
        return;
    }
    // Takes effect when the next dialog opens; nothing on screen shows these switches.
    m_bNoFullScreenDlg = dlg.m_bNoFullScreenDlg != 0;
    m_bShowCancelBtn = dlg.m_bShowCancelBtn != 0;
}

// The new font sizes show once the game screen is drawn again. After the modal dialog has
// closed the current window is the main frame (the platform also answers with it when the
// user has switched to another program meanwhile); the frame's whole client area is the
// game view, so the view is the one invalidated.
void CMyDrunoApp::RedrawGameScreen() {
    platform::Window* pWnd = platform::GetActiveWindow();
    if (auto* pFrame = dynamic_cast<platform::Frame*>(pWnd)) {
        if (platform::View* pView = pFrame->GetActiveView()) {
            pWnd = pView;
        }
    }
    if (pWnd != nullptr) {
        pWnd->Invalidate(true);
    }
}

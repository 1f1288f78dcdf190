#include "app/MainFrame.h"

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/framework/View.h"
#include "platform/graphics/Screen.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "res/Resources.h"
#include "screen/MyDrunoDoc.h"
#include "stats/GameStatistics.h"
#include "trace/TraceScope.h"

PLATFORM_IMPLEMENT_DYNCREATE(CMainFrame)

namespace {

// The window's own section of the settings store; the game's settings keep theirs.
const QString kWindowSection = QStringLiteral("Window");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kHistoryWidth = QStringLiteral("HistoryWidth");
// Stands for a value the store does not hold.
constexpr int kNotStored = -1;
// A place no screen shows, for a size stored without one: the window manager places it.
constexpr int kNoPlace = -100000;

}  // namespace

CMainFrame::CMainFrame() {
    CTraceScope trace(QStringLiteral("CMainFrame::CMainFrame()"));
    // Help, Contents: the framework's help operation shows the program's "How to play" page.
    AddCommand<platform::Frame>(ID_HELP, &platform::Frame::OnHelp);
    // History: shows or hides the round's history beside the game.
    AddCommand(ID_HISTORY, &CMainFrame::OnHistory);
    AddUpdate(ID_HISTORY, &CMainFrame::OnUpdateHistory);
}

CMainFrame::~CMainFrame() {
    CTraceScope trace(QStringLiteral("CMainFrame::~CMainFrame()"));
    // A program ended without a close request (a signal, say) keeps its window's place too.
    if (!m_bPlacementSaved && IsCreated()) {
        SavePlacement();
    }
}

int CMainFrame::OnCreate() {
    CTraceScope trace(QStringLiteral("CMainFrame::OnCreate()"));
    // The framework's creation gives the frame its command bar with menu 128.
    if (platform::Frame::OnCreate() == -1) {
        return -1;
    }
    platform::CommandBar* pCommandBar = GetCommandBar();
    if (!pCommandBar->AddButtons(IDB_TOOLBAR, res::kMainFrameButtons)) {
        return -1;
    }
    if (!pCommandBar->AddAdornments(0)) {
        return -1;
    }
    pCommandBar->SetShortcut(ID_NEW_GAME, platform::StandardKey::New);
    pCommandBar->SetShortcut(ID_HELP, platform::StandardKey::HelpContents);
    pCommandBar->SetShortcut(ID_APP_EXIT, platform::StandardKey::Quit);
    pCommandBar->SetShortcut(ID_HISTORY, platform::StandardKey::ToggleSidePanel);
    pCommandBar->SetShortcut(ID_HINT, platform::StandardKey::Hint);

    // The game can do without its history, so a panel that cannot be made is no failure.
    const int nHistoryWidth =
        theApp.GetProfileInt(kWindowSection, kHistoryWidth, CHistoryPanel::kDefaultWidth);
    if (m_history.Create(this, nHistoryWidth)) {
        if (auto* pDoc = dynamic_cast<CMyDrunoDoc*>(GetActiveDocument())) {
            m_roundListener = std::make_shared<const CMyDrunoDoc::RoundListener>(
                [this](const CMyDrunoDoc& doc) { m_history.Update(doc); });
            pDoc->SetRoundListener(m_roundListener);
            m_history.Update(*pDoc);
        }
        m_bHistory = true;
    }
    RestorePlacement();
    return 0;
}

bool CMainFrame::PreCreateWindow(platform::CreateStruct& cs) {
    CTraceScope trace(QStringLiteral("CMainFrame::PreCreateWindow()"));
    return platform::Frame::PreCreateWindow(cs);
}

void CMainFrame::OnClose() {
    CTraceScope trace(QStringLiteral("CMainFrame::OnClose()"));
    LoseRunningRound(theApp.IsEndingSession() ? platform::RoundOutcome::Signal
                                              : platform::RoundOutcome::Closed);
    SavePlacement();
    platform::Frame::OnClose();
}

// Leaving the program in the middle of a round loses it (the document ends the round), and the
// journal keeps the rounds it still has to write, even where the end leaves no time for the
// document to go (a lost display).
void CMainFrame::LoseRunningRound(platform::RoundOutcome nHow) {
    auto* pDoc = dynamic_cast<CMyDrunoDoc*>(GetActiveDocument());
    if (pDoc == nullptr) {
        return;
    }
    pDoc->LoseRunningRound(nHow);
    pDoc->FinishJournal();
}

void CMainFrame::OnHistory() {
    const bool bShown = IsSidePanelShown();
    const bool bListHadKeys = bShown && m_history.HasFocus();
    ShowSidePanel(!bShown);
    // The keys go back to the game, not to whatever follows the hidden list.
    if (bListHadKeys && GetActiveView() != nullptr) {
        GetActiveView()->SetFocus();
    }
}

void CMainFrame::OnUpdateHistory(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(m_bHistory);
}

void CMainFrame::RestorePlacement() {
    const int nWidth = theApp.GetProfileInt(kWindowSection, kWidth, kNotStored);
    const int nHeight = theApp.GetProfileInt(kWindowSection, kHeight, kNotStored);
    if (nWidth <= 0 || nHeight <= 0) {
        return;
    }
    platform::FramePlacement placement;
    placement.x = theApp.GetProfileInt(kWindowSection, kLeft, kNoPlace);
    placement.y = theApp.GetProfileInt(kWindowSection, kTop, kNoPlace);
    placement.width = nWidth;
    placement.height = nHeight;
    placement.sidePanelWidth =
        theApp.GetProfileInt(kWindowSection, kHistoryWidth, CHistoryPanel::kDefaultWidth);
    SetPlacement(placement);
}

// One update of the settings file for all five, and none when it holds them already.
void CMainFrame::SavePlacement() {
    const platform::FramePlacement placement = GetPlacement();
    theApp.BeginProfileBatch();
    // Where the desktop does not tell the window's place, the place kept from another session
    // stays as it was.
    if (platform::CanPlaceWindows()) {
        theApp.WriteProfileInt(kWindowSection, kLeft, placement.x);
        theApp.WriteProfileInt(kWindowSection, kTop, placement.y);
    }
    theApp.WriteProfileInt(kWindowSection, kWidth, placement.width);
    theApp.WriteProfileInt(kWindowSection, kHeight, placement.height);
    theApp.WriteProfileInt(kWindowSection, kHistoryWidth, placement.sidePanelWidth);
    theApp.EndProfileBatch();
    m_bPlacementSaved = true;
}

// A help request (F1) goes, with its arguments, to the framework's help operation. The end of
// the session without a display loses the round as a close would.
platform::MessageResult CMainFrame::WindowProc(unsigned message, platform::WParam wParam,
                                               platform::LParam lParam) {
    if (message == platform::kMsgHelp) {
        OnHelp();
        return 1;
    }
    if (message == platform::kMsgEndSession) {
        if (wParam != 0) {
            LoseRunningRound(platform::RoundOutcome::DisplayLost);
        }
        return 0;
    }
    return platform::Frame::WindowProc(message, wParam, lParam);
}

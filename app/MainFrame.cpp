#include "app/MainFrame.h"

#include "res/Resource.h"
#include "res/Resources.h"
#include "screen/MyDrunoDoc.h"
#include "stats/GameStatistics.h"
#include "trace/TraceScope.h"

#include "platform/MessageBox.h"
#include "platform/Messages.h"

PLATFORM_IMPLEMENT_DYNCREATE(CMainFrame)

CMainFrame::CMainFrame() {
    CTraceScope trace(QStringLiteral("CMainFrame::CMainFrame()"));
    // Help, Contents: the framework's help operation; the program supplies no help of its own.
    AddCommand<platform::Frame>(ID_HELP, &platform::Frame::OnHelp);
}

CMainFrame::~CMainFrame() {
    CTraceScope trace(QStringLiteral("CMainFrame::~CMainFrame()"));
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
    return 0;
}

bool CMainFrame::PreCreateWindow(platform::CreateStruct& cs) {
    CTraceScope trace(QStringLiteral("CMainFrame::PreCreateWindow()"));
    return platform::Frame::PreCreateWindow(cs);
}

void CMainFrame::OnClose() {
    CTraceScope trace(QStringLiteral("CMainFrame::OnClose()"));
    LoseRunningRound();
    platform::Frame::OnClose();
}

// Leaving the program in the middle of a round loses it. The round is ended here as well:
// the document refuses to let its frame close while a round runs, so a close that left the
// round going would keep the program open and count another loss at every further attempt.
// When the session ends (a shutdown, a logout) the message box answers at once.
void CMainFrame::LoseRunningRound() {
    auto* pDoc = dynamic_cast<CMyDrunoDoc*>(GetActiveDocument());
    if (pDoc != nullptr && pDoc->m_bPlaying) {
        GameStatisticsAddLost(pDoc->GetStatFile());
        platform::MessageBox(IDS_CLOSE_LOSES, platform::kMbIconInformation);
        pDoc->m_bPlaying = false;
    }
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
            LoseRunningRound();
        }
        return 0;
    }
    return platform::Frame::WindowProc(message, wParam, lParam);
}

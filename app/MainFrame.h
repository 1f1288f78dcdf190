#pragma once

// The main window: the frame around the game view, with the command bar that carries the menu
// and the button row, and the round's history at the right. Closing it during a round counts
// the round as lost. Its size and place are kept in the settings store from run to run.

#include "app/HistoryPanel.h"
#include "platform/framework/Frame.h"
#include "platform/framework/RuntimeClass.h"
#include "screen/MyDrunoDoc.h"

#include <memory>

class CMainFrame : public platform::Frame {
    PLATFORM_DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    const CHistoryPanel& GetHistoryPanel() const { return m_history; }

protected:
    int OnCreate() override;
    bool PreCreateWindow(platform::CreateStruct& cs) override;
    void OnClose() override;

    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override;

private:
    void OnHistory();
    void OnUpdateHistory(platform::CommandUpdate* pCmdUI);
    // A round still running when the program is left counts as lost; nHow says how it was
    // left (closed, a signal, the display gone).
    void LoseRunningRound(platform::RoundOutcome nHow);
    // The window's size and place and the history's width, section "Window" of the store.
    void RestorePlacement();
    void SavePlacement();

    CHistoryPanel m_history;
    // Shows every change of the round in the history; goes before the panel does.
    std::shared_ptr<const CMyDrunoDoc::RoundListener> m_roundListener;
    bool m_bPlacementSaved = false;
    bool m_bHistory = false;
};

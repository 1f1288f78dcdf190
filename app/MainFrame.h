#pragma once

// The main window: the frame around the game view, with the command bar that carries the menu
// and the button row. Closing it during a round counts the round as lost.

#include "platform/Frame.h"
#include "platform/RuntimeClass.h"

class CMainFrame : public platform::Frame {
    PLATFORM_DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

protected:
    int OnCreate() override;
    bool PreCreateWindow(platform::CreateStruct& cs) override;
    void OnClose() override;

    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override;

private:
    // A round still running when the program is left counts as lost.
    void LoseRunningRound();
};

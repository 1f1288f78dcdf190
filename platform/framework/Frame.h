#pragma once

// The frame window: the program's main window around the view, with one command bar.

#include "platform/framework/CommandBar.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/Window.h"

#include <QString>

#include <memory>

namespace platform {

class Document;
class HelpWindow;
class View;
struct RuntimeClass;

// What a frame may change before its window is made.
struct CreateStruct {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned style = 0;
    unsigned exStyle = 0;
    QString name;
};

// Where a frame stands and how large it is: its place on the screen (with the window
// manager's frame), the size of its inside (command bar and client area, side panel
// included), and the side panel's width (0 when the player has pushed it out of sight).
struct FramePlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int sidePanelWidth = 0;
    friend bool operator==(const FramePlacement&, const FramePlacement&) = default;
};

class Frame : public Window, public CommandTarget {
public:
    Frame();
    ~Frame() override;

    Document* GetActiveDocument() const;
    View* GetActiveView() const;
    CommandBar* GetCommandBar() const;

    // Routes view, document, frame, application.
    bool OnCmdMsg(unsigned id, CommandUpdate* update) override;
    // Runs the update handlers of every menu item and button.
    void UpdateCommandItems();
    // Whether the command is carried out by someone and its update handler enables it now.
    bool IsCommandEnabled(unsigned id);
    // Whether the command's update handler gives its items a check mark now.
    bool IsCommandChecked(unsigned id);

    // The framework's help operation: the application's help page (":/help/<name>.html") in
    // a help window of its own; a message when the application ships none.
    void OnHelp();
    // The open help window, or null.
    HelpWindow* GetHelpWindow() const;

    // A window shown to the right of the client area, behind a divider the player can drag;
    // the frame grows by it. In a window taller than wide with no room beside the client area,
    // it goes below it instead. Called during creation, before the frame has its first size.
    void AttachSidePanel(Window* panel, int width);
    // Whether the side panel has room at the moment; showing it again gives it the width it
    // had when it was hidden.
    bool IsSidePanelShown() const;
    void ShowSidePanel(bool shown);
    // What assistive technology calls the divider before the side panel, beside the client area
    // and below it; it tells the panel's width, or its height below, as its value.
    void SetSidePanelDividerName(const QString& beside, const QString& below);

    FramePlacement GetPlacement() const;
    // Moves and sizes the frame, kept within the screen's work area; a place off every screen
    // is left to the window manager. During creation it takes effect once the frame has
    // its default size.
    void SetPlacement(const FramePlacement& placement);

    // Platform internals: makes the window from resource id (menu, icon, title from the
    // document string), then the view for the document. False when creation failed.
    bool LoadFrame(unsigned resourceId, Document* document, View* view);
    // The same, with the view made from its class during the frame's creation; the view then
    // belongs to its window.
    bool LoadFrame(unsigned resourceId, Document* document, const RuntimeClass& viewClass);

    // Carries out a command as the menu and the buttons do (message 273), then brings the
    // enabling of the items up to date.
    void ExecuteCommand(unsigned id);

protected:
    // Creation: the default makes the command bar with the frame's menu, then the view;
    // 0 or -1.
    virtual int OnCreate();
    virtual bool PreCreateWindow(CreateStruct& cs);
    // Close request: the default asks the active document (CanCloseFrame) and, when it
    // agrees, destroys the frame, which ends the application's message loop.
    virtual void OnClose();
    // Hides the frame and has it destroyed once the current event is done; the main frame
    // ends the message loop.
    void CloseFrame();

    MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam) override;

private:
    friend class FrameWidget;
    friend class IdleUpdater;
    struct Impl;
    bool Load(unsigned resourceId, Document* document);
    bool CreateView();
    void SizeForView();
    void LayOut(int width, int height, int sidePanelWidth);
    bool WantsPanelBelow() const;
    void SizeSplitterParts(bool panelShown);
    void ArrangeSidePanel();
    void NameDivider();
    void ApplyPlacement(const FramePlacement& placement);
    int SidePanelWidth() const;
    void ScheduleCommandUpdate();
    bool FrameworkCommand(unsigned id, CommandUpdate* update);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace platform

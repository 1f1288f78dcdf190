#pragma once

// The frame window: the program's main window around the view, with one command bar.

#include "platform/CommandBar.h"
#include "platform/CommandTarget.h"
#include "platform/Window.h"

#include <QString>

#include <memory>

namespace platform {

class Document;
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

    // The framework's help operation.
    void OnHelp();

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
    struct Impl;
    bool Load(unsigned resourceId, Document* document);
    bool CreateView();
    void SizeForView();
    void ScheduleCommandUpdate();
    bool FrameworkCommand(unsigned id, CommandUpdate* update);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace platform

#pragma once

// The view base: a child window of the frame that shows a document. Paint calls OnDraw, a
// left press calls OnLButtonDown, a resize calls OnSize, creation calls OnCreate.

#include "platform/CommandTarget.h"
#include "platform/Window.h"

namespace platform {

class DC;
class Document;
class Frame;

class View : public Window, public CommandTarget {
public:
    View();
    ~View() override;

    Document* GetDocument() const { return m_document; }

    // Routes a command to the view's own table, then to its document's.
    bool OnCmdMsg(unsigned id, CommandUpdate* update) override;

    // Platform internals: creates the view's window inside the frame for the document.
    // Answers false when OnCreate refused the creation.
    bool Create(Frame* frame, Document* document);

protected:
    // Creation: 0 to go on, -1 to refuse. The default answers 0.
    virtual int OnCreate();
    // Size change with the new client width and height; the default does nothing.
    virtual void OnSize(unsigned type, int cx, int cy);
    // A tap (left button down) at the point in client coordinates; the default does nothing.
    virtual void OnLButtonDown(unsigned flags, Point point);
    // Draws the view into the paint context.
    virtual void OnDraw(DC* dc) = 0;

private:
    friend class ViewWidget;
    Document* m_document = nullptr;
};

}  // namespace platform

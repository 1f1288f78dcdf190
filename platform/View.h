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

    // Creation, size and tap messages reach the handlers above.
    MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam) override;

private:
    friend class ViewWidget;
    friend class Document;
    friend class Frame;
    // Sends the size message when the client size differs from the last one sent.
    void NotifySize();

    int m_sentWidth = -1;
    int m_sentHeight = -1;
    Document* m_document = nullptr;
};

// Packs a width and height, or an x and y, into a message parameter, low word first; and
// unpacks it (the coordinates are signed).
inline LParam MakeLParam(int low, int high) {
    return static_cast<LParam>((static_cast<unsigned>(high) & 0xFFFFu) << 16 |
                               (static_cast<unsigned>(low) & 0xFFFFu));
}
inline int LowWord(LParam value) {
    return static_cast<short>(value & 0xFFFF);
}
inline int HighWord(LParam value) {
    return static_cast<short>((value >> 16) & 0xFFFF);
}

// The key flags of a tap: the left button, and Shift and Control when held.
inline constexpr unsigned kMkLButton = 0x0001;
inline constexpr unsigned kMkShift = 0x0004;
inline constexpr unsigned kMkControl = 0x0008;

}  // namespace platform

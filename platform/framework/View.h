#pragma once

// The view base: a child window of the frame that shows a document. Paint calls OnDraw, a
// left press or a touch calls OnLButtonDown, a resize calls OnSize, creation calls OnCreate.
// On the desktop a view may also have a layout of a fixed size, drawn scaled when the window
// grows; keys and assistive technology press the places the view names as tap targets.

#include "platform/framework/CommandTarget.h"
#include "platform/framework/Window.h"
#include "platform/graphics/ViewScale.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QKeyEvent;

namespace platform {

class DC;
class Document;
class Frame;

// A place of the view that stands for one input of its own. A key or assistive technology
// presses it with a tap at its centre, down the very path of a tap of the pen.
struct TapTarget {
    QString name;                // as assistive technology reads it out
    Rect rect;                   // in client coordinates
    std::vector<unsigned> keys;  // the virtual-key codes that press it
    bool shown = true;           // whether the view draws it at the moment
};

// Tells the first press of a key from the presses a held key repeats, however the platform
// reports them: flagged as repeats, as presses with no release between, or as a release and a
// press of the same moment.
class KeyRepeatFilter {
public:
    // Takes every press and release of the keys it watches; true for one that only repeats.
    bool IsRepeat(const QKeyEvent* event);
    // Forgets the held keys (their releases will go elsewhere).
    void Clear();

private:
    std::vector<unsigned> m_held;
    unsigned m_releasedKey = 0;
    std::uint64_t m_releasedAt = 0;
};

class View : public Window, public CommandTarget {
public:
    View();
    ~View() override;

    Document* GetDocument() const { return m_document; }

    // The client rectangle the view's layout sees: the widget, or the layout's own size while
    // it is drawn scaled. Hides the window's, which gives the widget itself.
    Rect GetClientRect() const;
    // Invalidates a rectangle of the layout, wherever it is drawn on the widget.
    void InvalidateRect(const Rect& rect, bool erase = true);
    // Where the layout sits on the widget at its present size.
    ViewScale Scale() const;

    // What keys and assistive technology may press; none unless the view says.
    virtual std::vector<TapTarget> GetTapTargets() const { return {}; }
    // The lines of text the view shows, for assistive technology; none unless the view says.
    virtual QStringList GetShownTexts() const { return {}; }
    // Taps the centre of the target.
    void PressTarget(const TapTarget& target);

    // The size the view is laid out for, which a new frame gives its client area: that of the
    // fixed layout (SetLayoutSize) unless the view says otherwise; empty when it has neither.
    virtual QSize GetLayoutSize() const;

    // Routes a command to the view's own table, then to its document's.
    bool OnCmdMsg(unsigned id, CommandUpdate* update) override;

    // Platform internals: the view's widget takes a key that came to another widget of the
    // frame, when the key presses one of its targets; answers whether it did.
    bool TakeKey(QKeyEvent* event);
    // Platform internals: forgets which keys are held down, when their releases go elsewhere
    // (a box over the window takes them).
    void ForgetHeldKeys();

    // Platform internals: creates the view's window inside the frame for the document.
    // Answers false when OnCreate refused the creation.
    bool Create(Frame* frame, Document* document);

protected:
    // A layout of this size is drawn as it is, and scaled by one factor, centred, once the
    // widget is larger; taps are mapped back. The widget never asks for less room.
    void SetLayoutSize(int width, int height);

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
    int m_layoutWidth = 0;
    int m_layoutHeight = 0;
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

// Virtual-key codes of the keys a view may take: the digit keys of the main row are '0' to
// '9' (0x30 to 0x39), those of the keypad kVkNumpad0 to kVkNumpad0 + 9.
inline constexpr unsigned kVkBack = 0x08;
inline constexpr unsigned kVkDelete = 0x2E;
inline constexpr unsigned kVkNumpad0 = 0x60;

}  // namespace platform

#pragma once

// What the frame adds for the keyboard: the game's keys reach the view from anywhere in the
// window, and the divider before the side panel moves by the arrow keys.

#include <QObject>
#include <QSplitter>

namespace platform {

class Frame;

// Hands the view the keys it plays with (digits, Backspace, Delete) when another part of the
// frame's window has the focus: a menu button, a bar button, the side panel. A field that
// takes text keeps its keys.
class FrameKeyRouter : public QObject {
public:
    explicit FrameKeyRouter(Frame* frame) : m_frame(frame) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Frame* m_frame;
};

// A horizontal divider whose handles take the focus by Tab and move by the arrow keys; the
// mouse finds them as before. Assistive technology reads a handle by its accessible name, with
// the width of the part after it as its value.
class KeyboardSplitter : public QSplitter {
public:
    explicit KeyboardSplitter(QWidget* parent);

    // How far one press of an arrow key moves the divider, in pixels.
    static constexpr int kStep = 16;

protected:
    QSplitterHandle* createHandle() override;
};

}  // namespace platform

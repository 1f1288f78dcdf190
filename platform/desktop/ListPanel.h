#pragma once

// A column of text lines, shown as a frame's side panel. A click leaves the keyboard focus
// where it is, so keys keep going to the view; Tab reaches it, and assistive technology reads
// it as a list with one item a line, which the arrow keys go through.

#include "platform/framework/Window.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QAccessibleEvent;

namespace platform {

class Frame;

class ListPanel : public Window {
public:
    // Makes the panel's window as the frame's side panel, width pixels wide; name is what
    // assistive tools call it. False when the frame has no window.
    bool Create(Frame* frame, int width, const QString& name);

    // Shows these lines, one under the other, long ones wrapped; the last one stays in view.
    // indents[i], where given, is how many steps line i stands in, wrapped parts and all: a
    // line that belongs to the one above it.
    void SetLines(const QStringList& lines, const std::vector<int>& indents = {});
    QStringList GetLines() const;

    // True while the keyboard is in the list.
    bool HasFocus() const;

    // Tells assistive technology the text at once, as a notification that a screen reader
    // speaks wherever the keyboard focus is. Nothing changes on the screen.
    void Announce(const QString& text);
};

// For tests, where no assistive technology listens and Qt sends no events: sees each event the
// panels send, the notifications and the moves of the list's current item. An empty function
// stops watching.
void SetAccessibilityObserver(std::function<void(QAccessibleEvent*)> observer);

}  // namespace platform

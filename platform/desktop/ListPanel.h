#pragma once

// A column of text lines, shown as a frame's side panel. It only shows: it never takes the
// keyboard focus or a selection, so keys keep going to the view after a click on it.

#include "platform/framework/Window.h"

#include <QString>
#include <QStringList>

#include <functional>

class QAccessibleInterface;

namespace platform {

class Frame;

class ListPanel : public Window {
public:
    // Makes the panel's window as the frame's side panel, width pixels wide; name is what
    // assistive tools call it. False when the frame has no window.
    bool Create(Frame* frame, int width, const QString& name);

    // Shows these lines, one under the other, long ones wrapped; the last one stays in view.
    void SetLines(const QStringList& lines);
    QStringList GetLines() const;

    // Tells assistive technology the text at once, as a notification that a screen reader
    // speaks wherever the keyboard focus is. Nothing changes on the screen.
    void Announce(const QString& text);
};

// For tests, where no assistive technology listens and Qt sends no events: sees each
// notification as it is sent, through the interface assistive technology reads it from.
// An empty function stops watching.
void SetAnnouncementObserver(std::function<void(QAccessibleInterface*)> observer);

}  // namespace platform

#pragma once

// Where trace lines arrive. Publishes the window the trace looks for: a top-level window
// titled "Kvo" whose first child's first child is the text field. A sender sets the field's
// text (message 12), then sends command 32779, "the field now holds the next line".
//
// Messages are answered on the publisher's own thread, at once, whatever the user interface
// is doing; the lines wait here until the interface takes them in a batch. What waits is
// bounded: past the limits the oldest waiting lines are dropped and counted.

#include "platform/remote/PublishedWindow.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

struct TraceLine {
    std::int64_t sender = 0;  // the process that wrote the line
    QString text;
};

// How much the viewer holds, waiting or shown: a number of lines and of bytes of text.
struct TraceLimits {
    std::size_t lines = 200000;
    std::size_t bytes = std::size_t{64} << 20;
};

// The bytes a line's text takes (UTF-16), plus a little for the line itself.
std::size_t TraceLineCost(const QString& text);

class TraceInbox {
public:
    // arrived is called on the publisher's thread when a line comes in to an inbox that was
    // empty since the last Take() or Rearm(): once per batch, never while idle.
    explicit TraceInbox(std::function<void()> arrived = {}, TraceLimits limits = {});

    // False when the window could not be put up; Problem() then says why.
    bool IsListening() const { return m_window.IsPublished(); }
    QString Problem() const { return m_window.Problem(); }
    // The lines received since the last call, in order of arrival.
    std::vector<TraceLine> Take();
    // Lets the next line call arrived again, without taking the lines.
    void Rearm();
    std::size_t Waiting() const;
    // How many waiting lines were dropped to stay within the limits since the last
    // TakeDropped(), which answers that number and starts counting anew.
    std::size_t Dropped() const;
    std::size_t TakeDropped();

private:
    platform::MessageResult OnSetText(const platform::RemoteMessage& message);
    platform::MessageResult OnCommand(const platform::RemoteMessage& message);

    const std::function<void()> m_arrived;
    const TraceLimits m_limits;
    mutable std::mutex m_mutex;
    // The field's text as each sender left it, so that two programs tracing at once do not
    // mix their lines.
    std::map<std::int64_t, QString> m_field;
    std::deque<TraceLine> m_lines;
    std::size_t m_bytes = 0;
    std::size_t m_dropped = 0;
    bool m_announced = false;
    platform::PublishedWindow m_window;
};

#pragma once

// Where trace lines arrive. Publishes the window the trace looks for: a top-level window
// titled "Kvo" whose first child's first child is the text field. A sender sets the field's
// text (message 12), then sends command 32779, "the field now holds the next line".
//
// Messages are answered on the publisher's own thread, at once, whatever the user interface
// is doing; the lines wait here until the interface takes them in a batch.

#include "platform/PublishedWindow.h"

#include <QString>

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

struct TraceLine {
    std::int64_t sender = 0;  // the process that wrote the line
    QString text;
};

class TraceInbox {
public:
    TraceInbox();

    // False when the window could not be put up (see PublishedWindow).
    bool IsListening() const { return m_window.IsPublished(); }
    // The lines received since the last call, in order of arrival.
    std::vector<TraceLine> Take();
    std::size_t Waiting() const;

private:
    platform::MessageResult OnSetText(const platform::RemoteMessage& message);
    platform::MessageResult OnCommand(const platform::RemoteMessage& message);

    mutable std::mutex m_mutex;
    // The field's text as each sender left it, so that two programs tracing at once do not
    // mix their lines.
    std::map<std::int64_t, QString> m_field;
    std::vector<TraceLine> m_lines;
    platform::PublishedWindow m_window;
};

#include "TraceInbox.h"

#include "platform/core/Messages.h"
#include "res/Resource.h"

#include <iterator>
#include <utility>

namespace {
constexpr platform::WParam kTakeLine = ID_TRACE_VIEWER_LINE;  // with notification 0
}

std::size_t TraceLineCost(const QString& text) {
    return static_cast<std::size_t>(text.size()) * sizeof(char16_t) + sizeof(TraceLine);
}

TraceInbox::TraceInbox(std::function<void()> arrived, TraceLimits limits)
    : m_arrived(std::move(arrived)),
      m_limits(limits),
      m_window(
          QStringLiteral("Kvo"), [this](const platform::RemoteMessage& m) { return OnCommand(m); },
          platform::PublishedWindow::When::Later) {
    // Put up only with the field in place: a program that found the window earlier would
    // never send it a line.
    const int panel = m_window.AddChild(platform::PublishedWindow::kTopLevel);
    m_window.AddChild(panel, [this](const platform::RemoteMessage& m) { return OnSetText(m); });
    m_window.Publish();
}

std::vector<TraceLine> TraceInbox::Take() {
    std::lock_guard lock(m_mutex);
    std::vector<TraceLine> lines(std::make_move_iterator(m_lines.begin()),
                                 std::make_move_iterator(m_lines.end()));
    m_lines.clear();
    m_bytes = 0;
    m_announced = false;
    return lines;
}

void TraceInbox::Rearm() {
    std::lock_guard lock(m_mutex);
    m_announced = false;
}

std::size_t TraceInbox::Waiting() const {
    std::lock_guard lock(m_mutex);
    return m_lines.size();
}

std::size_t TraceInbox::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

std::size_t TraceInbox::TakeDropped() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_dropped, 0);
}

platform::MessageResult TraceInbox::OnSetText(const platform::RemoteMessage& message) {
    if (message.message != platform::kMsgSetText || !message.hasText) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    m_field[message.sender] = message.text;
    return 1;
}

platform::MessageResult TraceInbox::OnCommand(const platform::RemoteMessage& message) {
    if (message.message != platform::kMsgCommand || message.wParam != kTakeLine) {
        return 0;
    }
    bool announce = false;
    {
        std::lock_guard lock(m_mutex);
        const QString& text = m_field[message.sender];
        m_lines.push_back({message.sender, text});
        m_bytes += TraceLineCost(text);
        while (m_lines.size() > m_limits.lines || m_bytes > m_limits.bytes) {
            m_bytes -= TraceLineCost(m_lines.front().text);
            m_lines.pop_front();
            ++m_dropped;
        }
        announce = !m_announced;
        m_announced = true;
    }
    if (announce && m_arrived) {
        m_arrived();
    }
    return 0;
}

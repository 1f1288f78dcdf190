#include "TraceInbox.h"

#include "platform/Messages.h"

namespace {
constexpr platform::WParam kTakeLine = 32779;  // command 0x800B, notification 0
}

TraceInbox::TraceInbox()
    : m_window(QStringLiteral("Kvo"),
               [this](const platform::RemoteMessage& m) { return OnCommand(m); }) {
    const int panel = m_window.AddChild(platform::PublishedWindow::kTopLevel);
    m_window.AddChild(panel, [this](const platform::RemoteMessage& m) { return OnSetText(m); });
}

std::vector<TraceLine> TraceInbox::Take() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_lines, {});
}

std::size_t TraceInbox::Waiting() const {
    std::lock_guard lock(m_mutex);
    return m_lines.size();
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
    std::lock_guard lock(m_mutex);
    m_lines.push_back({message.sender, m_field[message.sender]});
    return 0;
}

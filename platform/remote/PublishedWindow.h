#pragma once

// A top-level window put up for other processes: they find it by its title (FindRemoteWindow),
// walk to its children and send it messages. The window and its children are a tree of
// handlers supplied by the publishing process.
//
// Requests are served on a thread of the window's own, one at a time, so a sender is answered
// at once even while the publishing process's user interface is busy. Handlers therefore run
// on that thread, never on the user-interface thread: they must be quick and share data only
// under a lock. The window is published from construction (or, when construction defers it,
// from Publish(), once its children are added) until destruction; destruction waits for a
// handler that is running.

#include "platform/core/Types.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// One message as a handler sees it.
struct RemoteMessage {
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;  // the number, when the sender sent one
    QString text;       // the text, when the sender sent one (such as message 12)
    bool hasText = false;
    std::int64_t sender = 0;  // the sending process's id
};

using RemoteHandler = std::function<MessageResult(const RemoteMessage& message)>;

class PublishedWindow {
public:
    // The top-level window's id; AddChild takes it as a parent.
    static constexpr int kTopLevel = 1;

    enum class When { Now, Later };

    // With When::Later the window stays hidden until Publish(), so that senders find it only
    // with all its children in place.
    PublishedWindow(const QString& title, RemoteHandler handler = {}, When when = When::Now);
    ~PublishedWindow();
    PublishedWindow(const PublishedWindow&) = delete;
    PublishedWindow& operator=(const PublishedWindow&) = delete;

    // Puts the window up for senders; true when it is. Does nothing once published.
    bool Publish();
    // False before Publish() and when the socket could not be made (no safe folder, too long a
    // path); Problem() then says why, naming the folder.
    bool IsPublished() const;
    QString Problem() const;
    // Adds a child window after the parent's existing children; answers its id. A message to a
    // window without a handler answers 0.
    int AddChild(int parentId, RemoteHandler handler = {});

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace platform

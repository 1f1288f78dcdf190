#include "platform/remote/RemoteWindow.h"

#include "platform/core/Clock.h"
#include "platform/remote/RemoteProtocol.h"

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

namespace {

using namespace platform::remote;

using Clock = std::chrono::steady_clock;

// One connection to a publishing process, shared by the handles of its windows.
class Connection {
public:
    // budget: how long this peer may still keep us waiting, in all (see kPeerBudget).
    Connection(int fd, Clock::duration budget) : m_fd(fd), m_budget(budget) {}
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // One request, one reply, within what is left of the peer's budget. A failure, or a
    // budget spent, closes the connection for good: a peer that hangs or crawls costs one
    // budget (and the share regained while the program ran) in all, and later requests fail
    // at once without reaching it.
    std::optional<QByteArray> Exchange(const QByteArray& request) {
        std::lock_guard lock(m_mutex);
        if (m_fd < 0 || request.size() > static_cast<qsizetype>(kMaxFrame)) {
            return std::nullopt;
        }
        Regain();
        const Clock::time_point start = Clock::now();
        std::optional<QByteArray> reply;
        if (WriteFrame(m_fd, request, start + m_budget)) {
            reply = ReadFrame(m_fd, start + m_budget);
        }
        Charge(Clock::now() - start);
        if (!reply || m_budget <= Clock::duration::zero()) {
            Close();
        }
        return reply;
    }

    // Takes a wait on this peer off its budget (also the search's, before the first request).
    void Charge(Clock::duration waited) { m_budget -= waited; }

private:
    // Gives the budget back its share of the time run since the last look, up to the whole.
    void Regain() {
        const std::uint32_t now = GetTickCount();
        // The tick count wraps; the difference of two readings does not.
        const std::chrono::milliseconds ran{now - m_lastTick};
        m_lastTick = now;
        const auto regained = std::chrono::duration_cast<Clock::duration>(ran) / kBudgetRegainShare;
        m_budget = std::min<Clock::duration>(m_budget + regained, kPeerBudget);
    }

    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    std::mutex m_mutex;
    int m_fd = -1;
    Clock::duration m_budget;
    std::uint32_t m_lastTick = GetTickCount();
};

// Reads the i64 result at the head of a reply; 0 when there is none.
std::int64_t ResultOf(const std::optional<QByteArray>& reply) {
    std::uint64_t result = 0;
    if (reply) {
        Reader(*reply).U64(&result);
    }
    return static_cast<std::int64_t>(result);
}

}  // namespace

class RemoteWindow {
public:
    RemoteWindow(std::shared_ptr<Connection> connection, std::uint32_t id)
        : m_connection(std::move(connection)), m_id(id) {}
    Connection& Peer() const { return *m_connection; }
    std::uint32_t Id() const { return m_id; }
    const std::shared_ptr<Connection>& Shared() const { return m_connection; }

private:
    std::shared_ptr<Connection> m_connection;
    std::uint32_t m_id;
};

namespace {

// Handles live as long as the process: callers keep them in plain statics and may use them
// while other statics are being destroyed, so the registry is never freed.
RemoteWindow* Keep(std::shared_ptr<Connection> connection, std::uint32_t id) {
    static auto* registry = new std::vector<std::unique_ptr<RemoteWindow>>;
    static auto* mutex = new std::mutex;
    std::lock_guard lock(*mutex);
    registry->push_back(std::make_unique<RemoteWindow>(std::move(connection), id));
    return registry->back().get();
}

// Connects to a published window's socket; -1 when that fails. A socket nobody listens on is
// left over from a process that died: it is removed.
int Connect(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!IsOwnSocket(path) || path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ECONNREFUSED) {
            ::unlink(path.constData());
        }
        ::close(fd);
        return -1;
    }
    if (!PeerIsOwnUser(fd, nullptr)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The names of the published sockets in the folder, in a stable order. Plain POSIX: the first
// search can run while static objects are still being constructed.
std::vector<QByteArray> SocketNames(const QByteArray& folder) {
    std::vector<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, "w-", 2) == 0) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// A published window asked for its title and not yet answered.
struct Asked {
    int fd = -1;
    QByteArray pending;
};

// Whether a complete title reply in pending names the title; nullopt while it is incomplete.
// A broken or foreign reply counts as another title.
std::optional<bool> TitleMatches(QByteArray& pending, const QString& title) {
    bool broken = false;
    const std::optional<QByteArray> reply = TakeFrame(pending, &broken);
    if (broken) {
        return false;
    }
    if (!reply) {
        return std::nullopt;
    }
    Reader reader(*reply);
    std::uint64_t result = 0;
    QString text;
    return reader.U64(&result) && reader.Text(&text) && reader.AtEnd() && text == title;
}

// Asks every published window for its title at once and answers the first that names the
// title. However many windows there are and however slowly they answer, the whole search
// ends by the deadline.
int AskAllForTitle(const QByteArray& folder, const QString& title, Deadline deadline) {
    QByteArray request;
    PutU8(request, kOpTitle);
    std::vector<Asked> asked;
    for (const QByteArray& name : SocketNames(folder)) {
        const int fd = Connect(folder + '/' + name);
        if (fd >= 0 && WriteFrame(fd, request, deadline)) {
            asked.push_back({fd, {}});
        } else if (fd >= 0) {
            ::close(fd);
        }
    }
    int found = -1;
    while (found < 0 && !asked.empty()) {
        std::vector<pollfd> polled;
        for (const Asked& peer : asked) {
            polled.push_back({peer.fd, POLLIN, 0});
        }
        const int ready = ::poll(polled.data(), polled.size(), MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;  // the deadline has come
        }
        for (std::size_t i = asked.size(); i-- > 0;) {
            if (polled[i].revents == 0) {
                continue;
            }
            const bool open = ReceiveAvailable(asked[i].fd, asked[i].pending);
            const std::optional<bool> matches = TitleMatches(asked[i].pending, title);
            if (!matches && open) {
                continue;  // more of the reply is to come
            }
            if (open && *matches && found < 0) {
                found = asked[i].fd;
            } else {
                ::close(asked[i].fd);
            }
            asked.erase(asked.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (const Asked& peer : asked) {
        ::close(peer.fd);
    }
    return found;
}

}  // namespace

RemoteWindow* FindRemoteWindow(const QString& title) {
    const QByteArray folder = SocketFolder(false);
    if (folder.isEmpty()) {
        return nullptr;
    }
    const Clock::time_point start = Clock::now();
    const int fd = AskAllForTitle(folder, title, start + kPeerBudget);
    if (fd < 0) {
        return nullptr;
    }
    // The time the window took to answer is part of its budget.
    auto connection = std::make_shared<Connection>(fd, kPeerBudget);
    connection->Charge(Clock::now() - start);
    return Keep(std::move(connection), kTopLevelId);
}

RemoteWindow* GetFirstRemoteChild(RemoteWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    QByteArray request;
    PutU8(request, kOpFirstChild);
    PutU32(request, window->Id());
    const std::int64_t child = ResultOf(window->Peer().Exchange(request));
    if (child <= 0 || child > std::int64_t{UINT32_MAX}) {
        return nullptr;
    }
    return Keep(window->Shared(), static_cast<std::uint32_t>(child));
}

namespace {

QByteArray MessageHeader(RemoteWindow* window, unsigned message, WParam wParam) {
    QByteArray request;
    PutU8(request, kOpMessage);
    PutU32(request, window->Id());
    PutU32(request, message);
    PutU64(request, wParam);
    return request;
}

}  // namespace

MessageResult SendRemoteMessage(RemoteWindow* window, unsigned message, WParam wParam,
                                LParam lParam) {
    if (window == nullptr) {
        return 0;
    }
    QByteArray request = MessageHeader(window, message, wParam);
    PutU8(request, kParamNumber);
    PutU64(request, static_cast<std::uint64_t>(lParam));
    return static_cast<MessageResult>(ResultOf(window->Peer().Exchange(request)));
}

MessageResult SendRemoteMessage(RemoteWindow* window, unsigned message, WParam wParam,
                                const QString& text) {
    if (window == nullptr) {
        return 0;
    }
    QByteArray request = MessageHeader(window, message, wParam);
    PutU8(request, kParamText);
    // A text longer than a frame carries is cut to fit, never split inside a surrogate pair.
    const qsizetype room = (static_cast<qsizetype>(kMaxFrame) - request.size() - 4) / 2;
    qsizetype length = std::min(text.size(), room);
    if (length < text.size() && length > 0 && text.at(length - 1).isHighSurrogate()) {
        --length;
    }
    PutText(request, length < text.size() ? text.left(length) : text);
    return static_cast<MessageResult>(ResultOf(window->Peer().Exchange(request)));
}

}  // namespace platform

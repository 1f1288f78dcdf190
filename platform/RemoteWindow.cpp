#include "platform/RemoteWindow.h"

#include "platform/RemoteProtocol.h"

#include <dirent.h>
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

// One connection to a publishing process, shared by the handles of its windows.
class Connection {
public:
    explicit Connection(int fd) : m_fd(fd) {}
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // One request, one reply. The first failure or time-out closes the connection for good,
    // so a peer that hangs costs one wait and no more.
    std::optional<QByteArray> Exchange(const QByteArray& request) {
        std::lock_guard lock(m_mutex);
        if (m_fd < 0) {
            return std::nullopt;
        }
        const Deadline deadline = std::chrono::steady_clock::now() + kReplyWait;
        std::optional<QByteArray> reply;
        if (WriteFrame(m_fd, request, deadline)) {
            reply = ReadFrame(m_fd, deadline);
        }
        if (!reply) {
            Close();
        }
        return reply;
    }

private:
    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    std::mutex m_mutex;
    int m_fd = -1;
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

// Connects to a published window's socket. A socket nobody listens on is left over from a
// process that died: it is removed.
std::shared_ptr<Connection> Connect(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!IsOwnSocket(path) || path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return nullptr;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return nullptr;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ECONNREFUSED) {
            ::unlink(path.constData());
        }
        ::close(fd);
        return nullptr;
    }
    if (!PeerIsOwnUser(fd, nullptr)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_shared<Connection>(fd);
}

std::optional<QString> TitleOf(Connection& connection) {
    QByteArray request;
    PutU8(request, kOpTitle);
    const std::optional<QByteArray> reply = connection.Exchange(request);
    if (!reply) {
        return std::nullopt;
    }
    Reader reader(*reply);
    std::uint64_t result = 0;
    QString title;
    if (!reader.U64(&result) || !reader.Text(&title)) {
        return std::nullopt;
    }
    return title;
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

}  // namespace

RemoteWindow* FindRemoteWindow(const QString& title) {
    const QByteArray folder = SocketFolder(false);
    if (folder.isEmpty()) {
        return nullptr;
    }
    for (const QByteArray& name : SocketNames(folder)) {
        std::shared_ptr<Connection> connection = Connect(folder + '/' + name);
        if (connection && TitleOf(*connection) == title) {
            return Keep(std::move(connection), kTopLevelId);
        }
    }
    return nullptr;
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
    PutText(request, text);
    return static_cast<MessageResult>(ResultOf(window->Peer().Exchange(request)));
}

}  // namespace platform

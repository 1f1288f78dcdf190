#include "platform/remote/PublishedWindow.h"

#include "platform/remote/RemoteProtocol.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

using namespace platform::remote;

namespace {

struct Node {
    std::vector<std::uint32_t> children;
    RemoteHandler handler;
};

// A sender's connection and the bytes of its request not yet complete.
struct Client {
    int fd = -1;
    std::int64_t pid = 0;
    QByteArray pending;
};

QString ErrorText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A listening socket at path; -1 with the reason in problem when there is none.
int ListenAt(const QByteArray& path, QString* problem) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        *problem =
            QStringLiteral("the socket path %1 is too long").arg(QString::fromLocal8Bit(path));
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *problem = QStringLiteral("no socket can be made (%1)").arg(ErrorText());
        return -1;
    }
    // A staging socket of the same name is left over from a dead process that had our id.
    ::unlink(path.constData());
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!bound || ::listen(fd, 16) != 0) {
        *problem = QStringLiteral("the folder %1 takes no socket (%2)")
                       .arg(QString::fromLocal8Bit(path.left(path.lastIndexOf('/'))), ErrorText());
        if (bound) {
            ::unlink(path.constData());
        }
        ::close(fd);
        return -1;
    }
    ::chmod(path.constData(), 0600);
    return fd;
}

}  // namespace

struct PublishedWindow::Impl {
    QString title;
    QString problem;
    std::mutex mutex;         // guards nodes
    std::vector<Node> nodes;  // index = window id; 0 is unused
    QByteArray path;
    int listenFd = -1;
    int wake[2] = {-1, -1};
    std::thread thread;

    void Serve();
    bool ServeClient(Client& client);
    std::optional<QByteArray> Answer(const QByteArray& request, std::int64_t sender);
    QByteArray AnswerMessage(Reader& reader, std::int64_t sender);
};

PublishedWindow::PublishedWindow(const QString& title, RemoteHandler handler, When when)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->title = title;
    m_impl->nodes.resize(2);
    m_impl->nodes[kTopLevel].handler = std::move(handler);
    if (when == When::Now) {
        Publish();
    }
}

// The socket listens under a hidden name first and takes its real name only when it can be
// served: a sender never finds it refusing connections, and so never takes it for a leftover.
bool PublishedWindow::Publish() {
    Impl& impl = *m_impl;
    if (IsPublished()) {
        return true;
    }
    const QByteArray folder = SocketFolder(true, &impl.problem);
    if (folder.isEmpty()) {
        return false;
    }
    static std::atomic<int> s_serial{0};
    const QByteArray name =
        "w-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(++s_serial);
    const QByteArray staging = folder + "/." + name;
    const int fd = ListenAt(staging, &impl.problem);
    if (fd < 0) {
        return false;
    }
    if (::pipe2(impl.wake, O_CLOEXEC) != 0) {
        impl.problem = QStringLiteral("no wake-up pipe can be made (%1)").arg(ErrorText());
    } else if (::rename(staging.constData(), (folder + '/' + name).constData()) != 0) {
        impl.problem = QStringLiteral("the socket cannot be named in the folder %1 (%2)")
                           .arg(QString::fromLocal8Bit(folder), ErrorText());
        for (int& end : impl.wake) {
            ::close(end);
            end = -1;
        }
    } else {
        impl.listenFd = fd;
        impl.path = folder + '/' + name;
        impl.problem.clear();
        impl.thread = std::thread([&impl] { impl.Serve(); });
        return true;
    }
    ::unlink(staging.constData());
    ::close(fd);
    return false;
}

PublishedWindow::~PublishedWindow() {
    if (m_impl->thread.joinable()) {
        const char stop = 0;
        while (::write(m_impl->wake[1], &stop, 1) < 0 && errno == EINTR) {
        }
        m_impl->thread.join();
    }
    for (int fd : {m_impl->wake[0], m_impl->wake[1]}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (m_impl->listenFd >= 0) {
        ::close(m_impl->listenFd);
        ::unlink(m_impl->path.constData());
    }
}

bool PublishedWindow::IsPublished() const {
    return m_impl->thread.joinable();
}

QString PublishedWindow::Problem() const {
    return m_impl->problem;
}

int PublishedWindow::AddChild(int parentId, RemoteHandler handler) {
    std::lock_guard lock(m_impl->mutex);
    auto& nodes = m_impl->nodes;
    if (parentId < kTopLevel || parentId >= static_cast<int>(nodes.size())) {
        return 0;
    }
    const auto id = static_cast<std::uint32_t>(nodes.size());
    nodes.push_back(Node{{}, std::move(handler)});
    nodes[static_cast<std::size_t>(parentId)].children.push_back(id);
    return static_cast<int>(id);
}

void PublishedWindow::Impl::Serve() {
    std::vector<Client> clients;
    for (;;) {
        std::vector<pollfd> polled{{wake[0], POLLIN, 0}, {listenFd, POLLIN, 0}};
        for (const Client& client : clients) {
            polled.push_back({client.fd, POLLIN, 0});
        }
        if (::poll(polled.data(), polled.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (polled[0].revents != 0) {
            break;
        }
        // Serve the senders first: a new connection only appends to the list.
        for (std::size_t i = clients.size(); i-- > 0;) {
            if (polled[i + 2].revents != 0 && !ServeClient(clients[i])) {
                ::close(clients[i].fd);
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (polled[1].revents & POLLIN) {
            const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            Client client{fd, 0, {}};
            if (fd >= 0 && PeerIsOwnUser(fd, &client.pid)) {
                clients.push_back(std::move(client));
            } else if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    for (const Client& client : clients) {
        ::close(client.fd);
    }
}

// Reads what the sender has written and answers every complete request. False when the
// sender is gone or broke the protocol; its connection is then dropped. At most one whole frame
// is taken in at a time: a sender that never stops writing neither holds the thread nor fills
// the memory, and the rest waits in the socket for the next round.
bool PublishedWindow::Impl::ServeClient(Client& client) {
    if (!ReceiveAvailable(client.fd, client.pending)) {
        return false;
    }
    bool broken = false;
    while (const std::optional<QByteArray> request = TakeFrame(client.pending, &broken)) {
        const std::optional<QByteArray> reply = Answer(*request, client.pid);
        const Deadline deadline = std::chrono::steady_clock::now() + kReplyWait;
        if (!reply || !WriteFrame(client.fd, *reply, deadline)) {
            return false;
        }
    }
    return !broken;
}

std::optional<QByteArray> PublishedWindow::Impl::Answer(const QByteArray& request,
                                                        std::int64_t sender) {
    Reader reader(request);
    std::uint8_t op = 0;
    if (!reader.U8(&op)) {
        return std::nullopt;
    }
    QByteArray reply;
    if (op == kOpTitle && reader.AtEnd()) {
        PutU64(reply, 0);
        PutText(reply, title);
        return reply;
    }
    if (op == kOpFirstChild) {
        std::uint32_t id = 0;
        if (!reader.U32(&id) || !reader.AtEnd()) {
            return std::nullopt;
        }
        std::lock_guard lock(mutex);
        const bool known = id >= kTopLevelId && id < nodes.size() && !nodes[id].children.empty();
        PutU64(reply, known ? nodes[id].children.front() : 0);
        return reply;
    }
    if (op == kOpMessage) {
        reply = AnswerMessage(reader, sender);
        return reply.isEmpty() ? std::nullopt : std::optional(reply);
    }
    return std::nullopt;
}

// Empty when the request is malformed.
QByteArray PublishedWindow::Impl::AnswerMessage(Reader& reader, std::int64_t sender) {
    std::uint32_t id = 0;
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::uint8_t kind = 0;
    RemoteMessage received;
    received.sender = sender;
    if (!reader.U32(&id) || !reader.U32(&message) || !reader.U64(&wParam) || !reader.U8(&kind)) {
        return {};
    }
    received.message = message;
    received.wParam = static_cast<WParam>(wParam);
    if (kind == kParamText) {
        received.hasText = true;
        if (!reader.Text(&received.text)) {
            return {};
        }
    } else {
        std::uint64_t number = 0;
        if (kind != kParamNumber || !reader.U64(&number)) {
            return {};
        }
        received.lParam = static_cast<LParam>(number);
    }
    if (!reader.AtEnd()) {
        return {};
    }
    RemoteHandler handler;
    {
        std::lock_guard lock(mutex);
        if (id >= kTopLevelId && id < nodes.size()) {
            handler = nodes[id].handler;
        }
    }
    // The handler runs without the lock, so that it may take its time or add children.
    const MessageResult result = handler ? handler(received) : 0;
    QByteArray reply;
    PutU64(reply, static_cast<std::uint64_t>(result));
    return reply;
}

}  // namespace platform

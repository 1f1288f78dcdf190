#include "platform/remote/RemoteProtocol.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::remote {

namespace {

// Why a folder may not be trusted, or nothing when it may: it must be a real directory (no
// symbolic link) of the user, writable by no one else; with privateOnly, not even readable or
// enterable by others.
QString FolderFault(const QByteArray& path, bool privateOnly) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        return QStringLiteral("cannot be read (%1)")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISLNK(st.st_mode)) {
        return QStringLiteral("is a symbolic link");
    }
    if (!S_ISDIR(st.st_mode)) {
        return QStringLiteral("is not a folder");
    }
    if (st.st_uid != ::getuid()) {
        return QStringLiteral("belongs to another user");
    }
    const mode_t forbidden = privateOnly ? mode_t{077} : mode_t{022};
    if ((st.st_mode & forbidden) != 0) {
        return QStringLiteral("is open to other users");
    }
    return {};
}

QByteArray EnsurePrivateFolder(const QByteArray& path, bool create, QString* problem) {
    QString fault;
    if (create && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        fault = QStringLiteral("cannot be created (%1)")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
    } else {
        fault = FolderFault(path, true);
    }
    if (fault.isEmpty()) {
        return path;
    }
    if (problem != nullptr) {
        *problem = QStringLiteral("the folder %1 %2").arg(QString::fromLocal8Bit(path), fault);
    }
    return {};
}

// Waits for the socket to become ready for events; false on time-out, hang-up or error.
bool WaitFor(int fd, short events, Deadline deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n > 0 && (p.revents & events) != 0;
    }
}

// Moves size bytes with transfer (one non-blocking send or receive, answering like ::send),
// waiting for the socket to be ready for events while it cannot, until deadline. False when the
// deadline passes, the peer closes the connection, or an error comes.
template <class Transfer>
bool TransferAll(int fd, short events, std::size_t size, Deadline deadline, Transfer transfer) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = transfer(done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd, events, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

bool WriteAll(int fd, const char* data, std::size_t size, Deadline deadline) {
    return TransferAll(fd, POLLOUT, size, deadline, [fd, data](std::size_t at, std::size_t left) {
        return ::send(fd, data + at, left, MSG_NOSIGNAL | MSG_DONTWAIT);
    });
}

bool ReadAll(int fd, char* data, std::size_t size, Deadline deadline) {
    return TransferAll(fd, POLLIN, size, deadline, [fd, data](std::size_t at, std::size_t left) {
        return ::recv(fd, data + at, left, MSG_DONTWAIT);
    });
}

}  // namespace

int MillisecondsLeft(Deadline deadline) {
    // Rounded up, so that a wait of less than a millisecond still waits.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

QByteArray SocketFolder(bool create, QString* problem) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && FolderFault(runtime, false).isEmpty()) {
        return EnsurePrivateFolder(QByteArray(runtime) + "/druno-windows", create, problem);
    }
    return EnsurePrivateFolder("/tmp/druno-windows-" + QByteArray::number(::getuid()), create,
                               problem);
}

bool IsOwnSocket(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

bool PeerIsOwnUser(int fd, std::int64_t* pid) {
    ucred cred{};
    socklen_t size = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0 || cred.uid != ::getuid()) {
        return false;
    }
    if (pid != nullptr) {
        *pid = cred.pid;
    }
    return true;
}

bool WriteFrame(int fd, const QByteArray& body, Deadline deadline) {
    if (body.size() > static_cast<qsizetype>(kMaxFrame)) {
        return false;
    }
    QByteArray frame;
    PutU32(frame, static_cast<std::uint32_t>(body.size()));
    frame += body;
    return WriteAll(fd, frame.constData(), static_cast<std::size_t>(frame.size()), deadline);
}

std::optional<QByteArray> ReadFrame(int fd, Deadline deadline) {
    std::uint32_t size = 0;
    if (!ReadAll(fd, reinterpret_cast<char*>(&size), sizeof size, deadline) || size > kMaxFrame) {
        return std::nullopt;
    }
    QByteArray body(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!ReadAll(fd, body.data(), size, deadline)) {
        return std::nullopt;
    }
    return body;
}

bool ReceiveAvailable(int fd, QByteArray& pending) {
    char buffer[4096];
    while (pending.size() < 4 + static_cast<qsizetype>(kMaxFrame)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            pending.append(buffer, n);
        } else if (n == 0) {
            return false;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            break;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

std::optional<QByteArray> TakeFrame(QByteArray& pending, bool* broken) {
    *broken = false;
    std::uint32_t size = 0;
    if (pending.size() < static_cast<qsizetype>(sizeof size)) {
        return std::nullopt;
    }
    std::memcpy(&size, pending.constData(), sizeof size);
    if (size > kMaxFrame) {
        *broken = true;
        return std::nullopt;
    }
    const qsizetype whole = static_cast<qsizetype>(sizeof size) + static_cast<qsizetype>(size);
    if (pending.size() < whole) {
        return std::nullopt;
    }
    QByteArray body = pending.mid(sizeof size, size);
    pending.remove(0, whole);
    return body;
}

void PutU8(QByteArray& out, std::uint8_t value) {
    out.append(static_cast<char>(value));
}

void PutU32(QByteArray& out, std::uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutU64(QByteArray& out, std::uint64_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(QByteArray& out, const QString& text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

bool Reader::Take(void* value, qsizetype size) {
    if (m_data.size() - m_pos < size) {
        return false;
    }
    std::memcpy(value, m_data.constData() + m_pos, static_cast<std::size_t>(size));
    m_pos += size;
    return true;
}

bool Reader::Text(QString* text) {
    std::uint32_t count = 0;
    if (!U32(&count) || static_cast<quint64>(m_data.size() - m_pos) < quint64{count} * 2) {
        return false;
    }
    text->resize(static_cast<qsizetype>(count));
    return Take(text->data(), static_cast<qsizetype>(count) * 2);
}

}  // namespace platform::remote

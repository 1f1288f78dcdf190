#include "platform/core/File.h"

#include "platform/core/TerminationSignals.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

int OpenFlags(unsigned flags) {
    // Without blocking: opening a FIFO or a device must never hold the program up. Such a
    // file is refused as soon as it is open, and a regular file does not care.
    int native = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    switch (flags & 0x3) {
        case kFileReadWrite:
            native |= O_RDWR;
            break;
        case 0x1:
            native |= O_WRONLY;
            break;
        default:
            native |= O_RDONLY;
            break;
    }
    if (flags & kFileCreate) {
        native |= O_CREAT;
        if (flags & kFileCreateNew) {
            native |= O_EXCL;
        }
        // Creating truncates an existing file unless asked to keep it.
        if (!(flags & kFileNoTruncate)) {
            native |= O_TRUNC;
        }
    }
    return native;
}

// Appends the UTF-8 form of one code point.
void AppendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at p (at most n bytes) and its code point; 0 when
// the bytes there are not valid UTF-8 (overlong forms and surrogates included).
int DecodeUtf8(const unsigned char* p, qsizetype n, char32_t& cp) {
    const unsigned char lead = p[0];
    int length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (n < length) {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

constexpr char16_t kEscapeBase = 0xDC00;

// The folder a file name lies in, opened only to be looked at and to open the file in, so
// that what is checked is the folder the file is then opened in. -1 with errno on failure.
int OpenFolderOf(const QByteArray& name, QByteArray& base) {
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArrayLiteral(".") : name.left(slash > 0 ? slash : 1);
    base = name.mid(slash + 1);
    if (base.isEmpty()) {
        base = QByteArrayLiteral(".");  // a name that ends in "/" names the folder itself
    }
    int fd;
    do {
        fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Other users can put files into the folder, or take ours out of it.
bool OthersCanWrite(int folder) {
    struct stat info {};
    return ::fstat(folder, &info) != 0 || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Between two tries for a lock.
constexpr int kLockTryMs = 10;

int s_lockWaitLimitMs = 0;
int s_lockWaits = 0;  // Lock calls waiting on this thread, one inside another at most rarely

std::function<void()>& LockWaitObserver() {
    static std::function<void()> observer;
    return observer;
}

// One pause of a Lock that waits: what the window system asks to be painted is painted (user
// input and the termination signals' own notifier stay queued), then the pause lasts until the
// next try or until a termination signal comes in.
void PauseForLock(int milliseconds) {
    if (QCoreApplication::instance() != nullptr) {
        ++s_lockWaits;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers);
        --s_lockWaits;
    }
    TerminationSignals::WaitUntilPending(milliseconds);
}

}  // namespace

bool IsWaitingForLock() {
    return s_lockWaits > 0;
}

void SetLockWaitLimit(int milliseconds) {
    s_lockWaitLimitMs = milliseconds;
}

void SetLockWaitObserver(std::function<void()> observer) {
    LockWaitObserver() = std::move(observer);
}

bool RemoveFile(const QString& path) {
    const QByteArray name = EncodeFileName(path);
    return !name.isEmpty() && ::unlink(name.constData()) == 0;
}

QString DecodeFileName(const QByteArray& name) {
    QString result;
    result.reserve(name.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    qsizetype i = 0;
    while (i < name.size()) {
        if (bytes[i] < 0x80) {
            result += QChar(bytes[i]);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int length = DecodeUtf8(bytes + i, name.size() - i, cp);
        if (length == 0) {
            result += QChar(static_cast<char16_t>(kEscapeBase + bytes[i]));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(cp)) {
            result += QChar(QChar::highSurrogate(cp));
            result += QChar(QChar::lowSurrogate(cp));
        } else {
            result += QChar(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return result;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out += static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit) || unit == 0) {
            return QByteArray();  // no file name holds it
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

File::~File() {
    Close();
}

int File::Open(const QString& path, unsigned flags) {
    Close();
    m_error = 0;
    const QByteArray name = EncodeFileName(path);
    if (name.isEmpty()) {
        m_error = EINVAL;
        return -1;
    }
    QByteArray base;
    const int folder = OpenFolderOf(name, base);
    if (folder < 0) {
        m_error = errno;
        return -1;
    }
    // In a shared folder a link is refused, and nothing is cut short before it is known to be
    // ours.
    const bool shared = OthersCanWrite(folder);
    int native = OpenFlags(flags);
    const bool truncate = (native & O_TRUNC) != 0;
    if (shared) {
        native = (native | O_NOFOLLOW) & ~O_TRUNC;
    }
    int fd;
    do {
        fd = ::openat(folder, base.constData(), native, 0666);
    } while (fd < 0 && errno == EINTR);
    const int openError = errno;
    ::close(folder);
    if (fd < 0) {
        m_error = openError;
        return -1;
    }
    // A FIFO would stall every read, a device swallow every write, a folder fail them all.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    if (shared && (info.st_uid != ::geteuid() || info.st_nlink != 1)) {
        m_error = EPERM;
        ::close(fd);
        return -1;
    }
    if (shared && truncate && ::ftruncate(fd, 0) != 0) {
        m_error = errno;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    return 0;
}

std::int64_t File::Seek(std::int64_t offset) {
    if (m_fd < 0 || offset < 0) {
        return -1;
    }
    const off_t position = ::lseek(m_fd, static_cast<off_t>(offset), SEEK_SET);
    return position < 0 ? -1 : static_cast<std::int64_t>(position);
}

int File::Read(void* buffer, int count) {
    if (m_fd < 0 || count < 0) {
        return -1;
    }
    // A regular file may still deliver less than asked (a signal); keep reading until the
    // count is reached or the file ends.
    auto* bytes = static_cast<char*>(buffer);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<int>(n);
    }
    return done;
}

int File::Write(const void* buffer, int count) {
    if (m_fd < 0 || count < 0) {
        return -1;
    }
    const auto* bytes = static_cast<const char*>(buffer);
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, bytes + done, static_cast<size_t>(count - done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        done += static_cast<int>(n);
    }
    return done;
}

std::int64_t File::Size() const {
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

int File::Lock(bool exclusive) {
    if (m_fd < 0) {
        return -1;
    }
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const QDeadlineTimer deadline(s_lockWaitLimitMs > 0 ? s_lockWaitLimitMs : kLockWaitMs);
    const int signalsBefore = TerminationSignals::HandedOn();
    bool waiting = false;
    for (;;) {
        if (::flock(m_fd, operation) == 0) {
            return 0;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            m_error = errno;
            return -1;
        }
        if (!waiting && LockWaitObserver()) {
            LockWaitObserver()();
        }
        waiting = true;
        // A signal that came in meanwhile, taken by the loop already or not.
        if (TerminationSignals::IsPending() || TerminationSignals::HandedOn() != signalsBefore) {
            m_error = EINTR;
            return -1;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            m_error = EWOULDBLOCK;
            return -1;
        }
        PauseForLock(static_cast<int>(std::min<qint64>(left, kLockTryMs)));
    }
}

bool File::IsSameFile(const File& other) const {
    struct stat mine {};
    struct stat theirs {};
    if (m_fd < 0 || other.m_fd < 0 || ::fstat(m_fd, &mine) != 0 ||
        ::fstat(other.m_fd, &theirs) != 0) {
        return false;
    }
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

void File::Close() {
    if (m_fd < 0) {
        return;
    }
    // Not retried on EINTR: on Linux the descriptor is released whatever close answers.
    ::close(m_fd);
    m_fd = -1;
}

}  // namespace platform

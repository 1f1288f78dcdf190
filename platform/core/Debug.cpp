#include "platform/core/Debug.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>

namespace platform {

namespace {

// Lines wait here until the stream takes them. A plain array with a plain count, so that a
// fatal-signal handler can still write out what it holds.
constexpr std::size_t kCapacity = 256 * 1024;
// How long one line may wait for a stream that takes nothing, when no event loop will come back
// to it.
constexpr int kLineWaitMs = 50;

char s_pending[kCapacity];
std::size_t s_used = 0;
std::size_t s_dropped = 0;

// The stream as written: descriptor 2 itself, or (a pipe, a terminal) a non-blocking opening
// of the same object, so that the blocking mode of descriptor 2, which the shell shares, stays.
int s_fd = -1;
bool s_socket = false;     // send() with MSG_DONTWAIT
bool s_pollFirst = false;  // a blocking descriptor: write only what poll() says fits
bool s_gone = false;       // the reader has gone for good: lines are discarded
bool s_stalled = false;    // the last wait ran out: no more waiting until the stream moves again

const int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction s_previousActions[std::size(kFatalSignals)];

void OpenStream() {
    if (s_fd >= 0) {
        return;
    }
    s_fd = STDERR_FILENO;
    struct stat st {};
    if (::fstat(STDERR_FILENO, &st) != 0) {
        return;
    }
    if (S_ISSOCK(st.st_mode)) {
        s_socket = true;
    } else if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
        const int fd = ::open("/proc/self/fd/2", O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            s_fd = fd;
        } else {
            s_pollFirst = true;
        }
    }
    // A regular file takes every write at once.
}

// One write that never waits: -1 with EAGAIN when the stream takes nothing now.
ssize_t WriteSome(const char* data, std::size_t size) {
    if (s_socket) {
        return ::send(s_fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    if (s_pollFirst) {
        pollfd ready{s_fd, POLLOUT, 0};
        if (::poll(&ready, 1, 0) <= 0) {
            errno = EAGAIN;
            return -1;
        }
        size = std::min<std::size_t>(size, PIPE_BUF);
    }
    return ::write(s_fd, data, size);
}

long long NowMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Writes up to size bytes of data; returns how many went out (all of them once the reader has
// gone, as nothing will take them). Only calls that are safe in a signal handler.
std::size_t WriteOut(const char* data, std::size_t size, int waitMs) {
    const long long deadline = NowMs() + waitMs;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = WriteSome(data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            s_stalled = false;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            const long long left = deadline - NowMs();
            if (left <= 0) {
                // Only a wait that ran out says the stream has stopped; a look without waiting
                // says nothing.
                s_stalled = s_stalled || waitMs > 0;
                break;
            }
            pollfd ready{s_fd, POLLOUT, 0};
            ::poll(&ready, 1, static_cast<int>(left));
            continue;
        }
        // No reader any more, or no stream at all: nothing will ever take these lines.
        s_gone = true;
        return size;
    }
    return done;
}

void Drain(int waitMs) {
    if (s_used == 0) {
        return;
    }
    OpenStream();
    const std::size_t done = WriteOut(s_pending, s_used, s_stalled ? 0 : waitMs);
    std::memmove(s_pending, s_pending + done, s_used - done);
    s_used -= done;
    if (s_gone) {
        s_used = 0;
    }
}

// Notes the lines dropped so far, when the note and size bytes after it both fit.
void NoteDropped(std::size_t size) {
    if (s_dropped == 0) {
        return;
    }
    char note[80];
    const int length =
        std::snprintf(note, sizeof note, "(%zu lines of debug output dropped)\n", s_dropped);
    if (length > 0 && static_cast<std::size_t>(length) + size <= kCapacity - s_used) {
        std::memcpy(s_pending + s_used, note, static_cast<std::size_t>(length));
        s_used += static_cast<std::size_t>(length);
        s_dropped = 0;
    }
}

// Counts size bytes written at s_pending + s_used as collected.
void Commit(std::size_t size) {
    // A fatal-signal handler must never see the count ahead of the bytes.
    std::atomic_signal_fence(std::memory_order_release);
    s_used += size;
}

void Append(const char* data, std::size_t size) {
    NoteDropped(size);
    if (size > kCapacity - s_used) {
        ++s_dropped;
        return;
    }
    std::memcpy(s_pending + s_used, data, size);
    Commit(size);
}

// The event loop's part: write whenever the program falls idle, and, while the stream lags,
// again as soon as it can take more.
struct IdleWatch {
    QPointer<QObject> hook;
    QPointer<QSocketNotifier> writable;
};

IdleWatch& Watch() {
    // Never destroyed: lines written by static destructors still come through here.
    static IdleWatch* watch = new IdleWatch;
    return *watch;
}

void OnIdle() {
    Drain(0);
    IdleWatch& watch = Watch();
    const bool lagging = s_used > 0 && !s_gone;
    if (lagging && watch.writable == nullptr && watch.hook != nullptr) {
        watch.writable = new QSocketNotifier(s_fd, QSocketNotifier::Write, watch.hook);
        QObject::connect(watch.writable, &QSocketNotifier::activated, watch.hook, &OnIdle);
    }
    if (watch.writable != nullptr) {
        watch.writable->setEnabled(lagging);
    }
}

// True while an event loop of this thread will come back to write what waits.
bool WatchIdle() {
    IdleWatch& watch = Watch();
    if (watch.hook != nullptr) {
        return true;
    }
    QCoreApplication* app = QCoreApplication::instance();
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (app == nullptr || dispatcher == nullptr || app->thread() != QThread::currentThread()) {
        return false;
    }
    watch.hook = new QObject(app);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, watch.hook, &OnIdle);
    return true;
}

// Makes room for size more bytes where it can: what waits goes out first when they would not
// fit.
void MakeRoom(std::size_t size) {
    if (size > kCapacity - s_used) {
        Drain(kLineWaitMs);
    }
}

// Without an event loop to come back, or with much waiting, the lines go now.
void DrainUnlessIdleComes() {
    if (!WatchIdle() || s_used >= kCapacity / 2) {
        Drain(kLineWaitMs);
    }
}

void Collect(const char* data, std::size_t size) {
    if (s_gone) {
        return;
    }
    MakeRoom(size);
    Append(data, size);
    DrainUnlessIdleComes();
}

// Appends the piece in UTF-8 as QString::toUtf8 gives it; returns the end. Trace lines are
// mostly ASCII, which is copied as it stands; whatever follows the first other character is
// left to Qt, which writes a surrogate without its partner as '?'.
char* AppendUtf8(char* out, QStringView piece) {
    const char16_t* units = piece.utf16();
    const qsizetype size = piece.size();
    qsizetype ascii = 0;
    for (; ascii < size && units[ascii] < 0x80; ++ascii) {
        out[ascii] = static_cast<char>(units[ascii]);
    }
    out += ascii;
    if (ascii < size) {
        const QByteArray rest = piece.sliced(ascii).toUtf8();
        std::memcpy(out, rest.constData(), static_cast<std::size_t>(rest.size()));
        out += rest.size();
    }
    return out;
}

// Collects the pieces and a line feed, written straight among the waiting lines.
void CollectLine(std::initializer_list<QStringView> pieces) {
    if (s_gone) {
        return;
    }
    std::size_t units = 1;
    for (const QStringView piece : pieces) {
        units += static_cast<std::size_t>(piece.size());
    }
    // UTF-8 takes at most three bytes for each UTF-16 unit.
    const std::size_t bound = 3 * units;
    MakeRoom(bound);
    NoteDropped(bound);
    if (bound > kCapacity - s_used) {
        // Too little room for the longest the line could be: it is dropped only if its
        // actual length does not fit either.
        QByteArray bytes;
        for (const QStringView piece : pieces) {
            bytes += piece.toUtf8();
        }
        bytes += '\n';
        Append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        char* const start = s_pending + s_used;
        char* end = start;
        for (const QStringView piece : pieces) {
            end = AppendUtf8(end, piece);
        }
        *end++ = '\n';
        Commit(static_cast<std::size_t>(end - start));
    }
    DrainUnlessIdleComes();
}

void FlushAtExit() {
    Drain(kExitFlushWaitMs);
}

// Writes out what waits, then lets the signal take its course: a fault happens again under the
// handler there was before; a signal that was sent is sent again.
void OnFatalSignal(int signal, siginfo_t* info, void*) {
    const int savedErrno = errno;
    const std::size_t used = s_used;
    std::atomic_signal_fence(std::memory_order_acquire);
    if (s_fd < 0) {
        s_fd = STDERR_FILENO;
        s_pollFirst = true;
    }
    if (!s_gone) {
        WriteOut(s_pending, used, kExitFlushWaitMs);
    }
    s_used = 0;
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
        if (kFatalSignals[i] == signal) {
            ::sigaction(signal, &s_previousActions[i], nullptr);
        }
    }
    if (info == nullptr || info->si_code <= 0) {
        ::raise(signal);
    }
    errno = savedErrno;
}

void InstallFatalSignalHandlers() {
    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kFatalSignals); ++i) {
        ::sigaction(kFatalSignals[i], &action, &s_previousActions[i]);
    }
}

// Runs before every static initialiser of the program, in whatever file it stands, since the
// application object is constructed (and writes its first lines) during static initialisation.
// A program started with a standard descriptor closed would otherwise hand that number to the
// next file or connection it opens, and the debug output would be written into it.
__attribute__((constructor(101))) void PrepareStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int opened = ::open("/dev/null", O_RDWR);
            if (opened >= 0 && opened != fd) {
                ::dup2(opened, fd);
                ::close(opened);
            }
        }
    }
    // A reader that goes away must not end the program at its next line.
    std::signal(SIGPIPE, SIG_IGN);
    InstallFatalSignalHandlers();
    std::atexit(FlushAtExit);
}

DebugObserver& Observer() {
    static DebugObserver* observer = new DebugObserver;
    return *observer;
}

}  // namespace

void OutputDebugLine(std::initializer_list<QStringView> pieces) {
    CollectLine(pieces);
    if (Observer()) {
        QString text;
        for (const QStringView piece : pieces) {
            text += piece;
        }
        Observer()(text + QLatin1Char('\n'));
    }
}

void OutputDebugString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    Collect(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (Observer()) {
        Observer()(text);
    }
}

void WriteStandardError(const QByteArray& bytes) {
    Collect(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void FlushDebugOutput(int waitMs) {
    Drain(waitMs);
}

void SetDebugObserver(DebugObserver observer) {
    Observer() = std::move(observer);
}

}  // namespace platform

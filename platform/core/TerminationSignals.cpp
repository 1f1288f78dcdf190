#include "platform/core/TerminationSignals.h"

#include <QSocketNotifier>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace platform {

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction s_previousActions[std::size(kSignals)];
bool s_catching = false;

// The handler's end of the pipe, and the loop's. Made once, they last as long as the process.
int s_writeEnd = -1;
int s_readEnd = -1;

// The one object that hands the signals on, and how many it and those before have.
const TerminationSignals* s_handing = nullptr;
int s_handedOn = 0;

// Only what a signal handler may do: one byte into the pipe, which never blocks (a full pipe
// already holds a wake-up).
void OnSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::send(s_writeEnd, &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = savedErrno;
}

bool MakePipe() {
    if (s_writeEnd >= 0) {
        return true;
    }
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) {
        return false;
    }
    s_readEnd = ends[0];
    s_writeEnd = ends[1];
    return true;
}

// The number of signals that had come in.
int Drain() {
    char bytes[16];
    ssize_t n = 0;
    int count = 0;
    while ((n = ::recv(s_readEnd, bytes, sizeof bytes, MSG_DONTWAIT)) > 0) {
        count += static_cast<int>(n);
    }
    return count;
}

bool PollPending(int milliseconds) {
    pollfd entry{s_readEnd, POLLIN, 0};
    const int ready =
        ::poll(s_readEnd >= 0 ? &entry : nullptr, s_readEnd >= 0 ? 1 : 0, milliseconds);
    return ready > 0 && (entry.revents & POLLIN) != 0;
}

}  // namespace

void TerminationSignals::Catch() {
    if (s_catching || !MakePipe()) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &s_previousActions[i]);
    }
    s_catching = true;
}

void TerminationSignals::Release() {
    if (!s_catching) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &s_previousActions[i], nullptr);
    }
    s_catching = false;
    Drain();
}

bool TerminationSignals::IsPending() {
    return s_catching && PollPending(0);
}

bool TerminationSignals::WaitUntilPending(int milliseconds) {
    if (!s_catching) {
        ::poll(nullptr, 0, milliseconds);
        return false;
    }
    // Our own handler interrupts the wait with EINTR: the byte it wrote is there by then.
    return PollPending(milliseconds) || PollPending(0);
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : m_onSignal(std::move(onSignal)) {
    if (s_handing != nullptr) {
        return;
    }
    Catch();
    if (!s_catching) {
        return;
    }
    s_handing = this;
    // Signals already remembered make the notifier fire as soon as the loop looks.
    m_notifier = new QSocketNotifier(s_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { OnReadable(); });
}

TerminationSignals::~TerminationSignals() {
    if (s_handing != this) {
        return;
    }
    delete m_notifier;
    s_handing = nullptr;
    Release();
}

int TerminationSignals::HandedOn() {
    return s_handedOn;
}

void TerminationSignals::OnReadable() {
    const int count = Drain();
    s_handedOn += count;
    for (int i = 0; i < count && m_onSignal; ++i) {
        m_onSignal();
    }
}

}  // namespace platform

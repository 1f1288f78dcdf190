#include "platform/core/TerminationSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace platform {

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction s_previousActions[std::size(kSignals)];

// The handler's end of the pipe, and the loop's.
int s_writeEnd = -1;
int s_readEnd = -1;

// Only what a signal handler may do: one byte into the pipe, which never blocks (a full pipe
// already holds a wake-up).
void OnSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::send(s_writeEnd, &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : m_onSignal(std::move(onSignal)) {
    int ends[2] = {-1, -1};
    if (s_writeEnd >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) {
        return;
    }
    s_readEnd = ends[0];
    s_writeEnd = ends[1];
    m_notifier = new QSocketNotifier(s_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { OnReadable(); });

    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &s_previousActions[i]);
    }
}

TerminationSignals::~TerminationSignals() {
    if (m_notifier == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &s_previousActions[i], nullptr);
    }
    delete m_notifier;
    ::close(s_readEnd);
    ::close(s_writeEnd);
    s_readEnd = -1;
    s_writeEnd = -1;
}

void TerminationSignals::OnReadable() {
    char bytes[16];
    ssize_t n = 0;
    int count = 0;
    while ((n = ::recv(s_readEnd, bytes, sizeof bytes, MSG_DONTWAIT)) > 0) {
        count += static_cast<int>(n);
    }
    for (int i = 0; i < count && m_onSignal; ++i) {
        m_onSignal();
    }
}

}  // namespace platform

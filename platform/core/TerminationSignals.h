#pragma once

// SIGTERM, SIGINT and SIGHUP (a shutdown, Ctrl+C, a closed terminal or session) arrive at any
// moment. While an object of this class lives they become a call on the event loop's thread,
// where the program can end as it does when its window is closed.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace platform {

class TerminationSignals {
public:
    // onSignal runs on the event loop of the thread that makes this object, once per signal.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void OnReadable();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace platform

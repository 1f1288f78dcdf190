#pragma once

// SIGTERM, SIGINT and SIGHUP (a shutdown, Ctrl+C, a closed terminal or session) arrive at any
// moment, the first moments of start-up included. Once caught they are remembered rather than
// left to end the process; while an object of this class lives they become a call on the event
// loop's thread, where the program can end as it does when its window is closed. A signal
// that came in before the object was made is handed on as soon as its loop runs.

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

    // From now on the signals are remembered for the next object of this class. Only what a
    // signal handler may use is set up, so this may run during static initialisation.
    static void Catch();
    // The signals take their default course again; any that were remembered are forgotten.
    static void Release();
    // A signal has come in that no object has handed on yet.
    static bool IsPending();
    // Waits at most the given time for such a signal; true when there is one.
    static bool WaitUntilPending(int milliseconds);
    // How many signals objects of this class have handed on so far.
    static int HandedOn();

private:
    void OnReadable();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace platform

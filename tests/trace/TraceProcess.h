#pragma once

// Runs the traced helper process (trace_writer) with a list of steps and collects what it
// wrote: its debug output (standard error), its final viewer state and how long it took.

#include <QProcess>
#include <QString>
#include <QStringList>

class TraceProcess {
public:
    explicit TraceProcess(const QStringList& steps);
    ~TraceProcess();

    // Blocks until the process has reached a "wait" step.
    bool WaitReady();
    // Lets a waiting process go on.
    void Go();
    // Waits for the end; true when the process ran and exited with 0.
    bool Finish();

    QString DebugOutput() const { return m_stderr; }
    // "searched=1 viewer=1 edit=1" style summary printed by the process at its end.
    QString State() const { return m_state; }
    qint64 ElapsedMs() const { return m_elapsedMs; }

private:
    QProcess m_process;
    QString m_stderr;
    QString m_state;
    qint64 m_elapsedMs = 0;
    qint64 m_startMs = 0;
};

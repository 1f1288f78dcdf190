#include "TraceProcess.h"

#include <QDateTime>

TraceProcess::TraceProcess(const QStringList& steps) {
    m_startMs = QDateTime::currentMSecsSinceEpoch();
    m_process.start(QStringLiteral(DRUNO_TRACE_WRITER), steps);
    m_process.waitForStarted();
}

TraceProcess::~TraceProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool TraceProcess::WaitReady() {
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10000)) {
            return false;
        }
    }
    return m_process.readLine().trimmed() == "ready";
}

void TraceProcess::Go() {
    m_process.write("go\n");
    m_process.waitForBytesWritten();
}

bool TraceProcess::Finish() {
    const bool finished = m_process.waitForFinished(60000);
    m_elapsedMs = QDateTime::currentMSecsSinceEpoch() - m_startMs;
    m_stderr = QString::fromUtf8(m_process.readAllStandardError());
    m_state = QString::fromUtf8(m_process.readAllStandardOutput()).trimmed();
    return finished && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

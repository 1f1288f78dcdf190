#include "trace/TraceScope.h"

#include "platform/Debug.h"

bool s_bDebugOutput = true;

void TraceOutput(const QString& line) {
    if (s_bDebugOutput) {
        platform::OutputDebugString(line + QLatin1Char('\n'));
    }
}

CTraceScope::CTraceScope(const QString& name) : m_strName(name) {
    TraceOutput(m_strName + QStringLiteral(" {"));
}

CTraceScope::~CTraceScope() {
    if (m_strResult.isEmpty()) {
        TraceOutput(QStringLiteral("} ") + m_strName);
    } else {
        TraceOutput(QStringLiteral("} ") + m_strName + QStringLiteral(" (") + m_strResult +
                    QStringLiteral(")"));
    }
}

void CTraceScope::Log(const QString& text) { TraceOutput(text); }

void CTraceScope::LogFormat(const char* format, int value) {
    TraceOutput(QString::asprintf(format, value));
}

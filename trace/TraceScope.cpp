#include "trace/TraceScope.h"

#include "platform/core/Debug.h"
#include "platform/core/Messages.h"
#include "res/Resource.h"

constinit bool s_bDebugOutput = true;
constinit platform::RemoteWindow* s_hwndTraceViewer = nullptr;
constinit platform::RemoteWindow* s_hwndTraceViewerEdit = nullptr;
constinit bool s_bTraceViewerSearched = false;

namespace {

// The viewer's command "the field now holds the next line", with notification 0.
constexpr platform::WParam kViewerTakeLine = ID_TRACE_VIEWER_LINE;

// Looks for the viewer once per process. A viewer started later is never used.
void SearchTraceViewer() {
    s_bTraceViewerSearched = true;
    s_hwndTraceViewer = platform::FindRemoteWindow(QStringLiteral("Kvo"));
    if (s_hwndTraceViewer == nullptr) {
        return;
    }
    s_hwndTraceViewerEdit =
        platform::GetFirstRemoteChild(platform::GetFirstRemoteChild(s_hwndTraceViewer));
}

}  // namespace

void TraceOutput(const QString& line) {
    TraceOutput(std::initializer_list<QStringView>{line});
}

void TraceOutput(std::initializer_list<QStringView> pieces) {
    if (s_bDebugOutput) {
        platform::OutputDebugLine(pieces);
    }
    if (s_hwndTraceViewer == nullptr) {
        if (s_bTraceViewerSearched) {
            return;
        }
        SearchTraceViewer();
    }
    if (s_hwndTraceViewerEdit == nullptr) {
        return;
    }
    QString line;
    for (const QStringView piece : pieces) {
        line += piece;
    }
    // The field holds the line while the viewer takes it, and the marker between lines. The
    // viewer's answers change nothing here.
    platform::SendRemoteMessage(s_hwndTraceViewerEdit, platform::kMsgSetText, 0, line);
    platform::SendRemoteMessage(s_hwndTraceViewer, platform::kMsgCommand, kViewerTakeLine, 0);
    platform::SendRemoteMessage(s_hwndTraceViewerEdit, platform::kMsgSetText, 0,
                                QStringLiteral("{VOQDBGLOG}"));
}

CTraceScope::CTraceScope(const QString& name) : m_strName(name) {
    TraceOutput({m_strName, u" {"});
}

CTraceScope::~CTraceScope() {
    if (m_strResult.isEmpty()) {
        TraceOutput({u"} ", m_strName});
    } else {
        TraceOutput({u"} ", m_strName, u" (", m_strResult, u")"});
    }
}

void CTraceScope::Log(const QString& text) {
    TraceOutput(text);
}

void CTraceScope::LogFormat(const char* format, int value) {
    TraceOutput(QString::asprintf(format, value));
}

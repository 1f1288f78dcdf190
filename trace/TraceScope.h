#pragma once

// The developer trace. A traced method opens a CTraceScope named after itself as its first
// statement: the scope writes "<name> {" at once and "} <name>" (or "} <name> (<result>)")
// when the method is left by whatever path. Every line goes to TraceOutput.
//
// The first line is written while global objects are still being constructed, so the module's
// state below is constant-initialised and needs no constructor of its own.

#include "platform/remote/RemoteWindow.h"

#include <QString>
#include <QStringView>

#include <initializer_list>

// Copy every line to the platform's debug output. On for the whole run.
extern bool s_bDebugOutput;
// The trace viewer's top-level window and its text field (the first child of its first
// child), found once, on the first line of the process; never refreshed.
extern platform::RemoteWindow* s_hwndTraceViewer;
extern platform::RemoteWindow* s_hwndTraceViewerEdit;
// The one search for the viewer has been made.
extern bool s_bTraceViewerSearched;

// Hands one line to the debug output (with a line feed) and to the trace viewer, if a window
// titled "Kvo" existed when the process wrote its first line.
void TraceOutput(const QString& line);
// The same for a line given in pieces, such as a scope's name and its brace: the pieces are
// joined into one text only for the viewer.
void TraceOutput(std::initializer_list<QStringView> pieces);

class CTraceScope {
public:
    explicit CTraceScope(const QString& name);
    ~CTraceScope();
    CTraceScope(const CTraceScope&) = delete;
    CTraceScope& operator=(const CTraceScope&) = delete;

    // The text the exit line carries in parentheses; the last call wins, empty means none.
    void SetResult(const QString& result) { m_strResult = result; }
    // Writes the text as a line of its own.
    void Log(const QString& text);
    // Writes the format applied to one integer ("index=%d") as a line of its own.
    void LogFormat(const char* format, int value);

private:
    QString m_strName;
    QString m_strResult;
};

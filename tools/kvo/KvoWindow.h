#pragma once

// The viewer's window: the trace lines in order with their scopes indented, a count of lines
// (and of the oldest lines dropped to stay within the limits), and the tools to clear, pause,
// find, save and keep to the current run.

#include "TraceInbox.h"
#include "TraceModel.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QTimer;

class KvoWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit KvoWindow(TraceLimits limits = {}, QWidget* parent = nullptr);

    TraceInbox& Inbox() { return m_inbox; }
    TraceModel& Model() { return m_model; }
    // Takes the lines waiting in the inbox into the view (unless paused). Runs shortly after
    // the first line of a batch arrives.
    void TakeWaitingLines();
    // Writes the shown lines, one a line, UTF-8. False when the file cannot be written.
    bool SaveTo(const QString& path) const;
    // Searches onward from the current row for the text in the find field.
    void FindNext();
    void SetPaused(bool paused);

private:
    void BuildToolBar();
    void LinesArrived();
    void Save();
    void UpdateStatus();

    TraceInbox m_inbox;
    TraceModel m_model;
    QListView* m_view = nullptr;
    QLineEdit* m_findField = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_pause = nullptr;
    QTimer* m_batch = nullptr;
};

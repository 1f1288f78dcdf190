#pragma once

// The lines received, in order, each indented by the scopes open in its own process when it
// arrived: a line ending in " {" opens a scope, a line starting with "} " closes one.

#include "TraceInbox.h"

#include <QAbstractListModel>
#include <QStringList>

#include <map>
#include <vector>

class TraceModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Append(const std::vector<TraceLine>& lines);
    void Clear();
    // Shows only the lines of the process that started writing last.
    void SetCurrentRunOnly(bool only);
    bool CurrentRunOnly() const { return m_currentRunOnly; }

    int TotalLines() const { return static_cast<int>(m_entries.size()); }
    std::int64_t CurrentRun() const { return m_currentRun; }
    // The row shown as it is displayed, indentation included.
    QString ShownText(int row) const;
    // The next shown row after from whose text contains needle (case-insensitive), wrapping
    // around; -1 when there is none.
    int FindNext(const QString& needle, int from) const;
    // Every line as received, without indentation.
    QStringList RawLines() const;

private:
    struct Entry {
        std::int64_t sender;
        int depth;
        QString text;
    };

    bool IsShown(const Entry& entry) const;
    void Rebuild();

    std::vector<Entry> m_entries;
    std::vector<int> m_shown;             // indices into m_entries
    std::map<std::int64_t, int> m_depth;  // open scopes per process
    std::int64_t m_currentRun = 0;
    bool m_currentRunOnly = false;
};

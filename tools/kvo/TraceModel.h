#pragma once

// The lines received, in order, each indented by the scopes open in its own process when it
// arrived: a line ending in " {" opens a scope, a line starting with "} " closes one. Past the
// limits the oldest lines are dropped and counted.

#include "TraceInbox.h"

#include <QAbstractListModel>
#include <QStringList>

#include <deque>
#include <map>
#include <vector>

class TraceModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit TraceModel(TraceLimits limits = {}, QObject* parent = nullptr)
        : QAbstractListModel(parent), m_limits(limits) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Append(const std::vector<TraceLine>& lines);
    void Clear();
    // Shows only the lines of the process that started writing last.
    void SetCurrentRunOnly(bool only);
    bool CurrentRunOnly() const { return m_currentRunOnly; }

    // The lines held, and how many older ones were dropped to stay within the limits.
    int TotalLines() const { return static_cast<int>(m_entries.size()); }
    std::size_t Dropped() const { return m_dropped; }
    // Counts lines dropped before they reached the model (while they waited in the inbox).
    void NoteDropped(std::size_t count) { m_dropped += count; }
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
    const Entry& At(std::size_t seq) const { return m_entries[seq - m_firstSeq]; }
    // Drops the oldest lines until the rest are within the limits.
    void Trim();
    // Removes the shown rows of lines that were dropped.
    void RemoveDroppedRows();
    void Rebuild();

    const TraceLimits m_limits;
    std::deque<Entry> m_entries;
    std::size_t m_firstSeq = 0;  // the number of the oldest line held; lines count up from 0
    std::size_t m_bytes = 0;
    std::size_t m_dropped = 0;
    std::deque<std::size_t> m_shown;      // numbers of the lines shown
    std::map<std::int64_t, int> m_depth;  // open scopes per process
    std::int64_t m_currentRun = 0;
    bool m_currentRunOnly = false;
};

#include "TraceModel.h"

#include <algorithm>

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return ShownText(index.row());
}

QString TraceModel::ShownText(int row) const {
    const Entry& entry = At(m_shown[static_cast<std::size_t>(row)]);
    // A line feed inside a line would break the row; show it as the escape a developer reads.
    QString text = entry.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QString(entry.depth * 4, QLatin1Char(' ')) + text;
}

void TraceModel::Append(const std::vector<TraceLine>& lines) {
    if (lines.empty()) {
        return;
    }
    const bool runChanges =
        m_currentRunOnly && std::any_of(lines.begin(), lines.end(), [this](const TraceLine& l) {
            return m_depth.find(l.sender) == m_depth.end();
        });
    if (runChanges) {
        beginResetModel();
    }
    std::vector<std::size_t> shownNew;
    for (const TraceLine& line : lines) {
        auto [depth, isNew] = m_depth.try_emplace(line.sender, 0);
        if (isNew) {
            m_currentRun = line.sender;
        }
        if (line.text.startsWith(QStringLiteral("} ")) && depth->second > 0) {
            --depth->second;
        }
        m_entries.push_back({line.sender, depth->second, line.text});
        m_bytes += TraceLineCost(line.text);
        if (line.text.endsWith(QStringLiteral(" {"))) {
            ++depth->second;
        }
        shownNew.push_back(m_firstSeq + m_entries.size() - 1);
    }
    Trim();
    if (runChanges) {
        Rebuild();
        endResetModel();
        return;
    }
    RemoveDroppedRows();
    std::erase_if(shownNew,
                  [this](std::size_t seq) { return seq < m_firstSeq || !IsShown(At(seq)); });
    if (shownNew.empty()) {
        return;
    }
    const int firstNew = rowCount();
    beginInsertRows({}, firstNew, firstNew + static_cast<int>(shownNew.size()) - 1);
    m_shown.insert(m_shown.end(), shownNew.begin(), shownNew.end());
    endInsertRows();
}

void TraceModel::Trim() {
    while (!m_entries.empty() && (m_entries.size() > m_limits.lines || m_bytes > m_limits.bytes)) {
        m_bytes -= TraceLineCost(m_entries.front().text);
        m_entries.pop_front();
        ++m_firstSeq;
        ++m_dropped;
    }
}

void TraceModel::RemoveDroppedRows() {
    const auto firstKept = std::lower_bound(m_shown.begin(), m_shown.end(), m_firstSeq);
    const auto count = static_cast<int>(firstKept - m_shown.begin());
    if (count == 0) {
        return;
    }
    beginRemoveRows({}, 0, count - 1);
    m_shown.erase(m_shown.begin(), firstKept);
    endRemoveRows();
}

void TraceModel::Clear() {
    beginResetModel();
    m_firstSeq += m_entries.size();
    m_entries.clear();
    m_shown.clear();
    m_bytes = 0;
    m_dropped = 0;
    // Scopes still open stay open: their closing lines are yet to come.
    endResetModel();
}

void TraceModel::SetCurrentRunOnly(bool only) {
    beginResetModel();
    m_currentRunOnly = only;
    Rebuild();
    endResetModel();
}

int TraceModel::FindNext(const QString& needle, int from) const {
    const int rows = rowCount();
    if (needle.isEmpty() || rows == 0) {
        return -1;
    }
    for (int step = 1; step <= rows; ++step) {
        const int row = ((from + step) % rows + rows) % rows;
        if (ShownText(row).contains(needle, Qt::CaseInsensitive)) {
            return row;
        }
    }
    return -1;
}

QStringList TraceModel::RawLines() const {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const Entry& entry : m_entries) {
        lines << entry.text;
    }
    return lines;
}

bool TraceModel::IsShown(const Entry& entry) const {
    return !m_currentRunOnly || entry.sender == m_currentRun;
}

void TraceModel::Rebuild() {
    m_shown.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (IsShown(m_entries[i])) {
            m_shown.push_back(m_firstSeq + i);
        }
    }
}

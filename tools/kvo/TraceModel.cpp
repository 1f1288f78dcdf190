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
    const Entry& entry =
        m_entries[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(row)])];
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
    const int firstNew = static_cast<int>(m_shown.size());
    std::vector<int> shownNew;
    for (const TraceLine& line : lines) {
        auto [depth, isNew] = m_depth.try_emplace(line.sender, 0);
        if (isNew) {
            m_currentRun = line.sender;
        }
        if (line.text.startsWith(QStringLiteral("} ")) && depth->second > 0) {
            --depth->second;
        }
        m_entries.push_back({line.sender, depth->second, line.text});
        if (line.text.endsWith(QStringLiteral(" {"))) {
            ++depth->second;
        }
        shownNew.push_back(static_cast<int>(m_entries.size()) - 1);
    }
    if (runChanges) {
        Rebuild();
        endResetModel();
        return;
    }
    std::erase_if(shownNew,
                  [this](int i) { return !IsShown(m_entries[static_cast<std::size_t>(i)]); });
    if (shownNew.empty()) {
        return;
    }
    beginInsertRows({}, firstNew, firstNew + static_cast<int>(shownNew.size()) - 1);
    m_shown.insert(m_shown.end(), shownNew.begin(), shownNew.end());
    endInsertRows();
}

void TraceModel::Clear() {
    beginResetModel();
    m_entries.clear();
    m_shown.clear();
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
            m_shown.push_back(static_cast<int>(i));
        }
    }
}

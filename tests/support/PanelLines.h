#pragma once

// What the player sees of the history panel: its lines top to bottom, none while it is out
// of sight. The panel is the widget right of the frame's divider.

#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStringList>
#include <QWidget>

#include <algorithm>

inline QScrollArea* HistoryPanelOf(const QWidget* frameWindow) {
    const auto* splitter = frameWindow->findChild<QSplitter*>();
    return splitter != nullptr && splitter->count() == 2
               ? qobject_cast<QScrollArea*>(splitter->widget(1))
               : nullptr;
}

inline QStringList ShownHistoryLines(const QWidget* frameWindow) {
    QStringList lines;
    const QScrollArea* panel = HistoryPanelOf(frameWindow);
    if (panel == nullptr || !panel->isVisible() || panel->width() == 0) {
        return lines;
    }
    QList<const QLabel*> labels;
    // A line that is there but hidden tells nothing.
    for (const QLabel* label : panel->widget()->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            labels << label;
        }
    }
    std::sort(labels.begin(), labels.end(),
              [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
    for (const QLabel* label : labels) {
        lines << label->text();
    }
    return lines;
}

#include "platform/ListPanel.h"

#include "platform/Frame.h"

#include <QListWidget>

namespace platform {

bool ListPanel::Create(Frame* frame, int width, const QString& name) {
    if (frame == nullptr || frame->Widget() == nullptr) {
        return false;
    }
    auto* list = new QListWidget();
    list->setFocusPolicy(Qt::NoFocus);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setWordWrap(true);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    list->setSpacing(2);
    list->setAccessibleName(name);
    Attach(list, true);
    frame->AttachSidePanel(this, width);
    return true;
}

void ListPanel::SetLines(const QStringList& lines) {
    auto* list = qobject_cast<QListWidget*>(Widget());
    if (list == nullptr || GetLines() == lines) {
        return;
    }
    list->clear();
    list->addItems(lines);
    list->scrollToBottom();
}

QStringList ListPanel::GetLines() const {
    QStringList lines;
    if (const auto* list = qobject_cast<const QListWidget*>(Widget())) {
        for (int row = 0; row < list->count(); ++row) {
            lines << list->item(row)->text();
        }
    }
    return lines;
}

}  // namespace platform

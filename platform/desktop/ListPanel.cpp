#include "platform/desktop/ListPanel.h"

#include "platform/framework/Frame.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace platform {

namespace {

constexpr int kMargin = 6;
constexpr int kLineSpacing = 4;

// The column inside the scroll area, with the lines as labels and room below them.
QWidget* Column(const QWidget* panel) {
    const auto* area = qobject_cast<const QScrollArea*>(panel);
    return area != nullptr ? area->widget() : nullptr;
}

void ScrollToEnd(QScrollArea* area) {
    area->widget()->layout()->activate();
    QScrollBar* scrollBar = area->verticalScrollBar();
    scrollBar->setValue(scrollBar->maximum());
}

}  // namespace

bool ListPanel::Create(Frame* frame, int width, const QString& name) {
    if (frame == nullptr || frame->Widget() == nullptr) {
        return false;
    }
    auto* area = new QScrollArea();
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFrameShape(QFrame::NoFrame);
    area->setBackgroundRole(QPalette::Base);
    area->setAccessibleName(name);
    auto* column = new QWidget(area);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kLineSpacing);
    layout->addStretch(1);
    area->setWidget(column);
    Attach(area, true);
    frame->AttachSidePanel(this, width);
    return true;
}

void ListPanel::SetLines(const QStringList& lines) {
    QWidget* column = Column(Widget());
    if (column == nullptr || GetLines() == lines) {
        return;
    }
    for (QLabel* label : column->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        delete label;
    }
    auto* layout = static_cast<QVBoxLayout*>(column->layout());
    for (const QString& line : lines) {
        auto* label = new QLabel(line, column);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        // Before the stretch that keeps the lines at the top.
        layout->insertWidget(layout->count() - 1, label);
        // A label added to a shown column must be shown by hand; one added before the window
        // is shown appears with it (hiding it here would keep it hidden for good).
        if (column->isVisible()) {
            label->show();
        }
    }
    // The newest line is the one the player wants to see. A hidden column is laid out only
    // when it is shown: laying it out now would cost the start a second pass, and a position
    // set now would not last, so the scrolling waits for the event loop.
    auto* area = static_cast<QScrollArea*>(Widget());
    if (column->isVisible()) {
        ScrollToEnd(area);
    } else {
        QTimer::singleShot(0, area, [area] { ScrollToEnd(area); });
    }
}

QStringList ListPanel::GetLines() const {
    QStringList lines;
    if (const QWidget* column = Column(Widget())) {
        for (const QLabel* label : column->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            lines << label->text();
        }
    }
    return lines;
}

}  // namespace platform

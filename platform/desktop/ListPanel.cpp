#include "platform/desktop/ListPanel.h"

#include "platform/framework/Frame.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// The last text announced. It is never shown; assistive technology reads it as a
// notification, told of each new text as if it had just appeared.
class Announcement : public QWidget {
public:
    explicit Announcement(QWidget* parent) : QWidget(parent) { hide(); }
    QString text;
};

class AnnouncementInterface : public QAccessibleWidget {
public:
    explicit AnnouncementInterface(Announcement* announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const Announcement*>(widget())->text;
        }
        return QAccessibleWidget::text(t);
    }
};

std::function<void(QAccessibleInterface*)>& Observer() {
    static std::function<void(QAccessibleInterface*)> observer;
    return observer;
}

QAccessibleInterface* AnnouncementFactory(const QString& /*className*/, QObject* object) {
    auto* announcement = dynamic_cast<Announcement*>(object);
    return announcement != nullptr ? new AnnouncementInterface(announcement) : nullptr;
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

void ListPanel::Announce(const QString& text) {
    QWidget* panel = Widget();
    if (panel == nullptr || text.isEmpty()) {
        return;
    }
    static const bool installed = [] {
        QAccessible::installFactory(AnnouncementFactory);
        return true;
    }();
    (void)installed;
    // Each notification is an object of its own: the accessibility bus carries the appearance
    // of an object it already knows only once. The one before stays until now, so that a
    // screen reader slow to ask for its text still finds it.
    for (QObject* child : panel->children()) {
        if (auto* earlier = dynamic_cast<Announcement*>(child)) {
            earlier->deleteLater();
        }
    }
    auto* announcement = new Announcement(panel);
    announcement->text = text;
    // Screen readers speak a notification as it appears, wherever the focus is, where they
    // leave the text changes of an object without the focus unspoken.
    QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    if (Observer()) {
        Observer()(shown.accessibleInterface());
    }
}

void SetAnnouncementObserver(std::function<void(QAccessibleInterface*)> observer) {
    Observer() = std::move(observer);
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

#include "platform/desktop/ListPanel.h"

#include "platform/framework/Frame.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

constexpr int kMargin = 6;
constexpr int kLineSpacing = 4;

std::function<void(QAccessibleEvent*)>& Observer() {
    static std::function<void(QAccessibleEvent*)> observer;
    return observer;
}

// Tells assistive technology, and the observer of the tests, of the event.
void Send(QAccessibleEvent& event) {
    QAccessible::updateAccessibility(&event);
    if (Observer()) {
        Observer()(&event);
    }
}

// The column inside the scroll area, with the lines as labels and room below them.
QWidget* Column(const QWidget* panel) {
    const auto* area = qobject_cast<const QScrollArea*>(panel);
    return area != nullptr ? area->widget() : nullptr;
}

// One line of the panel; assistive technology reads it as an item of the list.
// Its own class name keeps Qt from taking it for a plain label.
class Line : public QLabel {
    Q_OBJECT

public:
    Line(const QString& text, int indent, QWidget* parent) : QLabel(text, parent), indent(indent) {
        // A step is about three characters of the panel's font.
        setContentsMargins(indent * 3 * fontMetrics().averageCharWidth(), 0, 0, 0);
    }
    const int indent;
};

QList<Line*> Lines(const QWidget* panel) {
    const QWidget* column = Column(panel);
    return column != nullptr ? column->findChildren<Line*>(Qt::FindDirectChildrenOnly)
                             : QList<Line*>();
}

// The panel's font made just small enough that the widest word of the lines fits the width
// given; the font itself where it fits already. Lines wrap between words only, so a word
// wider than the column would be cut off at its edge.
QFont FittingFont(const QFont& font, const QList<Line*>& lines, int width) {
    QFont fitted = font;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QFontMetricsF metrics(fitted);
        qreal widest = 0;
        for (const Line* line : lines) {
            for (const QString& word : line->text().split(
                     QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
                widest = std::max(widest, metrics.horizontalAdvance(word));
            }
        }
        if (widest <= width || width <= 0) {
            return fitted;
        }
        // Text does not scale exactly with the size: measure again after each step.
        const qreal ratio = width / widest * 0.98;
        if (fitted.pointSizeF() > 0) {
            fitted.setPointSizeF(std::max(1.0, fitted.pointSizeF() * ratio));
        } else {
            fitted.setPixelSize(std::max(1, static_cast<int>(fitted.pixelSize() * ratio)));
        }
    }
    return fitted;
}

// The panel itself. The mouse leaves the focus where it is, but Tab reaches the panel, where
// the arrow keys, Home and End go from line to line for a screen reader to read them out.
class LinesArea : public QScrollArea {
    Q_OBJECT

public:
    int current = -1;

    // The lines take the panel's font, or a smaller one where a word would not fit its width
    // (a narrow panel beside a game screen drawn large, whose font grows with it).
    void FitLines() {
        const QList<Line*> lines = Lines(this);
        const int width = viewport()->width() - 2 * kMargin;
        const QFont fitted = FittingFont(font(), lines, width);
        for (Line* line : lines) {
            if (line->font() != fitted) {
                line->setFont(fitted);
            }
        }
    }

    Line* CurrentLine() const {
        const QList<Line*> lines = Lines(this);
        return current >= 0 && current < lines.size() ? lines[current] : nullptr;
    }

    void SetCurrent(int index) {
        const QList<Line*> lines = Lines(this);
        if (lines.isEmpty()) {
            current = -1;
            return;
        }
        current = std::clamp(index, 0, static_cast<int>(lines.size()) - 1);
        ensureWidgetVisible(lines[current], 0, 0);
        MarkCurrent();
        if (hasFocus()) {
            QAccessibleEvent focus(lines[current], QAccessible::Focus);
            Send(focus);
        }
    }

    // A keyboard player sees where the focus is: the current line in the selection's colours
    // while the list has the focus, and every line as it always looks otherwise.
    void MarkCurrent() {
        const QList<Line*> lines = Lines(this);
        for (int i = 0; i < lines.size(); ++i) {
            const bool marked = hasFocus() && i == current;
            lines[i]->setAutoFillBackground(marked);
            lines[i]->setBackgroundRole(marked ? QPalette::Highlight : QPalette::Window);
            lines[i]->setForegroundRole(marked ? QPalette::HighlightedText : QPalette::WindowText);
        }
    }

protected:
    bool viewportEvent(QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            FitLines();
        }
        return QScrollArea::viewportEvent(event);
    }

    void changeEvent(QEvent* event) override {
        QScrollArea::changeEvent(event);
        if (event->type() == QEvent::FontChange) {
            FitLines();
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        QScrollArea::focusOutEvent(event);
        MarkCurrent();
    }

    void focusInEvent(QFocusEvent* event) override {
        QScrollArea::focusInEvent(event);
        // After the list's own focus news, which would otherwise cut the item's short.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) {
                SetCurrent(current < 0 ? static_cast<int>(Lines(this).size()) - 1 : current);
            }
        });
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int last = static_cast<int>(Lines(this).size()) - 1;
        switch (event->key()) {
            case Qt::Key_Up:
                SetCurrent(current - 1);
                break;
            case Qt::Key_Down:
                SetCurrent(current + 1);
                break;
            case Qt::Key_Home:
            case Qt::Key_PageUp:
                SetCurrent(0);
                break;
            case Qt::Key_End:
            case Qt::Key_PageDown:
                SetCurrent(last);
                break;
            default:
                QScrollArea::keyPressEvent(event);
        }
    }
};

LinesArea* AreaOf(const QWidget* line) {
    for (QObject* o = line->parent(); o != nullptr; o = o->parent()) {
        if (auto* area = dynamic_cast<LinesArea*>(o)) {
            return area;
        }
    }
    return nullptr;
}

// The panel as a list whose children are its lines, without the scroll area's own parts.
class ListInterface : public QAccessibleWidget {
public:
    explicit ListInterface(LinesArea* area) : QAccessibleWidget(area, QAccessible::List) {}

    LinesArea* Area() const { return static_cast<LinesArea*>(widget()); }

    int childCount() const override { return static_cast<int>(Lines(Area()).size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<Line*> lines = Lines(Area());
        return index >= 0 && index < lines.size()
                   ? QAccessible::queryAccessibleInterface(lines[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr
                   ? static_cast<int>(Lines(Area()).indexOf(dynamic_cast<Line*>(child->object())))
                   : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (Line* line : Lines(Area())) {
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(line);
            if (item != nullptr && item->rect().contains(x, y)) {
                return item;
            }
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        Line* line = Area()->hasFocus() ? Area()->CurrentLine() : nullptr;
        return line != nullptr ? QAccessible::queryAccessibleInterface(line) : nullptr;
    }
};

class ItemInterface : public QAccessibleWidget {
public:
    explicit ItemInterface(Line* line) : QAccessibleWidget(line, QAccessible::ListItem) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const Line*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface* parent() const override {
        LinesArea* area = AreaOf(widget());
        return area != nullptr ? QAccessible::queryAccessibleInterface(area)
                               : QAccessibleWidget::parent();
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        s.selectable = true;
        const LinesArea* area = AreaOf(widget());
        const bool isCurrent = area != nullptr && area->CurrentLine() == widget();
        s.focused = isCurrent && area->hasFocus();
        s.selected = isCurrent;
        return s;
    }
};

void ScrollToEnd(QScrollArea* area) {
    area->widget()->layout()->activate();
    // A wrapped line's height is known once the area has fitted the column to its width, on
    // the layout request that the activation posted: without it the newest line is cut off.
    // Only the area's own request is taken early; the rest of the window keeps its order.
    QCoreApplication::sendPostedEvents(area->viewport(), QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(area, QEvent::LayoutRequest);
    // A flick still under way would carry the list off the newest line again.
    if (QScroller::hasScroller(area->viewport())) {
        QScroller::scroller(area->viewport())->stop();
    }
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

// The notification has no meta-object of its own, so the classes are told apart by their type.
QAccessibleInterface* Factory(const QString& /*className*/, QObject* object) {
    if (auto* announcement = dynamic_cast<Announcement*>(object)) {
        return new AnnouncementInterface(announcement);
    }
    if (auto* area = dynamic_cast<LinesArea*>(object)) {
        return new ListInterface(area);
    }
    if (auto* line = dynamic_cast<Line*>(object)) {
        return new ItemInterface(line);
    }
    return nullptr;
}

void InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace

bool ListPanel::Create(Frame* frame, int width, const QString& name) {
    if (frame == nullptr || frame->Widget() == nullptr) {
        return false;
    }
    InstallFactory();
    auto* area = new LinesArea();
    // Tab reaches the list; a click leaves the keys with the view.
    area->setFocusPolicy(Qt::TabFocus);
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
    // A finger drags and flicks the lines; the mouse and the keys work as before.
    QScroller::grabGesture(area->viewport(), QScroller::TouchGesture);
    Attach(area, true);
    frame->AttachSidePanel(this, width);
    return true;
}

void ListPanel::SetLines(const QStringList& lines, const std::vector<int>& indents) {
    QWidget* column = Column(Widget());
    const auto indentOf = [&indents](qsizetype i) {
        return i < static_cast<qsizetype>(indents.size()) ? std::max(indents[i], 0) : 0;
    };
    if (column == nullptr) {
        return;
    }
    const QList<Line*> shown = Lines(Widget());
    bool same = shown.size() == lines.size();
    for (qsizetype i = 0; same && i < lines.size(); ++i) {
        same = shown[i]->text() == lines[i] && shown[i]->indent == indentOf(i);
    }
    if (same) {
        return;
    }
    for (Line* line : Lines(Widget())) {
        delete line;
    }
    auto* layout = static_cast<QVBoxLayout*>(column->layout());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* label = new Line(lines[i], indentOf(i), column);
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
    auto* area = static_cast<LinesArea*>(Widget());
    area->FitLines();
    // The newest line becomes the current one, so a screen reader in the list starts there.
    area->current = static_cast<int>(lines.size()) - 1;
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
    InstallFactory();
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
    Send(shown);
}

void SetAccessibilityObserver(std::function<void(QAccessibleEvent*)> observer) {
    Observer() = std::move(observer);
}

bool ListPanel::HasFocus() const {
    return Widget() != nullptr && Widget()->hasFocus();
}

QStringList ListPanel::GetLines() const {
    QStringList lines;
    for (const Line* line : Lines(Widget())) {
        lines << line->text();
    }
    return lines;
}

}  // namespace platform

#include "ListPanel.moc"

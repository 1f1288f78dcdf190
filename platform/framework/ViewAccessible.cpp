#include "platform/framework/ViewAccessible.h"

#include "platform/framework/View.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

// The view behind a view widget, or null once it is gone.
View* ViewOf(const QWidget* widget) {
    if (widget == nullptr) {
        return nullptr;
    }
    View* view = dynamic_cast<View*>(Window::FromWidget(widget));
    return view != nullptr && view->Widget() == widget ? view : nullptr;
}

QRect ToScreen(const QWidget* widget, const Rect& client) {
    const View* view = ViewOf(widget);
    if (view == nullptr) {
        return {};
    }
    const Rect shown = view->Scale().ToWidget(client);
    return {widget->mapToGlobal(QPoint(shown.left, shown.top)),
            QSize(shown.Width(), shown.Height())};
}

// One child of a view: a line of its text (the first children) or one of its tap targets.
// It reads the view afresh on every question, so it always tells what the view shows.
class ViewItemInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ViewItemInterface(QWidget* widget, int index) : m_widget(widget), m_index(index) {}

    bool isValid() const override { return ViewOf(m_widget) != nullptr && (IsLine() || Target()); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_widget ? m_widget->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_widget.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) {
            return {};
        }
        if (IsLine()) {
            return Lines().value(m_index);
        }
        const std::optional<TapTarget> target = Target();
        return target ? target->name : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const View* view = ViewOf(m_widget);
        if (view == nullptr) {
            return {};
        }
        if (IsLine()) {
            return {m_widget->mapToGlobal(QPoint(0, 0)), m_widget->size()};
        }
        const std::optional<TapTarget> target = Target();
        return target ? ToScreen(m_widget, target->rect) : QRect();
    }

    QAccessible::Role role() const override {
        return IsLine() ? QAccessible::StaticText : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (IsLine()) {
            state.readOnly = true;
        } else {
            const std::optional<TapTarget> target = Target();
            state.invisible = !target || !target->shown;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && !IsLine()) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& actionName) override {
        View* view = ViewOf(m_widget);
        const std::optional<TapTarget> target = Target();
        if (view != nullptr && target && actionName == pressAction()) {
            view->PressTarget(*target);
        }
    }

private:
    QStringList Lines() const {
        const View* view = ViewOf(m_widget);
        return view != nullptr ? view->GetShownTexts() : QStringList();
    }
    bool IsLine() const { return m_index < Lines().size(); }
    std::optional<TapTarget> Target() const {
        const View* view = ViewOf(m_widget);
        if (view == nullptr) {
            return std::nullopt;
        }
        const std::vector<TapTarget> targets = view->GetTapTargets();
        const qsizetype lines = view->GetShownTexts().size();
        const auto at = static_cast<std::size_t>(m_index - lines);
        return m_index >= lines && at < targets.size() ? std::optional<TapTarget>(targets[at])
                                                       : std::nullopt;
    }

    QPointer<QWidget> m_widget;
    int m_index;
};

// The view itself: named by the lines it shows, its children the lines and the targets.
class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}

    ~ViewInterface() override {
        for (const QAccessible::Id id : m_children) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    int childCount() const override {
        const View* view = ViewOf(widget());
        if (view == nullptr) {
            return 0;
        }
        return static_cast<int>(view->GetShownTexts().size() + view->GetTapTargets().size());
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (static_cast<std::size_t>(index) >= m_children.size()) {
            m_children.resize(static_cast<std::size_t>(index) + 1, 0);
        }
        QAccessible::Id& id = m_children[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(new ViewItemInterface(widget(), index));
        }
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_children.size(); ++i) {
            if (m_children[i] != 0 && QAccessible::accessibleInterface(m_children[i]) == child) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const int count = childCount();
        for (int i = 0; i < count; ++i) {
            QAccessibleInterface* item = child(i);
            if (item != nullptr && item->role() == QAccessible::Button &&
                item->rect().contains(x, y)) {
                return item;
            }
        }
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const View* view = ViewOf(widget());
            QStringList lines = view != nullptr ? view->GetShownTexts() : QStringList();
            lines.removeAll(QString());
            if (!lines.isEmpty()) {
                return lines.join(QLatin1Char('\n'));
            }
            const QString own = QAccessibleWidget::text(t);
            return own.isEmpty() ? widget()->window()->windowTitle() : own;
        }
        return QAccessibleWidget::text(t);
    }

private:
    mutable std::vector<QAccessible::Id> m_children;
};

QAccessibleInterface* ViewFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return ViewOf(widget) != nullptr ? new ViewInterface(widget) : nullptr;
}

}  // namespace

void InstallViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ViewFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceViewTexts(QWidget* viewWidget, const std::vector<int>& changedLines) {
    if (changedLines.empty()) {
        return;
    }
    QAccessibleEvent viewChanged(viewWidget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&viewChanged);
    for (const int line : changedLines) {
        QAccessibleEvent lineChanged(viewWidget, QAccessible::NameChanged);
        lineChanged.setChild(line);
        QAccessible::updateAccessibility(&lineChanged);
    }
}

}  // namespace platform

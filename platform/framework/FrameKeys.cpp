#include "platform/framework/FrameKeys.h"

#include "platform/framework/Frame.h"
#include "platform/framework/View.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

namespace platform {

bool FrameKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    // A box or dialog over the window takes the releases of the keys held when it came: a
    // press once it has gone is a new press, whichever widget then has the focus.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate) {
        View* view = m_frame->GetActiveView();
        if (view != nullptr && watched == m_frame->Widget()) {
            view->ForgetHeldKeys();
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    // The filter sees the event once for every widget it climbs through: act on the first.
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || watched != focus) {
        return false;
    }
    View* view = m_frame->GetActiveView();
    QWidget* window = m_frame->Widget();
    if (view == nullptr || view->Widget() == nullptr || window == nullptr ||
        focus == view->Widget() || focus->window() != window ||
        focus->testAttribute(Qt::WA_InputMethodEnabled)) {
        return false;
    }
    return view->TakeKey(static_cast<QKeyEvent*>(event));
}

namespace {

class KeyboardSplitterHandle : public QSplitterHandle {
public:
    explicit KeyboardSplitterHandle(QSplitter* parent) : QSplitterHandle(Qt::Horizontal, parent) {
        // Tab reaches it; a click does not leave a focus mark behind.
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Left and right move a divider between side-by-side parts, up and down one between
        // parts above each other.
        const bool across = orientation() == Qt::Horizontal;
        const int key = event->key();
        const int step = key == (across ? Qt::Key_Left : Qt::Key_Up)      ? -KeyboardSplitter::kStep
                         : key == (across ? Qt::Key_Right : Qt::Key_Down) ? KeyboardSplitter::kStep
                                                                          : 0;
        if (step == 0 || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            QSplitterHandle::keyPressEvent(event);
            return;
        }
        event->accept();
        moveSplitter((across ? x() : y()) + step);
    }

    void paintEvent(QPaintEvent* event) override {
        QSplitterHandle::paintEvent(event);
        if (!hasFocus()) {
            return;
        }
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

    void focusInEvent(QFocusEvent* event) override {
        QSplitterHandle::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QSplitterHandle::focusOutEvent(event);
        update();
    }
};

// A divider as assistive technology sees it: a split pane, named as the frame names it, whose
// value is the width of what follows it (its height where the parts stand above each other),
// in pixels.
class DividerInterface : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DividerInterface(QSplitterHandle* handle)
        : QAccessibleWidget(handle, QAccessible::Splitter) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QCoreApplication::translate("platform::KeyboardSplitter", "%1 pixels")
                .arg(Width());
        }
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return Width(); }
    // The arrow keys move the divider; assistive technology may set the width as well.
    void setCurrentValue(const QVariant& value) override {
        QSplitterHandle* handle = Handle();
        QSplitter* splitter = handle->splitter();
        const int index = splitter->indexOf(handle);
        QList<int> sizes = splitter->sizes();
        if (index <= 0 || index >= sizes.size()) {
            return;
        }
        const int change = value.toInt() - sizes[index];
        sizes[index] += change;
        sizes[index - 1] -= change;
        splitter->setSizes(sizes);
    }
    QVariant maximumValue() const override {
        const QSplitter* splitter = Handle()->splitter();
        const int length =
            splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        return length - splitter->handleWidth();
    }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return KeyboardSplitter::kStep; }

private:
    QSplitterHandle* Handle() const { return static_cast<QSplitterHandle*>(widget()); }
    int Width() const {
        const QSplitter* splitter = Handle()->splitter();
        return splitter->sizes().value(splitter->indexOf(Handle()));
    }
};

QAccessibleInterface* DividerFactory(const QString& /*className*/, QObject* object) {
    if (auto* handle = dynamic_cast<KeyboardSplitterHandle*>(object)) {
        return new DividerInterface(handle);
    }
    return nullptr;
}

}  // namespace

KeyboardSplitter::KeyboardSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(DividerFactory);
        return true;
    }();
    (void)installed;
    // Assistive technology hears the new width wherever the divider has gone.
    connect(this, &QSplitter::splitterMoved, this, [this](int /*pos*/, int index) {
        if (QSplitterHandle* moved = handle(index)) {
            QAccessibleValueChangeEvent changed(moved, sizes().value(index));
            QAccessible::updateAccessibility(&changed);
        }
    });
}

QSplitterHandle* KeyboardSplitter::createHandle() {
    return new KeyboardSplitterHandle(this);
}

}  // namespace platform

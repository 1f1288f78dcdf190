#include "platform/framework/FrameKeys.h"

#include "platform/framework/Frame.h"
#include "platform/framework/View.h"

#include <QApplication>
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
        const int step = event->key() == Qt::Key_Left    ? -KeyboardSplitter::kStep
                         : event->key() == Qt::Key_Right ? KeyboardSplitter::kStep
                                                         : 0;
        if (step == 0 || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            QSplitterHandle::keyPressEvent(event);
            return;
        }
        event->accept();
        moveSplitter(x() + step);
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

}  // namespace

QSplitterHandle* KeyboardSplitter::createHandle() {
    return new KeyboardSplitterHandle(this);
}

}  // namespace platform

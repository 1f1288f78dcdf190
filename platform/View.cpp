#include "platform/View.h"

#include "platform/DC.h"
#include "platform/Document.h"
#include "platform/Frame.h"
#include "platform/Messages.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWidget>

namespace platform {

// The widget behind a view: turns Qt's paint, resize and press events into the view's
// handlers.
class ViewWidget : public QWidget {
public:
    ViewWidget(View* view, QWidget* parent) : QWidget(parent), m_view(view) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    // Every invalidation erases: the area is filled with the window colour before drawing.
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        DC dc(&painter);
        m_view->OnDraw(&dc);
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_view->NotifySize();
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        unsigned flags = kMkLButton;
        flags |= event->modifiers().testFlag(Qt::ShiftModifier) ? kMkShift : 0;
        flags |= event->modifiers().testFlag(Qt::ControlModifier) ? kMkControl : 0;
        const QPoint at = event->position().toPoint();
        m_view->SendMessage(kMsgLButtonDown, flags, MakeLParam(at.x(), at.y()));
    }

private:
    View* m_view;
};

View::View() = default;

View::~View() {
    if (m_document != nullptr) {
        m_document->RemoveView(this);
    }
}

bool View::OnCmdMsg(unsigned id, CommandUpdate* update) {
    if (DispatchOwn(id, update)) {
        return true;
    }
    return m_document != nullptr && m_document->OnCmdMsg(id, update);
}

bool View::Create(Frame* frame, Document* document) {
    QWidget* parent = frame != nullptr ? frame->ClientWidget() : nullptr;
    auto* widget = new ViewWidget(this, parent);
    Attach(widget, true);
    m_document = document;
    if (document != nullptr) {
        document->AddView(this);
    }
    if (SendMessage(kMsgCreate) == -1) {
        if (m_document != nullptr) {
            m_document->RemoveView(this);
            m_document = nullptr;
        }
        Detach();
        delete widget;
        return false;
    }
    if (parent != nullptr && parent->layout() != nullptr) {
        parent->layout()->addWidget(widget);
    }
    return true;
}

void View::NotifySize() {
    const Rect client = GetClientRect();
    if (client.Width() == m_sentWidth && client.Height() == m_sentHeight) {
        return;
    }
    m_sentWidth = client.Width();
    m_sentHeight = client.Height();
    SendMessage(kMsgSize, 0, MakeLParam(m_sentWidth, m_sentHeight));
}

int View::OnCreate() {
    return 0;
}

void View::OnSize(unsigned /*type*/, int /*cx*/, int /*cy*/) {}

void View::OnLButtonDown(unsigned /*flags*/, Point /*point*/) {}

MessageResult View::DefWindowProc(unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
        case kMsgCreate:
            return OnCreate();
        case kMsgSize:
            OnSize(static_cast<unsigned>(wParam), LowWord(lParam), HighWord(lParam));
            return 0;
        case kMsgLButtonDown:
            OnLButtonDown(static_cast<unsigned>(wParam), {LowWord(lParam), HighWord(lParam)});
            return 0;
        default:
            return Window::DefWindowProc(message, wParam, lParam);
    }
}

}  // namespace platform

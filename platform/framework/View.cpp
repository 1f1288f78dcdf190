#include "platform/framework/View.h"

#include "platform/core/Messages.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/ViewAccessible.h"
#include "platform/graphics/DC.h"
#include "platform/graphics/Palette.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// The virtual-key code of a key a view may take: digits of the main row and the keypad,
// Backspace and Delete. Keys held with Control, Alt or Meta belong to shortcuts.
std::optional<unsigned> VirtualKey(const QKeyEvent* event) {
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return std::nullopt;
    }
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const unsigned digit = static_cast<unsigned>(key - Qt::Key_0);
        return event->modifiers().testFlag(Qt::KeypadModifier) ? kVkNumpad0 + digit
                                                               : unsigned{'0'} + digit;
    }
    if (key == Qt::Key_Backspace) {
        return kVkBack;
    }
    if (key == Qt::Key_Delete) {
        return kVkDelete;
    }
    return std::nullopt;
}

}  // namespace

// The widget behind a view: turns Qt's paint, resize, press and key events into the view's
// handlers, through the scale of its layout.
class ViewWidget : public QWidget {
public:
    ViewWidget(View* view, QWidget* parent) : QWidget(parent), m_view(view) {
        InstallViewAccessibility();
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    // A view with a layout of its own wants it whole.
    QSize sizeHint() const override { return LayoutSizeOr(QWidget::sizeHint()); }
    QSize minimumSizeHint() const override { return LayoutSizeOr(QWidget::minimumSizeHint()); }

protected:
    // Every invalidation erases: the area is filled with the window colour before drawing.
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), ViewBackgroundColour(palette()));
        const ViewScale scale = m_view->Scale();
        if (!scale.IsIdentity()) {
            // Pixmaps scale to the nearest pixel, so the bitmaps stay sharp; text is drawn
            // from its outlines at the new size.
            painter.translate(scale.OffsetX(), scale.OffsetY());
            painter.scale(scale.Factor(), scale.Factor());
        }
        DC dc(&painter, ViewTextColour(palette()), ViewBackgroundColour(palette()));
        m_view->OnDraw(&dc);
        AnnounceChangedTexts();
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_view->NotifySize();
    }

    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        // The keys play the game as soon as the window is shown.
        if (window()->focusWidget() == nullptr) {
            setFocus(Qt::OtherFocusReason);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        unsigned flags = kMkLButton;
        flags |= event->modifiers().testFlag(Qt::ShiftModifier) ? kMkShift : 0;
        flags |= event->modifiers().testFlag(Qt::ControlModifier) ? kMkControl : 0;
        const ViewScale scale = m_view->Scale();
        const QPointF position = event->position();
        const Point at = scale.IsIdentity() ? Point{position.toPoint().x(), position.toPoint().y()}
                                            : scale.ToClient(position.x(), position.y());
        m_view->SendMessage(kMsgLButtonDown, flags, MakeLParam(at.x, at.y));
    }

    // A key stands for a tap on its target. A held key does not repeat: the pen cannot.
    void keyPressEvent(QKeyEvent* event) override {
        const std::optional<TapTarget> target = TargetOfKey(event);
        if (!target) {
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!event->isAutoRepeat()) {
            m_view->PressTarget(*target);
        }
    }

private:
    std::optional<TapTarget> TargetOfKey(const QKeyEvent* event) const {
        const std::optional<unsigned> key = VirtualKey(event);
        if (!key) {
            return std::nullopt;
        }
        for (const TapTarget& target : m_view->GetTapTargets()) {
            if (std::find(target.keys.begin(), target.keys.end(), *key) != target.keys.end()) {
                return target;
            }
        }
        return std::nullopt;
    }

    QSize LayoutSizeOr(QSize otherwise) const {
        if (m_view->m_layoutWidth > 0 && m_view->m_layoutHeight > 0) {
            return {m_view->m_layoutWidth, m_view->m_layoutHeight};
        }
        return otherwise;
    }

    // Assistive technology hears of a text line as soon as it is drawn anew. With none
    // listening, nothing is compared: one that starts later hears of every line at once.
    void AnnounceChangedTexts() {
        if (!QAccessible::isActive()) {
            m_announced.clear();
            return;
        }
        const QStringList texts = m_view->GetShownTexts();
        if (texts == m_announced) {
            return;
        }
        std::vector<int> changed;
        for (int i = 0; i < texts.size(); ++i) {
            if (i >= m_announced.size() || texts[i] != m_announced[i]) {
                changed.push_back(i);
            }
        }
        m_announced = texts;
        AnnounceViewTexts(this, changed);
    }

    View* m_view;
    QStringList m_announced;
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

Rect View::GetClientRect() const {
    const ViewScale scale = Scale();
    return {0, 0, scale.ClientWidth(), scale.ClientHeight()};
}

void View::InvalidateRect(const Rect& rect, bool erase) {
    Window::InvalidateRect(Scale().ToWidget(rect), erase);
}

ViewScale View::Scale() const {
    const Rect widget = Window::GetClientRect();
    return ViewScale(m_layoutWidth, m_layoutHeight, widget.Width(), widget.Height());
}

void View::SetLayoutSize(int width, int height) {
    m_layoutWidth = width;
    m_layoutHeight = height;
    if (QWidget* widget = Widget()) {
        widget->updateGeometry();
        widget->update();
    }
}

QSize View::GetLayoutSize() const {
    return {m_layoutWidth, m_layoutHeight};
}

void View::PressTarget(const TapTarget& target) {
    const Point centre{(target.rect.left + target.rect.right) / 2,
                       (target.rect.top + target.rect.bottom) / 2};
    SendMessage(kMsgLButtonDown, kMkLButton, MakeLParam(centre.x, centre.y));
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

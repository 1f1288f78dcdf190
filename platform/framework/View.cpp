#include "platform/framework/View.h"

#include "platform/core/Messages.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/ViewAccessible.h"
#include "platform/graphics/DC.h"
#include "platform/graphics/Palette.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QTouchEvent>
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

// The target a key presses, if any.
std::optional<TapTarget> TargetOfKey(const View& view, const QKeyEvent* event) {
    const std::optional<unsigned> key = VirtualKey(event);
    if (!key) {
        return std::nullopt;
    }
    for (const TapTarget& target : view.GetTapTargets()) {
        if (std::find(target.keys.begin(), target.keys.end(), *key) != target.keys.end()) {
            return target;
        }
    }
    return std::nullopt;
}

// Which physical key an event comes from: its scan code where the platform gives one, else
// the key with its keypad flag.
unsigned KeyIdentity(const QKeyEvent* event) {
    if (event->nativeScanCode() != 0) {
        return event->nativeScanCode();
    }
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    return static_cast<unsigned>(event->key()) | (keypad ? 0x80000000u : 0u);
}

// Focus that arrives by the keyboard shows where it is; focus a click or the program gives
// does not, so a player with the mouse sees the screen as it always was.
bool IsKeyboardFocusReason(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// The width of the frame around a view that has the keyboard's focus.
constexpr int kFocusFrameWidth = 2;

}  // namespace

bool KeyRepeatFilter::IsRepeat(const QKeyEvent* event) {
    const unsigned id = KeyIdentity(event);
    const auto held = std::find(m_held.begin(), m_held.end(), id);
    if (event->type() == QEvent::KeyRelease) {
        // Some servers report every repeat as a release and a press of the same moment.
        if (!event->isAutoRepeat()) {
            if (held != m_held.end()) {
                m_held.erase(held);
            }
            m_releasedKey = id;
            m_releasedAt = event->timestamp();
        }
        return event->isAutoRepeat();
    }
    const bool sameMoment =
        event->timestamp() != 0 && id == m_releasedKey && event->timestamp() == m_releasedAt;
    const bool repeat = event->isAutoRepeat() || held != m_held.end() || sameMoment;
    if (held == m_held.end()) {
        m_held.push_back(id);
    }
    return repeat;
}

void KeyRepeatFilter::Clear() {
    m_held.clear();
    m_releasedKey = 0;
    m_releasedAt = 0;
}

// The widget behind a view: turns Qt's paint, resize, press, touch and key events into the view's
// handlers, through the scale of its layout.
class ViewWidget : public QWidget {
public:
    ViewWidget(View* view, QWidget* parent) : QWidget(parent), m_view(view) {
        InstallViewAccessibility();
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_AcceptTouchEvents);
    }

    void ForgetHeldKeys() { m_repeats.Clear(); }

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
        if (m_focusFrame) {
            painter.resetTransform();
            const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
            const QRect whole = rect();
            const int w = kFocusFrameWidth;
            painter.fillRect(QRect(0, 0, whole.width(), w), colour);
            painter.fillRect(QRect(0, whole.height() - w, whole.width(), w), colour);
            painter.fillRect(QRect(0, 0, w, whole.height()), colour);
            painter.fillRect(QRect(whole.width() - w, 0, w, whole.height()), colour);
        }
        AnnounceChangedTexts();
    }

    // Qt repaints a widget whenever it gains or loses the focus and whenever its window is
    // activated or deactivated; the game screen looks the same either way, so only the focus
    // frame is drawn anew, and only when it comes or goes.
    void focusInEvent(QFocusEvent* event) override {
        if (IsKeyboardFocusReason(event->reason())) {
            SetFocusFrame(true);
        } else if (event->reason() == Qt::MouseFocusReason) {
            SetFocusFrame(false);
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        m_repeats.Clear();
        // A menu or a dialog over the window takes the focus for a while and gives it back.
        if (event->reason() != Qt::PopupFocusReason &&
            event->reason() != Qt::ActiveWindowFocusReason) {
            SetFocusFrame(false);
        }
    }

    bool event(QEvent* event) override {
        if ((event->type() == QEvent::WindowActivate ||
             event->type() == QEvent::WindowDeactivate) &&
            SameInBothStates(palette())) {
            return true;
        }
        switch (event->type()) {
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TouchCancel:
                if (TakeTouch(static_cast<QTouchEvent*>(event))) {
                    return true;
                }
                break;
            default:
                break;
        }
        return QWidget::event(event);
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
        if (IsTouchEcho(event)) {
            event->accept();
            return;
        }
        Tap(event->position(), event->modifiers());
    }

    // The pen knows no double taps: the second press of a double click is a tap like the first.
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

    // A finger on the screen is a pen: each one that comes down taps where it lands, as the
    // left button does, and where it slides or lifts changes nothing, as with the button. The
    // touch is taken here whole, so Qt makes no mouse press of it. Fingers on a touchpad go
    // where they always went, to Qt, which makes them the pointer's; false for those.
    bool TakeTouch(QTouchEvent* event) {
        if (event->device() == nullptr ||
            event->device()->type() != QInputDevice::DeviceType::TouchScreen) {
            return false;
        }
        event->accept();
        if (event->type() == QEvent::TouchCancel) {
            return true;
        }
        // A tap may end the round and show a box, with events handled under it: the points
        // are read before.
        std::vector<QPointF> pressed;
        for (const QEventPoint& point : event->points()) {
            if (point.state() == QEventPoint::State::Pressed) {
                pressed.push_back(point.position());
            }
        }
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        // The program may end under a box a tap brought up, and the widget with it.
        const QPointer<QWidget> alive(this);
        for (const QPointF& position : pressed) {
            if (alive.isNull()) {
                break;
            }
            Tap(position, modifiers);
        }
        return true;
    }

    // A key stands for a tap on its target. A held key does not repeat: the pen cannot.
    void keyPressEvent(QKeyEvent* event) override {
        const std::optional<TapTarget> target = platform::TargetOfKey(*m_view, event);
        if (!target) {
            QWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!m_repeats.IsRepeat(event)) {
            m_view->PressTarget(*target);
        }
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        if (!platform::TargetOfKey(*m_view, event)) {
            QWidget::keyReleaseEvent(event);
            return;
        }
        event->accept();
        m_repeats.IsRepeat(event);
    }

private:
    // A left press at a point of the widget: a tap at the point of the layout drawn there.
    void Tap(QPointF position, Qt::KeyboardModifiers modifiers) {
        unsigned flags = kMkLButton;
        flags |= modifiers.testFlag(Qt::ShiftModifier) ? kMkShift : 0;
        flags |= modifiers.testFlag(Qt::ControlModifier) ? kMkControl : 0;
        const ViewScale scale = m_view->Scale();
        const Point at = scale.IsIdentity() ? Point{position.toPoint().x(), position.toPoint().y()}
                                            : scale.ToClient(position.x(), position.y());
        SetFocusFrame(false);
        m_view->SendMessage(kMsgLButtonDown, flags, MakeLParam(at.x, at.y));
    }

    // A mouse event made from a touch, by Qt or by the window system, whose touch the widget
    // has already taken as a tap.
    static bool IsTouchEcho(const QMouseEvent* event) {
        return event->source() != Qt::MouseEventNotSynthesized &&
               event->pointingDevice() != nullptr &&
               event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
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

    // The colours the view draws with do not change with the window's activation.
    static bool SameInBothStates(const QPalette& palette) {
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text}) {
            if (palette.color(QPalette::Active, role) != palette.color(QPalette::Inactive, role)) {
                return false;
            }
        }
        return true;
    }

    void SetFocusFrame(bool shown) {
        if (shown == m_focusFrame) {
            return;
        }
        m_focusFrame = shown;
        const QRect whole = rect();
        update(QRegion(whole) - QRegion(whole.adjusted(kFocusFrameWidth, kFocusFrameWidth,
                                                       -kFocusFrameWidth, -kFocusFrameWidth)));
    }

    View* m_view;
    QStringList m_announced;
    KeyRepeatFilter m_repeats;
    bool m_focusFrame = false;
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

void View::ForgetHeldKeys() {
    if (auto* widget = dynamic_cast<ViewWidget*>(Widget())) {
        widget->ForgetHeldKeys();
    }
}

bool View::TakeKey(QKeyEvent* event) {
    QWidget* widget = Widget();
    if (widget == nullptr || !TargetOfKey(*this, event)) {
        return false;
    }
    QCoreApplication::sendEvent(widget, event);
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

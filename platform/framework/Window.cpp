#include "platform/framework/Window.h"

#include "platform/core/Messages.h"
#include "platform/framework/Application.h"
#include "platform/framework/Frame.h"
#include "platform/graphics/DC.h"
#include "platform/graphics/QtGeometry.h"
#include "platform/graphics/Screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <unordered_map>

namespace platform {

namespace {

// Outer and client widgets of every window, for FromWidget.
std::unordered_map<const QWidget*, Window*>& Windows() {
    static std::unordered_map<const QWidget*, Window*> windows;
    return windows;
}

// How long a window just shown may take to appear on the screen.
constexpr int kExposureWaitMs = 2000;

// Qt paints a window only once the window system has exposed it, which for a window just
// shown comes a moment later. Waiting for that (without user input) lets a window be painted
// at once after it was shown, as the program asks.
void WaitForExposure(QWidget* window) {
    // Events handled while waiting may close the window.
    const QPointer<QWindow> handle = window->windowHandle();
    const QDeadlineTimer deadline(kExposureWaitMs);
    while (handle && !handle->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (handle && !handle->isExposed()) {
            QThread::msleep(1);
        }
    }
}

}  // namespace

// Lets a widget that Qt destroys (with its parent, say) unbind from its window.
class WindowAccess {
public:
    // Windows the framework owns inside a dying window go first, children before their
    // parent, as the handheld destroys them.
    static void DestroyChildWindows(const QWidget* parent) {
        QList<QPointer<QWidget>> children;
        for (QWidget* child : parent->findChildren<QWidget*>()) {
            children << child;
        }
        for (const QPointer<QWidget>& child : children) {
            Window* window = child ? Window::FromWidget(child) : nullptr;
            if (window != nullptr && window->m_widget == child && window->m_autoDelete) {
                delete child.data();
            }
        }
    }

    static void WidgetDestroyed(const QObject* object) {
        auto& windows = Windows();
        const auto it = windows.find(static_cast<const QWidget*>(object));
        if (it == windows.end()) {
            return;
        }
        Window* window = it->second;
        windows.erase(it);
        if (window->m_widget == object) {
            if (window->m_client != nullptr) {
                windows.erase(window->m_client);
            }
            window->m_widget = nullptr;
            window->m_client = nullptr;
            window->m_ownsWidget = false;
            if (window->m_autoDelete) {
                DestroyChildWindows(static_cast<const QWidget*>(object));
                delete window;
            }
        } else if (window->m_client == object) {
            window->m_client = nullptr;
        }
    }
};

Window::Window() = default;

Window::~Window() {
    delete m_windowDC;
    QWidget* widget = m_widget;
    const bool owned = m_ownsWidget;
    Detach();
    if (owned) {
        delete widget;
    }
}

void Window::DestroyWindow() {
    QWidget* widget = m_widget;
    if (widget == nullptr) {
        return;
    }
    if (!m_autoDelete) {
        Detach();
    }
    delete widget;
}

Window* Window::FromWidget(const QWidget* widget) {
    const auto it = Windows().find(widget);
    return it == Windows().end() ? nullptr : it->second;
}

void Window::Attach(QWidget* widget, bool owned, QWidget* client) {
    Detach();
    m_widget = widget;
    m_client = client == widget ? nullptr : client;
    m_ownsWidget = owned;
    for (QWidget* w : {m_widget, m_client}) {
        if (w == nullptr) {
            continue;
        }
        Windows()[w] = this;
        QObject::connect(w, &QObject::destroyed, &WindowAccess::WidgetDestroyed);
    }
}

void Window::Detach() {
    for (QWidget* w : {m_widget, m_client}) {
        const auto it = Windows().find(w);
        if (w != nullptr && it != Windows().end() && it->second == this) {
            Windows().erase(it);
        }
    }
    m_widget = nullptr;
    m_client = nullptr;
    m_ownsWidget = false;
}

Rect Window::GetClientRect() const {
    const QWidget* client = ClientWidget();
    return client ? Rect{0, 0, client->width(), client->height()} : Rect{};
}

Rect Window::GetWindowRect() const {
    if (m_widget == nullptr) {
        return {};
    }
    if (m_widget->isWindow()) {
        return ToRect(m_widget->frameGeometry());
    }
    return ToRect(QRect(m_widget->mapToGlobal(QPoint(0, 0)), m_widget->size()));
}

void Window::ScreenToClient(Rect* rect) const {
    const QWidget* client = ClientWidget();
    if (client == nullptr || rect == nullptr) {
        return;
    }
    const QPoint origin = client->mapToGlobal(QPoint(0, 0));
    rect->left -= origin.x();
    rect->right -= origin.x();
    rect->top -= origin.y();
    rect->bottom -= origin.y();
}

void Window::MoveWindow(int x, int y, int width, int height, bool repaint) {
    if (m_widget == nullptr) {
        return;
    }
    if (m_widget->isWindow()) {
        // A top-level window's rectangle includes its frame; Qt sizes the inside.
        const QRect frame = m_widget->frameGeometry();
        const QRect inside = m_widget->geometry();
        const QSize oldSize = m_widget->size();
        m_widget->move(x, y);
        m_widget->resize(std::max(0, width - (frame.width() - inside.width())),
                         std::max(0, height - (frame.height() - inside.height())));
        // Qt tells a hidden window of its new size only when it is shown; tell it now, so
        // that its contents (a dialog's client area) follow while it is being set up.
        if (!m_widget->isVisible() && m_widget->size() != oldSize) {
            QResizeEvent resize(m_widget->size(), oldSize);
            QCoreApplication::sendEvent(m_widget, &resize);
        }
    } else {
        // A child moves in its parent's client coordinates, and its parent widget is that
        // client area.
        m_widget->setGeometry(x, y, std::max(0, width), std::max(0, height));
    }
    if (repaint && m_widget->isVisible()) {
        m_widget->update();
    }
}

void Window::CenterWindow(Window* alternateOwner) {
    if (m_widget == nullptr) {
        return;
    }
    Window* owner = alternateOwner ? alternateOwner : GetOwner();
    const Rect workArea = GetWorkArea();
    const Rect around = owner && owner->IsCreated() && owner->Widget()->isVisible()
                            ? owner->GetWindowRect()
                            : workArea;
    const Rect mine = GetWindowRect();
    int x = around.left + (around.Width() - mine.Width()) / 2;
    int y = around.top + (around.Height() - mine.Height()) / 2;
    if (m_widget->isWindow()) {
        // Keep the window on the usable part of the screen.
        x = std::max(workArea.left, std::min(x, workArea.right - mine.Width()));
        y = std::max(workArea.top, std::min(y, workArea.bottom - mine.Height()));
    } else if (QWidget* parent = m_widget->parentWidget()) {
        const QPoint local = parent->mapFromGlobal(QPoint(x, y));
        x = local.x();
        y = local.y();
    }
    MoveWindow(x, y, mine.Width(), mine.Height());
}

void Window::Invalidate(bool erase) {
    InvalidateRect(GetClientRect(), erase);
}

void Window::InvalidateRect(const Rect& rect, bool /*erase*/) {
    // Qt repaints a region by painting the widget's background first, so every
    // invalidation erases; a view that paints without erasing keeps its own flag.
    if (QWidget* client = ClientWidget()) {
        client->update(ToQRect(rect));
    }
}

void Window::UpdateWindow() {
    QWidget* client = ClientWidget();
    if (client == nullptr || !client->isVisible()) {
        return;
    }
    WaitForExposure(client->window());
    client->repaint();
}

DC* Window::GetDC() {
    if (m_windowDC == nullptr) {
        m_windowDC = new DC();
    }
    return m_windowDC;
}

int Window::ReleaseDC(DC* dc) {
    return dc != nullptr && dc == m_windowDC ? 1 : 0;
}

bool Window::ShowWindow(int showCommand) {
    if (m_widget == nullptr) {
        return false;
    }
    const bool wasVisible = m_widget->isVisible();
    if (showCommand == kSwHide) {
        m_widget->hide();
        return wasVisible;
    }
    m_widget->show();
    if (m_widget->isWindow()) {
        m_widget->raise();
        m_widget->activateWindow();
    }
    return wasVisible;
}

bool Window::IsWindowVisible() const {
    return m_widget != nullptr && m_widget->isVisible();
}

bool Window::EnableWindow(bool enable) {
    if (m_widget == nullptr) {
        return false;
    }
    const bool wasDisabled = !m_widget->isEnabled();
    m_widget->setEnabled(enable);
    m_style = enable ? (m_style & ~kWsDisabled) : (m_style | kWsDisabled);
    return wasDisabled;
}

bool Window::IsWindowEnabled() const {
    return m_widget != nullptr && m_widget->isEnabled();
}

void Window::SetWindowText(const QString& text) {
    SendMessage(kMsgSetText, 0, reinterpret_cast<LParam>(&text));
}

QString Window::GetWindowText() const {
    if (m_widget == nullptr) {
        return {};
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(m_widget)) {
        return edit->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(m_widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(m_widget)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(m_widget)) {
        return group->title();
    }
    return m_widget->windowTitle();
}

void Window::SetFocus() {
    if (m_widget != nullptr) {
        m_widget->setFocus(Qt::OtherFocusReason);
    }
}

bool Window::ModifyStyle(unsigned remove, unsigned add, unsigned /*flags*/) {
    const unsigned oldStyle = m_style;
    const unsigned newStyle = (oldStyle & ~remove) | add;
    if (newStyle == oldStyle) {
        return false;
    }
    m_style = newStyle;
    OnStyleChanged(oldStyle, newStyle);
    return true;
}

void Window::OnStyleChanged(unsigned oldStyle, unsigned newStyle) {
    if (m_widget == nullptr) {
        return;
    }
    const unsigned changed = oldStyle ^ newStyle;
    if ((changed & kWsDisabled) != 0) {
        m_widget->setEnabled((newStyle & kWsDisabled) == 0);
    }
    if ((changed & kWsSysMenu) != 0 && m_widget->isWindow()) {
        const bool wasVisible = m_widget->isVisible();
        Qt::WindowFlags flags = m_widget->windowFlags() | Qt::CustomizeWindowHint;
        flags.setFlag(Qt::WindowCloseButtonHint, (newStyle & kWsSysMenu) != 0);
        flags.setFlag(Qt::WindowSystemMenuHint, (newStyle & kWsSysMenu) != 0);
        m_widget->setWindowFlags(flags);
        // Changing the flags hides a shown window; bring it back.
        if (wasVisible) {
            m_widget->show();
        }
    }
}

MessageResult Window::SendMessage(unsigned message, WParam wParam, LParam lParam) {
    return WindowProc(message, wParam, lParam);
}

Window* Window::GetOwner() const {
    if (m_widget == nullptr) {
        return nullptr;
    }
    for (QWidget* w = m_widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (Window* window = FromWidget(w)) {
            return window;
        }
    }
    return nullptr;
}

MessageResult Window::WindowProc(unsigned message, WParam wParam, LParam lParam) {
    return DefWindowProc(message, wParam, lParam);
}

MessageResult Window::DefWindowProc(unsigned message, WParam /*wParam*/, LParam lParam) {
    if (message == kMsgSetText) {
        if (m_widget == nullptr || lParam == 0) {
            return 0;
        }
        const QString& text = *reinterpret_cast<const QString*>(lParam);
        if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
            edit->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
            button->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
            label->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(m_widget)) {
            group->setTitle(text);
        } else {
            m_widget->setWindowTitle(text);
        }
        return 1;
    }
    return 0;
}

Window* GetActiveWindow() {
    // The top-level window in front: a modal dialog, the active window, the focus's window.
    QWidget* candidates[] = {QApplication::activeModalWidget(), QApplication::activeWindow(),
                             QApplication::focusWidget()};
    for (QWidget* widget : candidates) {
        if (widget == nullptr) {
            continue;
        }
        if (Window* window = Window::FromWidget(widget->window())) {
            return window;
        }
    }
    Application* app = Application::Instance();
    return app ? app->GetMainWnd() : nullptr;
}

}  // namespace platform

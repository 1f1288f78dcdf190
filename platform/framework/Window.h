#pragma once

// A window of the program: the platform's handle on one Qt widget. Frames, views, dialogs and
// controls derive from it. The program talks to windows only through these operations, in the
// handheld's terms; the widget behind a window is reached with Widget() by the platform and by
// tests alone.

#include "platform/core/Types.h"

#include <QString>

class QWidget;

namespace platform {

class DC;

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    QWidget* Widget() const { return m_widget; }
    // The widget that holds the window's contents and child windows: a dialog's area below
    // its title, a frame's central area. The outer widget when the window has no such part.
    QWidget* ClientWidget() const { return m_client ? m_client : m_widget; }
    bool IsCreated() const { return m_widget != nullptr; }
    // The window object of a widget, or null when the widget belongs to no window.
    static Window* FromWidget(const QWidget* widget);

    // Geometry. The client rectangle starts at (0, 0); a window rectangle is in screen
    // coordinates and includes the window's own frame and title area.
    Rect GetClientRect() const;
    Rect GetWindowRect() const;
    void MoveWindow(int x, int y, int width, int height, bool repaint = true);
    void CenterWindow(Window* alternateOwner = nullptr);
    // Turns a rectangle in screen coordinates into this window's client coordinates, as
    // child windows are placed with MoveWindow.
    void ScreenToClient(Rect* rect) const;

    // Painting: invalidation with or without erasing the background, and an immediate update.
    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& rect, bool erase = true);
    void UpdateWindow();
    // The window's display context, for creating compatible memory contexts.
    DC* GetDC();
    int ReleaseDC(DC* dc);

    // State. ShowWindow takes 5 (show) or 0 (hide) and answers whether it was visible before.
    // EnableWindow answers whether the window was disabled before.
    bool ShowWindow(int showCommand);
    bool IsWindowVisible() const;
    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    void SetFocus();

    // Style bits, kept in the handheld's numbers. Changing kWsSysMenu shows or hides the
    // window's close box.
    unsigned GetStyle() const { return m_style; }
    bool ModifyStyle(unsigned remove, unsigned add, unsigned flags = 0);

    // Synchronous message to this window: goes through WindowProc first.
    MessageResult SendMessage(unsigned message, WParam wParam = 0, LParam lParam = 0);

    // The owner (or parent) window, if it is a window of the program.
    Window* GetOwner() const;

    // Platform internals: a window made by the framework (frame and view of a document
    // template) is deleted along with its widget, as the framework owns it.
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }
    // Destroys the widget now; an auto-deleted window is gone afterwards.
    void DestroyWindow();

protected:
    // Sees every message sent to the window first; the default passes it to DefWindowProc.
    virtual MessageResult WindowProc(unsigned message, WParam wParam, LParam lParam);
    // The platform's default handling of a message.
    virtual MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam);

    // Applies a change of style bits to the widget; the default shows or hides a top-level
    // window's close box for kWsSysMenu and enables or disables it for kWsDisabled.
    virtual void OnStyleChanged(unsigned oldStyle, unsigned newStyle);

    // Platform internals: bind this window to its widget (not owned when owned is false).
    // Child windows and the client rectangle use client, or the widget itself when null.
    void Attach(QWidget* widget, bool owned, QWidget* client = nullptr);
    void Detach();
    void SetStyleBits(unsigned style) { m_style = style; }

private:
    friend class WindowAccess;
    QWidget* m_widget = nullptr;
    QWidget* m_client = nullptr;
    bool m_ownsWidget = false;
    bool m_autoDelete = false;
    unsigned m_style = 0;
    DC* m_windowDC = nullptr;
};

// The window that is active or has the input focus, or null.
Window* GetActiveWindow();

}  // namespace platform

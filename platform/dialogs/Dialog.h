#pragma once

// Modal dialogs built from the dialog templates in res/: caption, font, size and controls in
// dialog units, converted with the base units of the template's font. Every dialog has a title
// area of its own with its caption and, when shown, a Done (OK) button at its right, and no
// close box of the window manager.

#include "platform/framework/CommandTarget.h"
#include "platform/framework/Window.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace platform {

class DataExchange;
struct DialogTemplate;

// Done-button states of the shell: 1 shows it, 2 hides it.
inline constexpr int kDoneButtonShow = 1;
inline constexpr int kDoneButtonHide = 2;

class Dialog : public Window, public CommandTarget {
public:
    explicit Dialog(unsigned templateId, Window* parent = nullptr);
    ~Dialog() override;

    // Builds the dialog, initialises it (OnInitDialog), runs it modally; answers 1 (OK) or
    // 2 (Cancel), or -1 when the template cannot be found.
    int DoModal();
    void EndDialog(int result);

    // Data exchange: true copies control contents to the members and validates; false
    // copies the members into the controls. Answers false when validation refused.
    bool UpdateData(bool saveAndValidate = true);

    // The window of control id, or null.
    Window* GetDlgItem(int id);

    // For assistive technology: the static text labelId is the caption of control controlId,
    // which is then read with it.
    void SetDlgItemLabel(int labelId, int controlId);
    // For assistive technology: the name of control id, which has no caption of its own.
    void SetDlgItemName(int id, const QString& name);

    // The framework's full-screen flag: set by default; when set as the framework's dialog
    // initialisation runs, the dialog fills the screen's work area.
    bool IsFullScreen() const { return m_fullScreen; }
    void SetFullScreen(bool fullScreen) { m_fullScreen = fullScreen; }

    // The shell's Done button in the title area (kDoneButtonShow or kDoneButtonHide).
    void SetDoneButtonState(int state);

    unsigned TemplateId() const { return m_templateId; }

protected:
    // The framework's dialog initialisation: full-screen sizing when the flag is set, then
    // the members into the controls. Answers true (the framework sets the focus).
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& dx);
    // OK: data exchange with validation, then EndDialog(1) unless it refused.
    virtual void OnOK();
    // Cancel (control 2): EndDialog(2) without data exchange.
    virtual void OnCancel();

    // Message-table entries for control notifications (kBnClicked, kCbnSelChange), in order.
    template <class T>
    void OnControlNotify(int controlId, unsigned notification, void (T::*handler)()) {
        m_notifications.push_back(
            {controlId, notification, [this, handler] { (static_cast<T*>(this)->*handler)(); }});
    }

    // Default handling; message 26 refits a full-screen dialog to the work area; command
    // messages (273) carry control notifications: the id in the low word, the notification
    // in the high word.
    MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam) override;
    // The close box in the title area follows kWsSysMenu.
    void OnStyleChanged(unsigned oldStyle, unsigned newStyle) override;

private:
    friend class DialogBuilder;
    friend class DataExchange;
    struct Notification {
        int controlId;
        unsigned code;
        std::function<void()> handler;
    };
    struct Impl;

    void Notify(int controlId, unsigned code);
    void Create(const DialogTemplate& dialogTemplate);
    void Destroy();
    void FillWorkArea();
    void UpdateDoneButton();
    void BindControl(int id, Window& control);
    QWidget* OwnerWidget() const;

    unsigned m_templateId;
    Window* m_parent;
    bool m_fullScreen = true;
    std::vector<Notification> m_notifications;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace platform

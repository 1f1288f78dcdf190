#include "platform/dialogs/Dialog.h"

#include "platform/core/Messages.h"
#include "platform/core/Resources.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/DialogBuilder.h"
#include "platform/dialogs/DialogFrame.h"
#include "platform/graphics/Screen.h"

#include <QLabel>

namespace platform {

struct Dialog::Impl {
    DialogFrame* frame = nullptr;  // owned through the window
    std::vector<DialogBuilder::Control> controls;
    bool captionOk = false;
    int doneState = 0;
    bool running = false;
    bool ended = false;
    int result = kIdCancel;
};

Dialog::Dialog(unsigned templateId, Window* parent)
    : m_templateId(templateId), m_parent(parent), m_impl(std::make_unique<Impl>()) {}

Dialog::~Dialog() {
    Destroy();
}

int Dialog::DoModal() {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr || m_impl->frame != nullptr) {
        return -1;
    }
    Create(*dialogTemplate);
    // The screen's work area may change while the dialog is open (a panel appears, the
    // phone turns): the dialog hears of it as message 26.
    const int listener = AddWorkAreaListener([this] { SendMessage(kMsgSettingChange, 0, 0); });

    m_impl->ended = false;
    m_impl->result = kIdCancel;
    OnInitDialog();
    if (!m_impl->ended) {
        m_impl->frame->SetMovable(!m_fullScreen);
        m_impl->running = true;
        m_impl->frame->exec();
        m_impl->running = false;
    }
    const int result = m_impl->ended ? m_impl->result : kIdCancel;

    RemoveWorkAreaListener(listener);
    Destroy();
    return result;
}

void Dialog::EndDialog(int result) {
    m_impl->ended = true;
    m_impl->result = result;
    if (m_impl->running && m_impl->frame != nullptr) {
        m_impl->frame->done(result);
    }
}

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

Window* Dialog::GetDlgItem(int id) {
    for (const DialogBuilder::Control& control : m_impl->controls) {
        if (control.id == id && id >= 0) {
            return Window::FromWidget(control.widget);
        }
    }
    return nullptr;
}

void Dialog::SetDlgItemLabel(int labelId, int controlId) {
    const Window* label = GetDlgItem(labelId);
    const Window* control = GetDlgItem(controlId);
    auto* caption = label != nullptr ? qobject_cast<QLabel*>(label->Widget()) : nullptr;
    if (caption != nullptr && control != nullptr) {
        // A caption without a mnemonic gains no key by it; it only names its control.
        caption->setBuddy(control->Widget());
    }
}

void Dialog::SetDlgItemName(int id, const QString& name) {
    if (const Window* control = GetDlgItem(id)) {
        control->Widget()->setAccessibleName(name);
    }
}

void Dialog::SetDoneButtonState(int state) {
    m_impl->doneState = state;
    UpdateDoneButton();
}

bool Dialog::OnInitDialog() {
    if (m_fullScreen) {
        FillWorkArea();
    }
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange& /*dx*/) {}

void Dialog::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    EndDialog(kIdOk);
}

void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

MessageResult Dialog::DefWindowProc(unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
        case kMsgSettingChange:
            if (m_fullScreen && IsCreated()) {
                FillWorkArea();
            }
            return 0;
        case kMsgCommand:
            Notify(static_cast<int>(wParam & 0xFFFF), static_cast<unsigned>(wParam >> 16));
            return 0;
        default:
            return Window::DefWindowProc(message, wParam, lParam);
    }
}

void Dialog::OnStyleChanged(unsigned oldStyle, unsigned newStyle) {
    if (m_impl->frame == nullptr) {
        return;
    }
    const unsigned changed = oldStyle ^ newStyle;
    if ((changed & kWsSysMenu) != 0) {
        m_impl->frame->SetCloseBoxVisible((newStyle & kWsSysMenu) != 0);
    }
    if ((changed & kWsDisabled) != 0) {
        m_impl->frame->setEnabled((newStyle & kWsDisabled) == 0);
    }
}

void Dialog::Notify(int controlId, unsigned code) {
    for (const Notification& entry : m_notifications) {
        if (entry.controlId == controlId && entry.code == code) {
            entry.handler();
            return;
        }
    }
    if (code != kBnClicked) {
        return;
    }
    if (controlId == kIdOk) {
        OnOK();
    } else if (controlId == kIdCancel) {
        OnCancel();
    }
}

void Dialog::Create(const DialogTemplate& dialogTemplate) {
    DialogBuilder::Result built = DialogBuilder::Build(*this, dialogTemplate, OwnerWidget());
    m_impl->frame = built.frame;
    m_impl->controls = std::move(built.controls);
    m_impl->captionOk = (dialogTemplate.exStyle & kWsExCaptionOk) != 0;
    m_impl->doneState = 0;
    Attach(built.frame, true, built.frame->Client());
    SetStyleBits(dialogTemplate.style);
    m_impl->frame->SetCloseBoxVisible((dialogTemplate.style & kWsSysMenu) != 0);
    UpdateDoneButton();
    CenterWindow();
}

void Dialog::Destroy() {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return;
    }
    Detach();
    // The platform's own control objects go first; controls bound to the program's members
    // let go of their widgets as the widgets are destroyed.
    m_impl->controls.clear();
    m_impl->frame = nullptr;
    delete widget;
}

void Dialog::FillWorkArea() {
    const Rect area = GetWorkArea();
    MoveWindow(area.left, area.top, area.Width(), area.Height());
}

void Dialog::UpdateDoneButton() {
    if (m_impl->frame != nullptr) {
        m_impl->frame->SetDoneButtonVisible(m_impl->doneState == kDoneButtonShow ||
                                            m_impl->captionOk);
    }
}

void Dialog::BindControl(int id, Window& control) {
    for (const DialogBuilder::Control& entry : m_impl->controls) {
        if (entry.id != id || id < 0) {
            continue;
        }
        if (control.Widget() == entry.widget) {
            return;
        }
        // The program's object takes the control over from whichever object had it.
        unsigned style = entry.style;
        if (Window* current = Window::FromWidget(entry.widget)) {
            style = current->GetStyle();
            DialogBuilder::Unbind(*current);
        }
        DialogBuilder::Bind(control, entry.widget, style);
        return;
    }
}

QWidget* Dialog::OwnerWidget() const {
    Window* owner = m_parent != nullptr ? m_parent : GetActiveWindow();
    if (owner == nullptr || owner == this || owner->Widget() == nullptr) {
        return nullptr;
    }
    return owner->Widget()->window();
}

}  // namespace platform

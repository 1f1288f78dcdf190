#include "platform/dialogs/Controls.h"

#include "platform/dialogs/UpDownControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace platform {

namespace {

QComboBox* ComboOf(const Window& window) {
    return qobject_cast<QComboBox*>(window.Widget());
}

UpDownControl* UpDownOf(const Window& window) {
    return qobject_cast<UpDownControl*>(window.Widget());
}

}  // namespace

int Button::GetCheck() const {
    const auto* button = qobject_cast<const QAbstractButton*>(Widget());
    if (button == nullptr) {
        return 0;
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(button)) {
        if (box->checkState() == Qt::PartiallyChecked) {
            return 2;
        }
    }
    return button->isChecked() ? 1 : 0;
}

void Button::SetCheck(int check) {
    auto* button = qobject_cast<QAbstractButton*>(Widget());
    if (button == nullptr) {
        return;
    }
    auto* box = qobject_cast<QCheckBox*>(button);
    if (box != nullptr && check == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    button->setChecked(check != 0);
}

int Static::GetIdealWidth() const {
    const auto* label = qobject_cast<const QLabel*>(Widget());
    if (label == nullptr) {
        return 0;
    }
    const QMargins margins = label->contentsMargins();
    return label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() +
           margins.left() + margins.right();
}

int ComboBox::GetIdealWidth() const {
    QComboBox* combo = ComboOf(*this);
    if (combo == nullptr) {
        return 0;
    }
    // The box is placed by its template, never by a layout, so the policy changes nothing
    // else; it makes the size hint follow the entries as they are now.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo->sizeHint().width();
}

int ComboBox::GetCount() const {
    const QComboBox* combo = ComboOf(*this);
    return combo ? combo->count() : 0;
}

QString ComboBox::GetItemText(int index) const {
    const QComboBox* combo = ComboOf(*this);
    return combo ? combo->itemText(index) : QString();
}

MessageResult ComboBox::DefWindowProc(unsigned message, WParam wParam, LParam lParam) {
    QComboBox* combo = ComboOf(*this);
    if (combo == nullptr) {
        return Window::DefWindowProc(message, wParam, lParam);
    }
    switch (message) {
        case kCbAddString: {
            if (lParam == 0) {
                return kCbError;
            }
            // Adding to an empty list selects nothing, unlike Qt's combo box.
            const int selected = combo->currentIndex();
            combo->addItem(*reinterpret_cast<const QString*>(lParam));
            if (selected < 0) {
                combo->setCurrentIndex(-1);
            }
            return combo->count() - 1;
        }
        case kCbSetCurSel: {
            const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
            if (index < 0 || index >= combo->count()) {
                combo->setCurrentIndex(-1);
                return kCbError;
            }
            combo->setCurrentIndex(index);
            return index;
        }
        case kCbGetCurSel:
            return combo->currentIndex();
        default:
            return Window::DefWindowProc(message, wParam, lParam);
    }
}

int SpinButton::GetLower() const {
    const UpDownControl* upDown = UpDownOf(*this);
    return upDown ? upDown->Lower() : 0;
}

int SpinButton::GetUpper() const {
    const UpDownControl* upDown = UpDownOf(*this);
    return upDown ? upDown->Upper() : 0;
}

MessageResult SpinButton::DefWindowProc(unsigned message, WParam wParam, LParam lParam) {
    UpDownControl* upDown = UpDownOf(*this);
    if (upDown == nullptr || message != kUdmSetRange) {
        return Window::DefWindowProc(message, wParam, lParam);
    }
    const auto range = static_cast<std::uint32_t>(lParam);
    const auto lower = static_cast<std::int16_t>(range >> 16);
    const auto upper = static_cast<std::int16_t>(range & 0xFFFF);
    upDown->SetRange(lower, upper);
    return 0;
}

}  // namespace platform

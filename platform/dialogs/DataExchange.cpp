#include "platform/dialogs/DataExchange.h"

#include "platform/dialogs/Controls.h"
#include "platform/dialogs/Dialog.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace platform {

namespace {

// A decimal integer with an optional sign and blanks around it; anything else, and a number
// beyond the range of int, is refused.
bool ParseInteger(const QString& text, int& value) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (ok) {
        value = number;
    }
    return ok;
}

}  // namespace

void DataExchange::Control(int id, Window& control) {
    if (m_failed) {
        return;
    }
    m_dialog.BindControl(id, control);
}

void DataExchange::Text(int id, QString& value) {
    if (m_failed) {
        return;
    }
    m_lastControlId = id;
    Window* control = m_dialog.GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    if (m_saveAndValidate) {
        value = control->GetWindowText();
    } else {
        control->SetWindowText(value);
    }
}

void DataExchange::Text(int id, int& value) {
    if (m_failed) {
        return;
    }
    m_lastControlId = id;
    m_integerControls.emplace_back(&value, id);
    Window* control = m_dialog.GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    if (!m_saveAndValidate) {
        control->SetWindowText(QString::number(value));
        return;
    }
    int parsed = 0;
    if (!ParseInteger(control->GetWindowText(), parsed)) {
        Fail(id, QCoreApplication::translate("platform::DataExchange", "Please enter an integer."));
        return;
    }
    value = parsed;
}

void DataExchange::Check(int id, int& value) {
    if (m_failed) {
        return;
    }
    m_lastControlId = id;
    auto* button = dynamic_cast<Button*>(m_dialog.GetDlgItem(id));
    if (button == nullptr) {
        return;
    }
    if (m_saveAndValidate) {
        value = button->GetCheck();
    } else {
        button->SetCheck(value);
    }
}

void DataExchange::MinMaxInt(const int& value, int minimum, int maximum) {
    if (m_failed || !m_saveAndValidate) {
        return;
    }
    if (value >= minimum && value <= maximum) {
        return;
    }
    Fail(ControlOf(value), QCoreApplication::translate("platform::DataExchange",
                                                       "Please enter an integer between %1 and %2.")
                               .arg(minimum)
                               .arg(maximum));
}

int DataExchange::ControlOf(const int& value) const {
    for (const auto& [address, id] : m_integerControls) {
        if (address == &value) {
            return id;
        }
    }
    return m_lastControlId;
}

void DataExchange::Fail(int controlId, const QString& message) {
    m_failed = true;
    MessageBox(message, kMbIconWarning);
    Window* control = m_dialog.GetDlgItem(controlId);
    if (control == nullptr) {
        return;
    }
    control->SetFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control->Widget())) {
        edit->selectAll();
    }
}

}  // namespace platform

#pragma once

// Data exchange between a dialog's members and its controls, with the framework's usual
// validation messages. After a refusal the remaining steps do nothing, the control at fault
// has the focus and the dialog stays open.

#include <QString>

#include <utility>
#include <vector>

namespace platform {

class Dialog;
class Window;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate)
        : m_dialog(dialog), m_saveAndValidate(saveAndValidate) {}

    bool SaveAndValidate() const { return m_saveAndValidate; }
    bool Failed() const { return m_failed; }

    // Binds the window object to control id.
    void Control(int id, Window& control);
    // Text of a static or edit control.
    void Text(int id, QString& value);
    // Decimal integer of an edit control; a text that is no integer is refused with
    // "Please enter an integer."
    void Text(int id, int& value);
    // Check box state: 0 or 1.
    void Check(int id, int& value);
    // Range check, both bounds inclusive, when saving; refused with
    // "Please enter an integer between %1 and %2." The focus goes to the control the value
    // was exchanged with, or else to the control exchanged last.
    void MinMaxInt(const int& value, int minimum, int maximum);

private:
    void Fail(int controlId, const QString& message);
    int ControlOf(const int& value) const;

    Dialog& m_dialog;
    bool m_saveAndValidate;
    bool m_failed = false;
    int m_lastControlId = -1;
    std::vector<std::pair<const int*, int>> m_integerControls;
};

}  // namespace platform

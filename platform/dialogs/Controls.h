#pragma once

// The controls of dialog templates, as window objects the program binds to a control id with
// DataExchange::Control. Requests go through SendMessage in the handheld's numbers.

#include "platform/core/Messages.h"
#include "platform/framework/Window.h"

#include <QString>

namespace platform {

class Button : public Window {
public:
    // Check boxes: 0 unchecked, 1 checked.
    int GetCheck() const;
    void SetCheck(int check);
};

class Static : public Window {
public:
    // The width in pixels its text needs on one line.
    int GetIdealWidth() const;
};

class Edit : public Window {};

class ComboBox : public Window {
public:
    int AddString(const QString& text) {
        return static_cast<int>(SendMessage(kCbAddString, 0, reinterpret_cast<LParam>(&text)));
    }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(kCbSetCurSel, static_cast<WParam>(index), 0));
    }
    int GetCurSel() { return static_cast<int>(SendMessage(kCbGetCurSel, 0, 0)); }
    int GetCount() const;
    QString GetItemText(int index) const;
    // The width in pixels at which the closed box shows its longest entry whole.
    int GetIdealWidth() const;

protected:
    // Messages 323 (add a string, answers its index), 334 (select an index, -1 for none;
    // answers the index or -1) and 327 (answers the selected index or -1).
    MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam) override;
};

class SpinButton : public Window {
public:
    void SetRange(int lower, int upper) {
        SendMessage(kUdmSetRange, 0, static_cast<LParam>((lower << 16) | (upper & 0xFFFF)));
    }
    int GetLower() const;
    int GetUpper() const;

protected:
    // Message 1125: the range, LParam = (minimum << 16) | maximum, both 16-bit signed.
    MessageResult DefWindowProc(unsigned message, WParam wParam, LParam lParam) override;
};

}  // namespace platform

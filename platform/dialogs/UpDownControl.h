#pragma once

// The up-down control ("msctls_updown32"): two arrow buttons that step an integer position
// within a range and, with the set-buddy-int style, write it into a buddy edit field. The
// up arrow steps toward the upper end of the range, whichever way round the range lies.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

namespace platform {

class UpDownControl : public QWidget {
    Q_OBJECT

public:
    // Style bits of the up-down control.
    static constexpr unsigned kSetBuddyInt = 0x02;
    static constexpr unsigned kAlignRight = 0x04;
    static constexpr unsigned kAutoBuddy = 0x10;
    static constexpr unsigned kArrowKeys = 0x20;

    UpDownControl(unsigned style, QWidget* parent);

    // A fresh control counts from 100 down to 0, as on the handheld.
    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Position() const { return m_position; }

    // Takes the buddy and, with kAlignRight, moves to its right edge, narrowing it by this
    // control's width.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return qobject_cast<QLineEdit*>(m_buddy.data()); }

    // One step up (toward the upper end) or down, as the arrows and arrow keys do.
    void Step(bool up);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Clamp(int value) const;

    unsigned m_style;
    int m_lower = 100;
    int m_upper = 0;
    int m_position = 0;
    // Held as a widget: the pointer is read while the edit is being destroyed, when it is
    // no longer a QLineEdit.
    QPointer<QWidget> m_buddy;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

}  // namespace platform

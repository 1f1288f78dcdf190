#include "platform/dialogs/UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace platform {

UpDownControl::UpDownControl(unsigned style, QWidget* parent)
    : QWidget(parent), m_style(style), m_position(Clamp(0)) {
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
}

void UpDownControl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_position = Clamp(m_position);
}

void UpDownControl::SetBuddy(QLineEdit* buddy) {
    if (m_buddy) {
        m_buddy->removeEventFilter(this);
    }
    m_buddy = buddy;
    if (buddy == nullptr) {
        return;
    }
    if ((m_style & kArrowKeys) != 0) {
        buddy->installEventFilter(this);
    }
    if ((m_style & kAlignRight) != 0) {
        const QRect b = buddy->geometry();
        const int w = std::min(width(), b.width());
        buddy->setGeometry(b.x(), b.y(), b.width() - w, b.height());
        setGeometry(b.x() + b.width() - w, b.y(), w, b.height());
    }
}

void UpDownControl::Step(bool up) {
    // The buddy's text is the position the user sees; start from it when it is a number.
    QLineEdit* buddy = Buddy();
    if ((m_style & kSetBuddyInt) != 0 && buddy != nullptr) {
        bool ok = false;
        const int typed = buddy->text().trimmed().toInt(&ok);
        if (ok) {
            m_position = Clamp(typed);
        }
    }
    const int direction = m_upper >= m_lower ? 1 : -1;
    const long long next = static_cast<long long>(m_position) + (up ? direction : -direction);
    m_position = static_cast<int>(
        std::clamp<long long>(next, std::min(m_lower, m_upper), std::max(m_lower, m_upper)));
    if ((m_style & kSetBuddyInt) != 0 && buddy != nullptr) {
        buddy->setText(QString::number(m_position));
    }
}

int UpDownControl::Clamp(int value) const {
    return std::clamp(value, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upperHeight);
    m_down->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == m_buddy && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace platform

#include "platform/dialogs/DialogFrame.h"

#include "platform/core/Messages.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// Space around the caption and the title's buttons.
constexpr int kTitlePadding = 6;
constexpr int kTitleButtonGap = 3;

}  // namespace

DialogFrame::DialogFrame(QWidget* parent, std::function<void(int)> command)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_command(std::move(command)) {
    m_title = new QWidget(this);
    m_title->setObjectName(QStringLiteral("titleArea"));
    m_title->setAutoFillBackground(true);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::Window, titlePalette.color(QPalette::Highlight));
    titlePalette.setColor(QPalette::WindowText, titlePalette.color(QPalette::HighlightedText));
    m_title->setPalette(titlePalette);
    m_title->installEventFilter(this);

    m_caption = new QLabel(m_title);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->installEventFilter(this);

    m_done = new QPushButton(QCoreApplication::translate("platform::DialogFrame", "OK"), m_title);
    m_done->setObjectName(QStringLiteral("doneButton"));
    m_done->setAutoDefault(false);
    m_done->setFocusPolicy(Qt::NoFocus);
    m_done->hide();
    connect(m_done, &QPushButton::clicked, this, [this] { m_command(kIdOk); });

    m_close = new QToolButton(m_title);
    m_close->setObjectName(QStringLiteral("closeBox"));
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setToolTip(QCoreApplication::translate("platform::DialogFrame", "Close"));
    m_close->hide();
    connect(m_close, &QToolButton::clicked, this, [this] { m_command(kIdCancel); });

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));

    connect(this, &QWidget::windowTitleChanged, m_caption, &QLabel::setText);
    LayOut();
}

void DialogFrame::SetDoneButtonVisible(bool visible) {
    m_done->setVisible(visible);
    LayOut();
}

void DialogFrame::SetCloseBoxVisible(bool visible) {
    m_close->setVisible(visible);
    LayOut();
}

bool DialogFrame::IsDoneButtonVisible() const {
    return !m_done->isHidden();
}

bool DialogFrame::IsCloseBoxVisible() const {
    return !m_close->isHidden();
}

QSize DialogFrame::SizeForClient(const QSize& client) const {
    return {client.width() + 2 * kBorder, client.height() + m_titleHeight + kBorder};
}

void DialogFrame::reject() {
    // A close request from outside (the window manager's keys, say) is a Cancel.
    m_command(kIdCancel);
}

void DialogFrame::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void DialogFrame::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // The title area follows the font the dialog gets from its template.
    if (event->type() == QEvent::FontChange) {
        LayOut();
    }
}

void DialogFrame::LayOut() {
    QFont bold = font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_titleHeight = QFontMetrics(bold).height() + 2 * kTitlePadding;

    const int w = width();
    m_title->setGeometry(0, 0, w, m_titleHeight);
    m_client->setGeometry(kBorder, m_titleHeight, std::max(0, w - 2 * kBorder),
                          std::max(0, height() - m_titleHeight - kBorder));

    // The title's buttons sit at its right edge: the Done button, then the close box.
    const int buttonHeight = m_titleHeight - 2 * kTitleButtonGap;
    int right = w - kTitleButtonGap;
    if (!m_close->isHidden()) {
        m_close->setGeometry(right - buttonHeight, kTitleButtonGap, buttonHeight, buttonHeight);
        right -= buttonHeight + kTitleButtonGap;
    }
    if (!m_done->isHidden()) {
        // Compact, as title buttons are: the text with some room, not a full push button.
        const int textWidth = m_done->fontMetrics().horizontalAdvance(m_done->text());
        const int doneWidth = std::max(textWidth + 4 * kTitlePadding, 2 * buttonHeight);
        m_done->setGeometry(right - doneWidth, kTitleButtonGap, doneWidth, buttonHeight);
        right -= doneWidth + kTitleButtonGap;
    }
    m_caption->setGeometry(kTitlePadding, 0, std::max(0, right - kTitlePadding), m_titleHeight);
}

void DialogFrame::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_command(kIdCancel);
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter presses the push button that has the focus; anywhere else it is OK.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            m_command(kIdOk);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogFrame::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Without the window manager's frame a thin border keeps the dialog apart from what lies
    // behind it.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_title || watched == m_caption) && event->type() == QEvent::MouseButtonPress &&
        m_movable) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && windowHandle() != nullptr &&
            windowHandle()->startSystemMove()) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace platform

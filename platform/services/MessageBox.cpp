#include "platform/services/MessageBox.h"

#include "platform/core/Messages.h"
#include "platform/services/Strings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHash>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>

#include <vector>

namespace platform {

namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

MessageBoxHost& Host() {
    static MessageBoxHost host;
    return host;
}

// The box stands over the active window; when none is active (the focus went nowhere after
// an earlier box), over the main window, so it never drifts to the middle of the screen.
QWidget* OwnerOfBox() {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    QWidget* widget = Host().mainWindow ? Host().mainWindow() : nullptr;
    return widget && widget->isVisible() ? widget : nullptr;
}

QString Caption() {
    return Host().caption ? Host().caption() : QStringLiteral("Druno");
}

// The low four bits of the type choose the buttons (4: Yes and No, otherwise OK), the next
// four the icon.
constexpr unsigned kYesNo = 4;

bool IsYesNo(unsigned type) {
    return (type & 0x0F) == kYesNo;
}

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & 0xF0) {
        case 0x10:
            return QMessageBox::Critical;
        case 0x20:
            return QMessageBox::Question;
        case 0x30:
            return QMessageBox::Warning;
        case 0x40:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<Choice> ChoicesOf(unsigned type) {
    if (IsYesNo(type)) {
        return {{QMessageBox::Yes, kIdYes}, {QMessageBox::No, kIdNo}};
    }
    return {{QMessageBox::Ok, kIdOk}};
}

// Closing the box without a button gives the answer of its way out: No for a question, OK
// for a notice.
int EscapeAnswer(unsigned type) {
    return IsYesNo(type) ? kIdNo : kIdOk;
}

// The icons of the boxes' buttons, one of each kind for the life of the application. The style
// hands out a new icon for every button it makes, and each new icon is drawn into the
// application's pixmap cache under a key of its own: about a kilobyte more for every box shown,
// until the cache was full. The first icon of a kind is kept and shown on every later box.
QHash<int, QIcon> s_buttonIcons;
QPointer<QObject> s_buttonIconsOwner;

void ShareButtonIcon(QAbstractButton* button, QMessageBox::StandardButton which) {
    if (button == nullptr || button->icon().isNull()) {
        return;
    }
    if (s_buttonIconsOwner == nullptr) {
        // Icons belong to one application: they go with it.
        s_buttonIcons.clear();
        s_buttonIconsOwner = new QObject(QCoreApplication::instance());
        QObject::connect(s_buttonIconsOwner, &QObject::destroyed, [] { s_buttonIcons.clear(); });
    }
    const auto kept = s_buttonIcons.constFind(which);
    if (kept == s_buttonIcons.constEnd()) {
        s_buttonIcons.insert(which, button->icon());
    } else {
        button->setIcon(*kept);
    }
}

// The desktop draws the box's title beside the window's icon and buttons, often centred
// between them. A box as narrow as a short text ("WON!") cut its title short: a spacer as wide
// as the title in bold, and room for three buttons and the frame on either side of it (twelve
// lines' height in all), keeps it wide enough. QMessageBox sizes itself from its layout and
// pays no heed to a minimum width.
void MakeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics title(font);
    const QMargins margins = grid->contentsMargins();
    const int room = title.horizontalAdvance(box.windowTitle()) + 12 * title.height() -
                     margins.left() - margins.right();
    grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int ShowBox(const QString& text, const QString& caption, unsigned type, int defaultAnswer) {
    // Without a running application no window can be shown: answer as a failed box does.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return 0;
    }
    QMessageBox box(IconOf(type), caption, text, QMessageBox::NoButton, OwnerOfBox());
    const std::vector<Choice> choices = ChoicesOf(type);
    for (const Choice& choice : choices) {
        ShareButtonIcon(box.addButton(choice.button), choice.button);
    }
    QMessageBox::StandardButton defaultButton = choices.front().button;
    for (const Choice& choice : choices) {
        if (choice.answer == defaultAnswer) {
            defaultButton = choice.button;
        }
    }
    box.setDefaultButton(defaultButton);
    MakeRoomForTitle(box);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const Choice& choice : choices) {
        if (clicked != nullptr && clicked == box.button(choice.button)) {
            return choice.answer;
        }
    }
    return EscapeAnswer(type);
}

int Ask(const QString& text, unsigned type, int defaultAnswer) {
    // A program asked to end from outside shows nothing that would wait for the user.
    if (Host().endingSession && Host().endingSession()) {
        return EscapeAnswer(type);
    }
    const QString caption = Caption();
    if (Answerer()) {
        return Answerer()(text, caption, type);
    }
    return ShowBox(text, caption, type, defaultAnswer);
}

}  // namespace

int MessageBox(const QString& text, unsigned type, int defaultAnswer) {
    return Ask(text, type, defaultAnswer);
}

int MessageBox(unsigned stringId, unsigned type, int defaultAnswer) {
    return Ask(LoadString(stringId), type, defaultAnswer);
}

void SetMessageBoxHost(MessageBoxHost host) {
    Host() = std::move(host);
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

}  // namespace platform

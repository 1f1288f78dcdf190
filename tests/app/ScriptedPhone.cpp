#include "tests/app/ScriptedPhone.h"

#include "app/MyDrunoApp.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "tests/support/PanelLines.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// Each wait for the window system ends after this; a sanitized build on a busy machine is slow.
constexpr int kWaitMs = 30000;

void Say(const QString& line) {
    const QByteArray text = line.toUtf8() + '\n';
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, text.constData(), text.size());
}

[[noreturn]] void Fail(const QString& what) {
    Say(QStringLiteral("failed: ") + what);
    std::_Exit(3);
}

QWidget* MainWindow() {
    return theApp.GetMainWnd()->Widget();
}

CMyDrunoDoc* Doc() {
    return dynamic_cast<CMyDrunoDoc*>(theApp.GetMainWnd()->GetActiveDocument());
}

// The items to click, from the top menu's down to the command's own, in one of the command
// bar's menus.
bool FindItem(QMenu* menu, unsigned command, QList<QAction*>& path) {
    for (QAction* item : menu->actions()) {
        path.push_back(item);
        if (item->menu() != nullptr ? FindItem(item->menu(), command, path)
                                    : !item->isSeparator() && item->data().toUInt() == command) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

// A player's clicks: on the menu button, which opens its menu, then on each item down to the
// command's (an item with a menu of its own opens it).
void PickMenuItem(unsigned command) {
    QToolButton* button = nullptr;
    QList<QAction*> path;
    for (QToolButton* candidate : MainWindow()->findChildren<QToolButton*>()) {
        if (candidate->menu() != nullptr && FindItem(candidate->menu(), command, path)) {
            button = candidate;
            break;
        }
    }
    if (button == nullptr) {
        Fail(QStringLiteral("no menu item for command %1").arg(command));
    }
    const auto picked = std::make_shared<bool>(false);
    // The button's menu runs a loop of its own from the press on: the items are clicked there.
    QTimer::singleShot(0, button, [button, path, picked] {
        QMenu* menu = button->menu();
        for (QAction* item : path) {
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, kWaitMs)) {
                Fail(QStringLiteral("the menu holding \"%1\" did not open").arg(item->text()));
            }
            if (!item->isEnabled()) {
                Fail(QStringLiteral("\"%1\" is not enabled").arg(item->text()));
            }
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(item).center());
            menu = item->menu();
        }
        *picked = true;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    if (!*picked) {
        Fail(QStringLiteral("the menu closed before its item was picked"));
    }
}

// Taps on the strip's cells at the places the view shows them, scaled or not.
void TapDigits(const QString& digits) {
    const platform::View* view = theApp.GetMainWnd()->GetActiveView();
    const std::vector<platform::TapTarget> cells = view->GetTapTargets();
    for (const QChar digit : digits) {
        const auto cell = static_cast<std::size_t>(digit.digitValue());
        if (cell >= cells.size() || !cells[cell].shown) {
            Fail(QStringLiteral("the strip shows no cell for %1").arg(digit));
        }
        const platform::Rect shown = view->Scale().ToWidget(cells[cell].rect);
        QTest::mouseClick(view->Widget(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2));
    }
    Say(QStringLiteral("guessed ") + digits);
}

// A guess that is not the secret: its first two digits swapped.
void GuessWrong() {
    QString guess = Doc()->m_game.GetNumber();
    std::swap(guess[0], guess[1]);
    TapDigits(guess);
}

void NewRound() {
    PickMenuItem(ID_NEW_GAME);
    if (!Doc()->m_bPlaying) {
        Fail(QStringLiteral("New Game started no round"));
    }
}

}  // namespace

void PlayPhoneScript() {
    QWidget* window = MainWindow();
    if (!QTest::qWaitForWindowExposed(window, kWaitMs)) {
        Fail(QStringLiteral("the main window was never shown"));
    }
    Say(QStringLiteral("platform ") + QGuiApplication::platformName());
    const QScreen* screen = window->screen();
    Say(QStringLiteral("screen %1x%2 dpr %3")
            .arg(screen->geometry().width())
            .arg(screen->geometry().height())
            .arg(screen->devicePixelRatio()));

    // Yes to the question whether to abort, OK to the box that shows the secret.
    platform::SetMessageBoxAnswerer([](const QString&, const QString&, unsigned type) {
        return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    });
    PickMenuItem(ID_LEVEL_4);
    PickMenuItem(ID_COACH);
    NewRound();
    GuessWrong();
    PickMenuItem(ID_ABORT_GAME);
    if (Doc()->m_bPlaying) {
        Fail(QStringLiteral("Abort Game left the round running"));
    }
    NewRound();
    GuessWrong();
    for (const QString& line : ShownHistoryLines(window)) {
        Say(QStringLiteral("history ") + line);
    }

    const QByteArray grab = qgetenv("DRUNO_GRAB");
    if (!grab.isEmpty() && !window->grab().save(QString::fromLocal8Bit(grab), "PNG")) {
        Fail(QStringLiteral("the window could not be grabbed to ") + QString::fromLocal8Bit(grab));
    }
    Say(QStringLiteral("window %1x%2").arg(window->width()).arg(window->height()));
    Say(QStringLiteral("playing"));
}

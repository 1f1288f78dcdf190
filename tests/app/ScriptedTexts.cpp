#include "tests/app/ScriptedTexts.h"

#include "app/MainFrame.h"
#include "app/MyDrunoApp.h"
#include "game/DrunoGame.h"
#include "platform/core/Messages.h"
#include "platform/desktop/ListPanel.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "tests/support/ModalLook.h"
#include "tests/support/PanelLines.h"
#include "tests/support/StripTaps.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

void SayText(const char* screen, QString text) {
    if (text.isEmpty()) {
        return;
    }
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    const QByteArray line = QByteArray(screen) + '\t' + text.toUtf8() + '\n';
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, line.constData(), line.size());
}

CMainFrame* Frame() {
    return dynamic_cast<CMainFrame*>(theApp.GetMainWnd());
}

void SayMenu(const char* screen, const QMenu* menu) {
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        SayText(screen,
                keys.isEmpty() ? action->text() : action->text() + QLatin1Char('\t') + keys);
        // Each item with the command it gives, so that two items' texts cannot trade places.
        const unsigned command = action->data().toUInt();
        if (command != 0) {
            SayText("command", QString::number(command, 16) + QLatin1Char('\t') + action->text());
        }
        if (action->menu() != nullptr) {
            SayMenu(screen, action->menu());
        }
    }
}

void SayBar() {
    for (const QToolButton* button : Frame()->Widget()->findChildren<QToolButton*>()) {
        if (button->menu() != nullptr) {
            SayText("menu", button->text());
            SayMenu("menu", button->menu());
        }
    }
    for (const QToolBar* bar : Frame()->Widget()->findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (!action->icon().isNull()) {
                SayText("tip", action->toolTip());
            }
        }
    }
}

void SayHistory() {
    if (const QScrollArea* panel = HistoryPanelOf(Frame()->Widget())) {
        SayText("history-name", panel->accessibleName());
    }
    for (const QString& line : ShownHistoryLines(Frame()->Widget())) {
        SayText("history", line);
    }
}

// The menu items that carry a mark, as the menus show them before they open.
void SayMarks() {
    Frame()->UpdateCommandItems();
    for (const QMenu* menu : Frame()->Widget()->findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions()) {
            if (action->isChecked()) {
                SayText("mark", action->text());
            }
        }
    }
}

// What a screen reader calls the divider before the history, and the width it tells.
void SayDivider() {
    const auto* splitter = Frame()->Widget()->findChild<QSplitter*>();
    QAccessibleInterface* divider =
        splitter != nullptr ? QAccessible::queryAccessibleInterface(splitter->handle(1)) : nullptr;
    if (divider != nullptr) {
        SayText("divider", divider->text(QAccessible::Name));
        SayText("divider", divider->text(QAccessible::Value));
    }
}

// Every text of a dialog or box, in the order its controls were made, its caption first.
void SayWindow(const char* screen, const QWidget* window) {
    SayText(screen, window->windowTitle());
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisible()) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(child)) {
            SayText(screen, label->text());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
            SayText(screen, button->text());
            SayText(screen, button->toolTip());
        } else if (const auto* combo = qobject_cast<const QComboBox*>(child)) {
            for (int i = 0; i < combo->count(); ++i) {
                SayText(screen, combo->itemText(i));
            }
        }
    }
}

void Dialog(unsigned command, const char* screen) {
    WhenModalOpens([screen](QWidget* window) {
        SayWindow(screen, window);
        // Qt's own texts: the context menu of a text field.
        if (auto* edit = window->findChild<QLineEdit*>()) {
            const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            SayMenu("qt", menu.get());
        }
    });
    theApp.OnCmdMsg(command, nullptr);
}

void NewGame(const char* secret) {
    CDrunoGame::SetChosenSecret(QString::fromLatin1(secret));
    theApp.OnCmdMsg(ID_NEW_GAME, nullptr);
    CDrunoGame::SetChosenSecret(QString());
}

QWidget* GameView() {
    return Frame()->GetActiveView()->Widget();
}

}  // namespace

void PlayTextsScript() {
    SayBar();
    SayHistory();
    // What a screen reader is sent.
    platform::SetAccessibilityObserver([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::ObjectShow && event->accessibleInterface() != nullptr) {
            SayText("spoken", event->accessibleInterface()->text(QAccessible::Name));
        }
    });
    // Every box of the game is written down and answered, a question with Yes.
    const platform::MessageBoxAnswerer answer = [](const QString& text, const QString&,
                                                   unsigned type) {
        SayText("box", QStringLiteral("%1 %2").arg(type).arg(text));
        return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    };
    platform::SetMessageBoxAnswerer(answer);
    NewGame("123");
    TapStripDigits(GameView(), QStringLiteral("456"));
    SayHistory();
    theApp.OnCmdMsg(ID_ABORT_GAME, nullptr);
    SayHistory();
    NewGame("123");
    for (int attempt = 0; attempt < 10; ++attempt) {
        TapStripDigits(GameView(), QStringLiteral("456"));
    }
    SayHistory();
    NewGame("123");
    TapStripDigits(GameView(), QStringLiteral("123"));
    SayHistory();
    // A round with the coach: a count after each guess, the three reasons a guess cannot be
    // the secret, a hint once one number is left, and the round given up with the hint taken.
    theApp.OnCmdMsg(ID_COACH, nullptr);
    NewGame("123");
    TapStripDigits(GameView(), QStringLiteral("456145112456312"));
    theApp.OnCmdMsg(ID_HINT, nullptr);
    theApp.OnCmdMsg(ID_ABORT_GAME, nullptr);
    SayHistory();
    theApp.OnCmdMsg(ID_COACH, nullptr);
    // A round of another level, so that the statistics list the levels by name: the level
    // marked in the menu, named on the game screen and told as the round begins.
    theApp.OnCmdMsg(ID_LEVEL_4, nullptr);
    SayMarks();
    NewGame("1234");
    const QStringList shown = Frame()->GetActiveView()->GetShownTexts();
    SayText("screen", shown.value(2));
    TapStripDigits(GameView(), QStringLiteral("1234"));
    theApp.OnCmdMsg(ID_LEVEL_3, nullptr);
    SayDivider();

    Dialog(ID_STATISTIC, "statistics");
    Dialog(ID_OPTIONS, "options");
    Dialog(ID_LOOK_AND_FEEL, "lookandfeel");
    Dialog(ID_APP_ABOUT, "about");

    // A box of Qt's own, with its standard buttons.
    platform::SetMessageBoxAnswerer({});
    WhenModalOpens([](QWidget* window) { SayWindow("qtbox", window); });
    platform::MessageBox(IDS_REALLY_ABORT, platform::kMbYesNoQuestion);
    platform::SetMessageBoxAnswerer(answer);

    theApp.OnCmdMsg(ID_HELP, nullptr);
    if (const platform::HelpWindow* help = Frame()->GetHelpWindow()) {
        SayText("help", help->Widget()->windowTitle());
    }
    // Leaving in the middle of a round, which counts it, with a folder where the statistics
    // file should be: the count cannot open it.
    NewGame("123");
    const QString statFile =
        qEnvironmentVariable("DRUNO_TEST_FOLDER") + QStringLiteral("/Druno.sta");
    QFile::rename(statFile, statFile + QStringLiteral(".kept"));
    QDir().mkpath(statFile);
    theApp.OnCmdMsg(ID_APP_EXIT, nullptr);
    SayText("end", QStringLiteral("."));
}

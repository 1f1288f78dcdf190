// The desktop's keys for New Game (Ctrl+N), Help Contents (F1) and Exit (Ctrl+Q): shown beside
// the unchanged menu texts, and acting only while their command is enabled.

#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

using namespace desktop;

namespace {

QAction* MenuItem(unsigned command) {
    for (QToolButton* button : FrameWindow()->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr) {
            continue;
        }
        for (QAction* action : button->menu()->actions()) {
            if (action->data().toUInt() == command) {
                return action;
            }
        }
    }
    return nullptr;
}

TEST_F(DesktopTest, MenuItemsKeepTheirTextsAndShowTheirKeys) {
    struct Item {
        unsigned command;
        const char* text;
        const char* keys;
    };
    for (const Item& item :
         {Item{ID_NEW_GAME, "&New Game", "Ctrl+N"}, Item{ID_HELP, "&Contents", "F1"},
          Item{ID_APP_EXIT, "E&xit", "Ctrl+Q"}}) {
        const QAction* action = MenuItem(item.command);
        ASSERT_NE(action, nullptr) << item.text;
        EXPECT_EQ(action->text(), QString::fromUtf8(item.text));
        EXPECT_EQ(action->shortcut().toString(), QString::fromUtf8(item.keys)) << item.text;
    }
}

TEST_F(DesktopTest, CtrlNStartsARoundOnlyBetweenRounds) {
    Activate();
    PressKeys(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(Doc()->m_bPlaying);
    const QString secret = Doc()->m_game.GetNumber();
    Play(secret == QStringLiteral("123") ? QStringLiteral("456") : QStringLiteral("123"));
    const QStringList history = HistoryLines();
    ASSERT_EQ(history.size(), 1);

    // During the round New Game is disabled: the keys neither restart nor clear it.
    PressKeys(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(Doc()->m_bPlaying);
    EXPECT_EQ(Doc()->m_game.GetNumber(), secret);
    EXPECT_EQ(HistoryLines(), history);
    EXPECT_TRUE(TakeBoxes().isEmpty());
}

TEST_F(DesktopTest, CtrlQDoesNothingDuringARound) {
    NewGame(QStringLiteral("123"));
    Activate();
    PressKeys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(FrameWindow()->isVisible());
    EXPECT_TRUE(Doc()->m_bPlaying);
    EXPECT_TRUE(TakeBoxes().isEmpty());
}

// Keys that come faster than the enabling of the items: a second Ctrl+N already queued when
// the first started the round finds New Game disabled.
TEST_F(DesktopTest, QueuedCtrlNStartsOneRound) {
    QAction* newGame = MenuItem(ID_NEW_GAME);
    ASSERT_NE(newGame, nullptr);
    ASSERT_TRUE(newGame->isEnabled());
    NewGame(QStringLiteral("123"));
    Play(QStringLiteral("456"));
    // The item still shows enabled until the program falls idle.
    newGame->setEnabled(true);
    newGame->trigger();
    QApplication::processEvents();
    EXPECT_EQ(HistoryLines().size(), 1);
}

}  // namespace

// The desktop's keys for New Game (Ctrl+N), Help Contents (F1) and Exit (Ctrl+Q): shown beside
// the unchanged menu texts, and acting only while their command is enabled. F9 shows or hides
// the history.
// The game's own keys reach it wherever the focus is in the main window; F10 opens the first
// menu; the divider before the history moves by the arrow keys.

#include "platform/framework/FrameKeys.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

using namespace desktop;

namespace {

QToolButton* MenuButton(const QString& text) {
    for (QToolButton* button : FrameWindow()->findChildren<QToolButton*>()) {
        if (button->menu() != nullptr && button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

QSplitterHandle* Divider() {
    auto* splitter = FrameWindow()->findChild<QSplitter*>();
    return splitter != nullptr && splitter->count() == 2 ? splitter->handle(1) : nullptr;
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

// Wherever the focus is in the main window, digits, Backspace and Delete (of either block,
// keypad Delete with NumLock off among them) play the round, and the focus stays where it is.
TEST_F(DesktopTest, GameKeysReachTheRoundFromAnywhereInTheWindow) {
    struct Place {
        const char* name;
        QWidget* widget;
    };
    const Place places[] = {{"game screen", GameView()},
                            {"Druno menu button", MenuButton(QStringLiteral("&Druno"))},
                            {"Help menu button", MenuButton(QStringLiteral("&Help"))},
                            {"divider", Divider()}};
    struct Keys {
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        const char* typed;
    };
    const Keys table[] = {
        {{{Qt::Key_1, Qt::NoModifier}, {Qt::Key_2, Qt::KeypadModifier}}, "12"},
        {{{Qt::Key_1, Qt::NoModifier}, {Qt::Key_Backspace, Qt::NoModifier}}, ""},
        {{{Qt::Key_1, Qt::NoModifier},
          {Qt::Key_2, Qt::NoModifier},
          {Qt::Key_Delete, Qt::NoModifier}},
         "1"},
        {{{Qt::Key_1, Qt::NoModifier}, {Qt::Key_Delete, Qt::KeypadModifier}}, ""},
    };
    Activate();
    for (const Place& place : places) {
        ASSERT_NE(place.widget, nullptr) << place.name;
        for (const Keys& row : table) {
            NewGame(QStringLiteral("789"));
            place.widget->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            ASSERT_EQ(QApplication::focusWidget(), place.widget) << place.name;
            for (const auto& [key, modifiers] : row.keys) {
                PressKeys(key, modifiers);
            }
            EXPECT_EQ(Doc()->m_game.GetTyped(), QString::fromUtf8(row.typed)) << place.name;
            EXPECT_EQ(QApplication::focusWidget(), place.widget) << place.name;
            AbortGame(true);
        }
    }
}

// F9 hides the history and the window gives up its room; F9 again brings it back as wide as
// it was. The game screen keeps its size throughout.
TEST_F(DesktopTest, F9ShowsAndHidesTheHistory) {
    Activate();
    ASSERT_TRUE(MainFrame()->IsSidePanelShown());
    const int windowWidth = FrameWindow()->width();
    const int panelWidth = HistoryPanel()->width();
    const QSize view = GameView()->size();
    const QStringList lines = HistoryLines();
    PressKeys(Qt::Key_F9);
    EXPECT_FALSE(MainFrame()->IsSidePanelShown());
    EXPECT_TRUE(HistoryLines().isEmpty());
    // No narrower than the command bar, though: the game screen then takes the room.
    const int narrower =
        windowWidth - panelWidth - FrameWindow()->findChild<QSplitter*>()->handleWidth();
    const int least = FrameWindow()->minimumSizeHint().width();
    EXPECT_EQ(FrameWindow()->width(), std::max(narrower, least));
    EXPECT_EQ(GameView()->size(), view + QSize(std::max(0, least - narrower), 0));
    PressKeys(Qt::Key_F9);
    EXPECT_TRUE(MainFrame()->IsSidePanelShown());
    EXPECT_EQ(HistoryPanel()->width(), panelWidth);
    EXPECT_EQ(FrameWindow()->width(), windowWidth);
    EXPECT_EQ(GameView()->size(), view);
    EXPECT_EQ(HistoryLines(), lines);
}

// Tab reaches the divider; Left widens the history, Right narrows it, a step at a time.
TEST_F(DesktopTest, TheDividerMovesByArrowKeys) {
    Activate();
    QSplitterHandle* divider = Divider();
    ASSERT_NE(divider, nullptr);
    EXPECT_EQ(divider->focusPolicy(), Qt::TabFocus);
    divider->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), divider);
    const int before = HistoryPanel()->width();
    PressKeys(Qt::Key_Right);
    EXPECT_EQ(HistoryPanel()->width(), before - platform::KeyboardSplitter::kStep);
    PressKeys(Qt::Key_Right);
    EXPECT_EQ(HistoryPanel()->width(), before - 2 * platform::KeyboardSplitter::kStep);
    PressKeys(Qt::Key_Left);
    PressKeys(Qt::Key_Left);
    EXPECT_EQ(HistoryPanel()->width(), before);
}

// F10 opens the first menu, wherever the focus is in the window.
TEST_F(DesktopTest, F10OpensTheFirstMenu) {
    Activate();
    QString opened;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            opened = menu->title();
            menu->close();
        }
    });
    watch.start(5);
    PressKeys(Qt::Key_F10);
    for (int i = 0; i < 400 && opened.isEmpty(); ++i) {
        QTest::qWait(5);
    }
    EXPECT_EQ(opened, QStringLiteral("&Druno"));
}

}  // namespace

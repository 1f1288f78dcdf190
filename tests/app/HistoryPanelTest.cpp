// The round's history beside the game screen: what it lists after guesses, deletions, a win,
// a loss, Abort Game and New Game, where it stands, and that it leaves the keys to the view.

#include "app/MyDrunoApp.h"
#include "platform/desktop/ListPanel.h"
#include "platform/framework/View.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <vector>

using namespace desktop;

namespace {

TEST_F(DesktopTest, BeforeTheFirstRoundTheHistoryTellsHowToStartAndHowToPlay) {
    ASSERT_EQ(s_startLines.size(), 2);
    EXPECT_TRUE(s_startLines[0].contains(QStringLiteral("New Game")));
    EXPECT_TRUE(s_startLines[0].contains(QStringLiteral("Ctrl+N")));
    EXPECT_TRUE(s_startLines[1].contains(QStringLiteral("three different digits")));
    EXPECT_TRUE(s_startLines[1].contains(QStringLiteral("right place")));
}

// Every case plays on the secret 123. Digits tap their cells, '<' the delete cell; 'Y' is
// Abort Game confirmed, 'n' Abort Game declined, 'N' New Game (secret 123 again).
struct HistoryCase {
    const char* name;
    const char* moves;
    std::vector<const char*> lines;
    bool playing;
};

class HistoryTable : public DesktopTest, public testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryTable, ListsTheCompleteGuessesOfTheRound) {
    NewGame(QStringLiteral("123"));
    for (char move : std::string(GetParam().moves)) {
        switch (move) {
            case 'Y':
                AbortGame(true);
                break;
            case 'n':
                AbortGame(false);
                break;
            case 'N':
                NewGame(QStringLiteral("123"));
                break;
            default:
                Play(QString(QLatin1Char(move)));
        }
    }
    QStringList expected;
    for (const char* line : GetParam().lines) {
        expected << QString::fromUtf8(line);
    }
    EXPECT_EQ(HistoryLines(), expected);
    EXPECT_EQ(Doc()->m_bPlaying, GetParam().playing);
}

const char* const k456 = "1.  456   0 in place, 0 elsewhere";

INSTANTIATE_TEST_SUITE_P(
    Rounds, HistoryTable,
    testing::Values(
        HistoryCase{"NewRound", "", {"Your guesses will be listed here."}, true},
        HistoryCase{
            "IncompleteGuessIsNotListed", "45", {"Your guesses will be listed here."}, true},
        HistoryCase{"TwoGuesses", "4563217", {k456, "2.  321   1 in place, 2 elsewhere"}, true},
        HistoryCase{
            "RepeatedDigitsCountEachPosition", "221", {"1.  221   1 in place, 2 elsewhere"}, true},
        HistoryCase{"DeletionBeforeTheGuessIsComplete", "47<56", {k456}, true},
        HistoryCase{"DeletionAfterAJudgedGuessCountsTheNextAsAnotherAttempt",
                    "456<7",
                    {k456, "2.  457   0 in place, 0 elsewhere"},
                    true},
        HistoryCase{"DeletionOnAnEmptyGuessChangesNothing", "<456<<<", {k456}, true},
        HistoryCase{"WinAtTheFirstAttempt",
                    "123",
                    {"1.  123   3 in place, 0 elsewhere", "Found at the first attempt!"},
                    false},
        HistoryCase{"WinKeepsTheRound",
                    "456312123",
                    {k456, "2.  312   0 in place, 3 elsewhere", "3.  123   3 in place, 0 elsewhere",
                     "Found in 3 attempts."},
                    false},
        HistoryCase{"Loss",
                    "456456456456456456456456456450",
                    {k456, "2.  456   0 in place, 0 elsewhere", "3.  456   0 in place, 0 elsewhere",
                     "4.  456   0 in place, 0 elsewhere", "5.  456   0 in place, 0 elsewhere",
                     "6.  456   0 in place, 0 elsewhere", "7.  456   0 in place, 0 elsewhere",
                     "8.  456   0 in place, 0 elsewhere", "9.  456   0 in place, 0 elsewhere",
                     "10.  450   0 in place, 0 elsewhere", "No attempts left. The number was 123."},
                    false},
        HistoryCase{"AbortConfirmedKeepsTheGuesses",
                    "456Y",
                    {k456, "Round given up. The number was 123."},
                    false},
        HistoryCase{"AbortDeclinedGoesOn", "456n", {k456}, true},
        HistoryCase{"NewGameAfterAnAbortStartsAfresh",
                    "456YN",
                    {"Your guesses will be listed here."},
                    true},
        HistoryCase{"NewGameAfterAWin", "123N789", {"1.  789   0 in place, 0 elsewhere"}, true}),
    [](const testing::TestParamInfo<HistoryCase>& info) { return std::string(info.param.name); });

// The history follows the round as it changes, not only once the program falls idle: the box
// that ends a round already has the deciding guess, or the given-up line, beside it.
TEST_F(DesktopTest, HistoryIsUpToDateWhileTheRoundsLastBoxIsUp) {
    struct Case {
        const char* moves;
        QStringList lines;
    };
    const QString won = QStringLiteral("1.  123   3 in place, 0 elsewhere");
    QStringList lost;
    for (int i = 1; i <= 10; ++i) {
        lost << QStringLiteral("%1.  456   0 in place, 0 elsewhere").arg(i);
    }
    for (const Case& c :
         {Case{"123", {won}}, Case{"456456456456456456456456456456", lost},
          Case{"456Y", {k456, QStringLiteral("Round given up. The number was 123.")}}}) {
        SCOPED_TRACE(c.moves);
        NewGame(QStringLiteral("123"));
        QStringList atBox;
        WhileBoxesShow([&atBox] { atBox = HistoryLines(); });
        const QString moves = QString::fromLatin1(c.moves);
        if (moves.endsWith(QLatin1Char('Y'))) {
            Play(moves.chopped(1));
            AbortGame(true);
        } else {
            Play(moves);
        }
        WhileBoxesShow(nullptr);
        EXPECT_EQ(atBox, c.lines);
    }
}

struct AnnouncementCase {
    const char* name;
    const char* moves;
    std::vector<const char*> announced;
};

// What a screen reader is told as the round goes on: each notification sent, as assistive
// technology reads it.
class Announcements : public DesktopTest, public testing::WithParamInterface<AnnouncementCase> {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        platform::SetAccessibilityObserver([this](QAccessibleEvent* event) {
            ASSERT_EQ(event->type(), QAccessible::ObjectShow);
            QAccessibleInterface* iface = event->accessibleInterface();
            ASSERT_NE(iface, nullptr);
            EXPECT_EQ(iface->role(), QAccessible::Notification);
            // The bus carries the appearance of an object it knows already only once: every
            // notification must be an object of its own.
            EXPECT_TRUE(m_last.isNull() || m_last.data() != event->object())
                << "a notification object was shown again";
            m_last = event->object();
            m_announced << iface->text(QAccessible::Name);
        });
    }
    void TearDown() override {
        platform::SetAccessibilityObserver({});
        DesktopTest::TearDown();
    }

    QStringList m_announced;
    QPointer<QObject> m_last;  // the object of the notification before
};

TEST_P(Announcements, TellEachJudgedGuessAndTheEndOfTheRound) {
    NewGame(QStringLiteral("123"));
    for (char move : std::string(GetParam().moves)) {
        if (move == 'Y' || move == 'n') {
            AbortGame(move == 'Y');
        } else {
            Play(QString(QLatin1Char(move)));
        }
    }
    QStringList expected;
    for (const char* text : GetParam().announced) {
        expected << QString::fromUtf8(text);
    }
    EXPECT_EQ(m_announced, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, Announcements,
    testing::Values(
        AnnouncementCase{"IncompleteGuessIsNotTold", "45<", {}},
        AnnouncementCase{"EveryGuessInWords",
                         "456321",
                         {"456: 0 in place, 0 elsewhere", "321: 1 in place, 2 elsewhere"}},
        AnnouncementCase{"SameCountsTwiceAreToldTwice",
                         "456457",
                         {"456: 0 in place, 0 elsewhere", "457: 0 in place, 0 elsewhere"}},
        // The box that says WON! speaks for the winning guess; the end follows it.
        AnnouncementCase{"Win", "456123", {"456: 0 in place, 0 elsewhere", "Found in 2 attempts."}},
        AnnouncementCase{"Loss",
                         "456456456456456456456456456450",
                         {"456: 0 in place, 0 elsewhere", "456: 0 in place, 0 elsewhere",
                          "456: 0 in place, 0 elsewhere", "456: 0 in place, 0 elsewhere",
                          "456: 0 in place, 0 elsewhere", "456: 0 in place, 0 elsewhere",
                          "456: 0 in place, 0 elsewhere", "456: 0 in place, 0 elsewhere",
                          "456: 0 in place, 0 elsewhere", "No attempts left. The number was 123."}},
        AnnouncementCase{"AbortConfirmed",
                         "456Y",
                         {"456: 0 in place, 0 elsewhere", "Round given up. The number was 123."}},
        AnnouncementCase{"AbortDeclined", "456n", {"456: 0 in place, 0 elsewhere"}}),
    [](const testing::TestParamInfo<AnnouncementCase>& info) {
        return std::string(info.param.name);
    });

// The screenshots of a round in progress, a win and a loss.
TEST_F(DesktopTest, HistoryShowsBesideTheRound) {
    NewGame(QStringLiteral("407"));
    Play(QStringLiteral("123456789470"));
    EXPECT_EQ(HistoryLines().size(), 4);
    SaveShot(QStringLiteral("round-four-guesses"));
    Play(QStringLiteral("407"));
    EXPECT_EQ(HistoryLines().last(), QStringLiteral("Found in 5 attempts."));
    SaveShot(QStringLiteral("won"));

    NewGame(QStringLiteral("407"));
    Play(QStringLiteral("123123123123123123123123123123"));
    EXPECT_EQ(HistoryLines().last(), QStringLiteral("No attempts left. The number was 407."));
    SaveShot(QStringLiteral("lost"));
}

// The game screen keeps its size; the window grows by the panel, which stands to its right.
TEST_F(DesktopTest, PanelStandsRightOfTheUnchangedGameScreen) {
    EXPECT_EQ(GameView()->size(), QSize(240, 268));
    const QWidget* list = HistoryPanel();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    const QSplitter* splitter = FrameWindow()->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(list->width(), CHistoryPanel::kDefaultWidth);
    const QPoint viewRight = GameView()->mapTo(FrameWindow(), QPoint(GameView()->width(), 0));
    const QPoint listLeft = list->mapTo(FrameWindow(), QPoint(0, 0));
    EXPECT_GE(listLeft.x(), viewRight.x());
    EXPECT_EQ(FrameWindow()->width(), 240 + splitter->handleWidth() + list->width());
}

// A click on the list leaves the keyboard with the game screen.
TEST_F(DesktopTest, ClickOnTheHistoryKeepsTheFocusOnTheGameScreen) {
    Activate();
    ASSERT_EQ(QApplication::focusWidget(), GameView());
    QTest::mouseClick(HistoryPanel(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), GameView());
}

// A screen reader finds the history as a list with one item a line; Tab takes the keyboard
// there from the game screen, and the arrow keys move the item the screen reader speaks.
TEST_F(DesktopTest, HistoryIsAListThatTabReachesAndTheArrowsBrowse) {
    NewGame(QStringLiteral("123"));
    Play(QStringLiteral("456321"));
    const QStringList lines = {QString::fromUtf8(k456),
                               QStringLiteral("2.  321   1 in place, 2 elsewhere")};
    ASSERT_EQ(HistoryLines(), lines);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(HistoryPanel());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Guesses of this round"));
    ASSERT_EQ(list->childCount(), lines.size());
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* item = list->child(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->text(QAccessible::Name), lines[i]);
        EXPECT_EQ(item->parent(), list);
        EXPECT_EQ(list->indexOfChild(item), i);
    }

    // The focus events a screen reader follows, by the name of the item they are about.
    QStringList focused;
    platform::SetAccessibilityObserver([&focused](QAccessibleEvent* event) {
        QAccessibleInterface* iface = event->accessibleInterface();
        if (event->type() == QAccessible::Focus && iface != nullptr &&
            iface->role() == QAccessible::ListItem) {
            focused << iface->text(QAccessible::Name);
        }
    });
    Activate();
    ASSERT_EQ(QApplication::focusWidget(), GameView());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const bool reached = QApplication::focusWidget() == HistoryPanel();
    // The item comes after the list's own news, once the event loop has run.
    QApplication::processEvents();
    QTest::keyClick(HistoryPanel(), Qt::Key_Up);
    QTest::keyClick(HistoryPanel(), Qt::Key_Up);  // stays on the first
    QAccessibleInterface* current = list->focusChild();
    const bool currentFocused = current != nullptr && current->state().focused;
    // The current line shows in the selection's colours while the list has the focus.
    const QImage inList = HistoryPanel()->grab().toImage();
    const QColor highlight = HistoryPanel()->palette().color(QPalette::Highlight);
    const QWidget* firstLine =
        current != nullptr
            ? current->object()->isWidgetType() ? static_cast<QWidget*>(current->object()) : nullptr
            : nullptr;
    const QPoint firstLineCorner =
        firstLine != nullptr ? firstLine->mapTo(HistoryPanel(), QPoint(1, 1)) : QPoint();
    QTest::keyClick(HistoryPanel(), Qt::Key_End);
    // F9 there hides the list and gives the keys back to the game.
    QTest::keyClick(HistoryPanel(), Qt::Key_F9);
    const QWidget* keysAfterHiding = QApplication::focusWidget();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    platform::SetAccessibilityObserver({});

    EXPECT_TRUE(reached);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(QAccessible::Name), lines[0]);
    EXPECT_TRUE(currentFocused);
    EXPECT_EQ(focused, QStringList({lines[1], lines[0], lines[0], lines[1]}));
    EXPECT_EQ(keysAfterHiding, GameView());
    ASSERT_NE(firstLine, nullptr);
    EXPECT_EQ(inList.pixelColor(firstLineCorner), highlight);
    // Once the keys are back on the game, the lines look as they always do.
    const QImage outOfList = HistoryPanel()->grab().toImage();
    EXPECT_NE(outOfList.pixelColor(firstLineCorner), highlight);
}

// Druno > History shows F9 beside it and does what F9 does: hides the panel, then shows it again.
TEST_F(DesktopTest, TheDrunoMenusHistoryItemCarriesF9AndHidesAndShowsThePanel) {
    QAction* item = MenuItem(ID_HISTORY);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&History"));
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F9));
    ASSERT_TRUE(MainFrame()->IsSidePanelShown());
    item->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(MainFrame()->IsSidePanelShown());
    item->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(MainFrame()->IsSidePanelShown());
}

// The coach, turned on for the test and off again after it. Moves as in the history table,
// and 'H' takes a hint, 'C' turns the coach off.
class Coach : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        SetCoach(true);
        platform::SetAccessibilityObserver([this](QAccessibleEvent* event) {
            if (event->type() == QAccessible::ObjectShow && event->accessibleInterface()) {
                m_announced << event->accessibleInterface()->text(QAccessible::Name);
            }
        });
    }
    void TearDown() override {
        platform::SetAccessibilityObserver({});
        DesktopTest::TearDown();
        SetCoach(false);
    }

    static void SetCoach(bool on) {
        if (MainFrame()->IsCommandChecked(ID_COACH) != on) {
            MainFrame()->ExecuteCommand(ID_COACH);
        }
        ASSERT_EQ(theApp.m_bCoach, on);
    }

    static void PlayMoves(const char* moves) {
        for (char move : std::string(moves)) {
            switch (move) {
                case 'H':
                    MainFrame()->ExecuteCommand(ID_HINT);
                    QApplication::processEvents();
                    break;
                case 'C':
                    SetCoach(false);
                    break;
                case 'Y':
                    AbortGame(true);
                    break;
                default:
                    Play(QString(QLatin1Char(move)));
            }
        }
    }

    QStringList m_announced;
};

struct CoachCase {
    const char* name;
    const char* moves;  // on the secret 123
    std::vector<const char*> lines;
};

class CoachTable : public Coach, public testing::WithParamInterface<CoachCase> {};

const char* const k456Fit = "210 numbers still fit";
const char* const k145 = "2.  145   1 in place, 0 elsewhere";
const char* const k145RuledOut =
    "145 cannot be the secret: guess 1 (456) got 0 in place, 0 elsewhere, but against 145 it "
    "would get 0 in place, 2 elsewhere.";
const char* const k312 = "3.  312   0 in place, 3 elsewhere";
const char* const k312RuledOut =
    "312 cannot be the secret: guess 2 (145) got 1 in place, 0 elsewhere, but against 312 it "
    "would get 0 in place, 1 elsewhere.";
const char* const kHint123 = "Hint: 123 fits every answer so far.";

TEST_P(CoachTable, SaysWhatTheAnswersTell) {
    NewGame(QStringLiteral("123"));
    PlayMoves(GetParam().moves);
    QStringList expected;
    for (const char* line : GetParam().lines) {
        expected << QString::fromUtf8(line);
    }
    EXPECT_EQ(HistoryLines(), expected);
    // What the coach says of a guess stands in under it, wrapped parts and all.
    QMap<QString, int> left;
    for (const QLabel* line : HistoryPanel()->findChildren<QLabel*>()) {
        left[line->text()] = line->contentsRect().left();
    }
    if (left.contains(QString::fromUtf8(k456Fit))) {
        EXPECT_GT(left[QString::fromUtf8(k456Fit)], left[QString::fromUtf8(k456)]);
    }
    SaveShot(QStringLiteral("coach-") + QString::fromLatin1(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, CoachTable,
    testing::Values(
        CoachCase{"NewRound", "", {"Your guesses will be listed here."}},
        CoachCase{"EveryReasonAGuessCannotBeTheSecret",
                  "456145112456312HY",
                  {k456, k456Fit, k145, k145RuledOut, "30 numbers still fit",
                   "3.  112   1 in place, 2 elsewhere",
                   "112 cannot be the secret: the secret has no digit twice.",
                   "5 numbers still fit", "4.  456   0 in place, 0 elsewhere",
                   "456 cannot be the secret: it was guess 1 already.", "5 numbers still fit",
                   "5.  312   0 in place, 3 elsewhere",
                   "312 cannot be the secret: guess 2 (145) got 1 in place, 0 elsewhere, but "
                   "against 312 it would get 0 in place, 1 elsewhere.",
                   "1 number still fits", kHint123, "Round given up. The number was 123.",
                   "A hint was taken in this round."}},
        // A second Hint before the next answer shows the same number, once.
        CoachCase{"HintStaysUntilTheNextAnswer",
                  "456145312HH",
                  {k456, k456Fit, k145, k145RuledOut, "30 numbers still fit", k312, k312RuledOut,
                   "1 number still fits", kHint123}},
        // The winning guess needs no count: the round's end says it.
        CoachCase{"Win",
                  "456123",
                  {k456, k456Fit, "2.  123   3 in place, 0 elsewhere", "Found in 2 attempts."}},
        CoachCase{"WinAfterAHint",
                  "456145312H123",
                  {k456, k456Fit, k145, k145RuledOut, "30 numbers still fit", k312, k312RuledOut,
                   "1 number still fits", kHint123, "4.  123   3 in place, 0 elsewhere",
                   "Found in 4 attempts.", "A hint was taken in this round."}},
        // Turned off during the round, the coach leaves the history as it is without it.
        CoachCase{"TurnedOffDuringTheRound", "456145312HC", {k456, k145, k312}}),
    [](const testing::TestParamInfo<CoachCase>& info) { return std::string(info.param.name); });

// A screen reader hears the coach with each result, the hint, and the hint at the round's end.
TEST_F(Coach, IsHeardWithEachResult) {
    NewGame(QStringLiteral("123"));
    PlayMoves("456145312HY");
    EXPECT_EQ(
        m_announced,
        QStringList({"456: 0 in place, 0 elsewhere. 210 numbers still fit.",
                     QStringLiteral("145: 1 in place, 0 elsewhere. ") +
                         QString::fromUtf8(k145RuledOut) + QStringLiteral(" 30 numbers still fit."),
                     QStringLiteral("312: 0 in place, 3 elsewhere. ") +
                         QString::fromUtf8(k312RuledOut) + QStringLiteral(" 1 number still fits."),
                     kHint123,
                     "Round given up. The number was 123. A hint was taken in this round."}));
}

// The coach speaks through the history alone: the game screen shows the same pixels.
TEST_F(Coach, LeavesTheGameScreenAsItIs) {
    QList<QImage> screens;
    for (const bool on : {false, true}) {
        SetCoach(on);
        NewGame(QStringLiteral("123"));
        PlayMoves("45614531");
        if (on) {
            PlayMoves("H");
        }
        screens << GameView()->grab().toImage();
        AbortGame(true);
    }
    EXPECT_EQ(screens[0], screens[1]);
}

// The coach as a new player finds it: off, and turned off again after the test.
class CoachMenu : public Coach {
protected:
    void SetUp() override {
        Coach::SetUp();
        SetCoach(false);
    }
};

// Druno > Coach carries a check mark and is off until the player turns it on; Druno > Hint
// (Ctrl+H) is there during a round while the coach is on, and its hint fits every answer.
TEST_F(CoachMenu, TurnsTheCoachOnAndItsHintComesWithCtrlH) {
    QAction* coach = MenuItem(ID_COACH);
    QAction* hint = MenuItem(ID_HINT);
    ASSERT_NE(coach, nullptr);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(coach->text(), QStringLiteral("&Coach"));
    EXPECT_EQ(hint->text(), QStringLiteral("H&int"));
    EXPECT_EQ(hint->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));

    MainFrame()->UpdateCommandItems();
    EXPECT_TRUE(coach->isCheckable());
    EXPECT_FALSE(coach->isChecked());
    EXPECT_FALSE(hint->isEnabled());
    NewGame(QStringLiteral("123"));
    Play(QStringLiteral("456"));
    MainFrame()->UpdateCommandItems();
    EXPECT_FALSE(hint->isEnabled()) << "no hint while the coach is off";

    coach->trigger();
    QApplication::processEvents();
    MainFrame()->UpdateCommandItems();
    EXPECT_TRUE(coach->isChecked());
    EXPECT_TRUE(theApp.m_bCoach);
    EXPECT_TRUE(hint->isEnabled());
    for (QObject* shownIn : coach->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(shownIn)) {
            SaveShot(QStringLiteral("coach-menu"), menu);
        }
    }
    Activate();
    PressKeys(Qt::Key_H, Qt::ControlModifier);
    const QStringList lines = HistoryLines();
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression hintLine(
        QStringLiteral("^Hint: ([0-9]{3}) fits every answer so far\\.$"));
    const QRegularExpressionMatch match = hintLine.match(lines[2]);
    ASSERT_TRUE(match.hasMatch()) << lines[2].toStdString();
    EXPECT_TRUE(CDrunoCoach::Fits(match.captured(1), Doc()->m_game.GetHistory()));
    EXPECT_TRUE(Doc()->m_coach.HintTaken());

    coach->trigger();
    QApplication::processEvents();
    MainFrame()->UpdateCommandItems();
    EXPECT_FALSE(coach->isChecked());
    EXPECT_FALSE(theApp.m_bCoach);
    EXPECT_FALSE(hint->isEnabled());
    EXPECT_EQ(HistoryLines(), QStringList{QString::fromUtf8(k456)});
}

}  // namespace

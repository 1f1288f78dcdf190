// A finger on the desktop's parts, as on a phone: it drags and flicks the history and the help
// page, where the mouse keeps selecting the page's text and the keys stay with the game
// screen; and a button of the bar that it presses shows it, with no pointer hovering there.

#include "platform/framework/HelpWindow.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"
#include "tests/support/StripTaps.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QScrollBar>
#include <QScroller>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <functional>

using namespace desktop;

namespace {

// A finger down at one point of the scroll area's page, dragged in steps to another, and
// lifted there; again, until the page, come to rest, shows what the test waits for. How far
// one drag carries the page depends on how fast the machine delivers the moves.
bool DragUntil(QAbstractScrollArea* area, QPoint from, QPoint to,
               const std::function<bool()>& shown) {
    QWidget* page = area->viewport();
    for (int drag = 0; drag < 10 && !shown(); ++drag) {
        QTest::touchEvent(page, TestTouchScreen()).press(0, from, page);
        constexpr int kSteps = 10;
        for (int step = 1; step <= kSteps; ++step) {
            QTest::touchEvent(page, TestTouchScreen())
                .move(0, from + (to - from) * step / kSteps, page);
        }
        QTest::touchEvent(page, TestTouchScreen()).release(0, to, page);
        const bool rest = QTest::qWaitFor(
            [page] { return QScroller::scroller(page)->state() == QScroller::Inactive; }, 60000);
        if (!rest) {
            return false;
        }
    }
    return shown();
}

// Whether the top of the label is in the visible part of the scroll area's page.
bool TopInView(const QAbstractScrollArea* area, const QWidget* label) {
    const QPoint top = label->mapTo(area->viewport(), QPoint(0, 0));
    return area->viewport()->rect().contains(top);
}

}  // namespace

// The coach, which some tests turn on for more lines, is off again after each.
class Touch : public DesktopTest {
protected:
    void TearDown() override {
        DesktopTest::TearDown();
        SetCoach(false);
    }

    static void SetCoach(bool on) {
        if (MainFrame()->IsCommandChecked(ID_COACH) != on) {
            MainFrame()->ExecuteCommand(ID_COACH);
        }
    }
};

// A lost round with the coach's lines fills more than the history's height; its newest line
// is in view. A finger drawn down the list brings its first line into view, and drawn up, the
// newest line again.
TEST_F(Touch, AFingerScrollsTheHistory) {
    SetCoach(true);
    Activate();
    NewGame(QStringLiteral("407"));
    Play(QStringLiteral("123123123123123123123123123123"));
    TakeBoxes();
    auto* area = qobject_cast<QAbstractScrollArea*>(HistoryPanel());
    ASSERT_NE(area, nullptr);
    const QList<QLabel*> lines = area->viewport()->findChildren<QLabel*>();
    ASSERT_GE(lines.size(), 11);
    ASSERT_FALSE(TopInView(area, lines.first()));
    ASSERT_TRUE(TopInView(area, lines.last()));

    const int x = area->viewport()->width() / 2;
    ASSERT_TRUE(DragUntil(area, QPoint(x, 20), QPoint(x, area->viewport()->height() - 20),
                          [&] { return TopInView(area, lines.first()); }));
    EXPECT_FALSE(TopInView(area, lines.last()));
    SaveShot(QStringLiteral("history-scrolled-by-touch"));

    ASSERT_TRUE(DragUntil(area, QPoint(x, area->viewport()->height() - 20), QPoint(x, 20),
                          [&] { return TopInView(area, lines.last()); }));
    // The list took no keys from the game screen.
    EXPECT_EQ(QApplication::focusWidget(), GameView());
}

// In a help window the size of a phone's screen the page is longer than the window: a finger
// drawn up goes down the page, and drawn down, back to its top. A drag of the mouse selects
// text, as it always did, and scrolls nothing.
TEST_F(Touch, AFingerScrollsTheHelpPageAndTheMouseStillSelects) {
    platform::HelpWindow help;
    ASSERT_TRUE(help.Open(QStringLiteral(":/help/Druno.html"), QStringLiteral("Druno")));
    help.Widget()->resize(360, 320);
    auto* browser = help.Widget()->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    QApplication::processEvents();
    QScrollBar* bar = browser->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    ASSERT_EQ(bar->value(), 0);
    const int x = browser->viewport()->width() / 2;
    const int bottom = browser->viewport()->height() - 20;

    ASSERT_TRUE(
        DragUntil(browser, QPoint(x, bottom), QPoint(x, 20), [bar] { return bar->value() > 0; }));
    SaveShot(QStringLiteral("help-scrolled-by-touch"), help.Widget());
    ASSERT_TRUE(
        DragUntil(browser, QPoint(x, 20), QPoint(x, bottom), [bar] { return bar->value() == 0; }));
    EXPECT_FALSE(browser->textCursor().hasSelection());

    QTest::mousePress(browser->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseMove(browser->viewport(), QPoint(x, 60));
    QTest::mouseRelease(browser->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 60));
    EXPECT_TRUE(browser->textCursor().hasSelection());
    EXPECT_EQ(bar->value(), 0);
    help.Widget()->close();
}

// The outline the mouse shows over a button of the bar also shows while it is pressed, as by a
// finger that never hovered over it; the button as it rests looks as it always did.
TEST_F(Touch, APressedButtonOfTheBarShowsItsOutlineWithoutHover) {
    auto* bar = FrameWindow()->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QToolButton* button = nullptr;
    for (QToolButton* candidate : bar->findChildren<QToolButton*>()) {
        if (candidate->isVisible() && candidate->isEnabled() && candidate->menu() == nullptr &&
            !candidate->icon().isNull() && !candidate->underMouse()) {
            button = candidate;
        }
    }
    ASSERT_NE(button, nullptr);
    const QRgb outline = button->palette().color(QPalette::Mid).rgb();
    const QPoint edge(0, button->height() / 2);
    const QImage resting = button->grab().toImage();
    EXPECT_NE(resting.pixel(edge), outline);
    button->setDown(true);
    const QImage pressed = button->grab().toImage();
    button->setDown(false);
    EXPECT_EQ(pressed.pixel(edge), outline);
    EXPECT_EQ(button->grab().toImage(), resting);
}

// A finger lifted from a button of the bar leaves no pointer behind: the button it tapped does
// not stay outlined as if a mouse rested on it.
TEST_F(Touch, AButtonOfTheBarTappedByAFingerDoesNotStayOutlined) {
    auto* bar = FrameWindow()->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QToolButton* newGame = nullptr;
    for (QToolButton* candidate : bar->findChildren<QToolButton*>()) {
        if (candidate->defaultAction() != nullptr &&
            candidate->defaultAction()->data().toUInt() == ID_NEW_GAME) {
            newGame = candidate;
        }
    }
    ASSERT_NE(newGame, nullptr);
    const QImage resting = newGame->grab().toImage();
    const QPoint centre = newGame->mapTo(FrameWindow(), newGame->rect().center());
    QTest::touchEvent(FrameWindow(), TestTouchScreen()).press(0, centre, FrameWindow());
    QTest::touchEvent(FrameWindow(), TestTouchScreen()).release(0, centre, FrameWindow());
    QApplication::processEvents();
    ASSERT_TRUE(Doc()->m_bPlaying) << "the tap started no round";
    EXPECT_FALSE(newGame->underMouse());
    AbortGame(true);
    QApplication::processEvents();
    EXPECT_EQ(newGame->grab().toImage(), resting);
}

// With the keys in the history, a finger on the game screen brings them back there, as a click
// does; the mouse's click is the model.
TEST_F(Touch, AFingerOnTheGameScreenTakesTheKeysAsAClickDoes) {
    Activate();
    for (const bool byTouch : {false, true}) {
        HistoryPanel()->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), HistoryPanel());
        const QPoint between(120, 100);
        if (byTouch) {
            TouchTap(GameView(), between);
        } else {
            QTest::mouseClick(GameView(), Qt::LeftButton, Qt::NoModifier, between);
        }
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), GameView()) << (byTouch ? "touch" : "click");
    }
    TakeBoxes();
}

// Playing by touch: a finger that comes down on the strip goes down the very path of a press of
// the left mouse button, at every size of the screen. Where it lands decides, as with the
// mouse and the pen; where it slides or lifts changes nothing. A quick second tap is a tap
// like the first, with the finger and with the mouse.

#include "platform/core/Messages.h"
#include "tests/screen/GameScreenFixture.h"
#include "tests/support/StripTaps.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPointingDevice>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <ostream>
#include <vector>

namespace {

// A finger that comes down at one point of the layout and lifts at another, after sliding
// there; a tap where both are the same.
struct Touch {
    QPoint down;
    QPoint up;
};

Touch TapOn(int cell) {
    return {StripCellCentre(cell), StripCellCentre(cell)};
}

Touch Slide(QPoint down, QPoint up) {
    return {down, up};
}

// Well above the strip, in the result area.
const QPoint kAboveTheStrip(120, 100);

// Counts the double clicks that reach a widget.
class DoubleClickCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::MouseButtonDblClick ? 1 : 0;
        return false;
    }
};

// The events without the repaints among them: when Qt repaints depends on how often the
// event loop ran between the presses, not on the presses.
QStringList WithoutPaints(const QStringList& events) {
    QStringList kept;
    bool painting = false;
    for (const QString& event : events) {
        if (event == QStringLiteral("CMyDrunoView::OnDraw() {")) {
            painting = true;
        } else if (event == QStringLiteral("} CMyDrunoView::OnDraw()")) {
            painting = false;
        } else if (!painting) {
            kept << event;
        }
    }
    return kept;
}

}  // namespace

class TouchPlayTest : public GameScreenTest {
protected:
    QPoint OnWidget(QPoint layout) const { return ShownAt(m_view->Scale(), layout); }

    void Play(const Touch& touch) {
        QWidget* view = m_view->Widget();
        const QPoint down = OnWidget(touch.down);
        const QPoint up = OnWidget(touch.up);
        QTest::touchEvent(view, TestTouchScreen()).press(0, down, view);
        if (up != down) {
            for (int step = 1; step <= 4; ++step) {
                QTest::touchEvent(view, TestTouchScreen())
                    .move(0, down + (up - down) * step / 4, view);
            }
        }
        QTest::touchEvent(view, TestTouchScreen()).release(0, up, view);
    }

    // A new round on the secret 407 with these digits typed.
    void NewGameTyped(const QString& typed) {
        m_doc->StopPlaying();
        NewGame(QStringLiteral("407"));
        for (const QChar digit : typed) {
            m_doc->m_game.AddDigit(digit.digitValue());
        }
        m_events.clear();
    }

    // The digits the status line shows, before the attempt; the first attempt is under way.
    QString ShownDigits() const {
        const QStringList status = DrawnScreen().status;
        if (status.size() != 1 || !status[0].endsWith(QStringLiteral("1 / 10"))) {
            return QStringLiteral("status line %1").arg(status.join(QLatin1Char('|')));
        }
        return status[0].chopped(6).remove(QStringLiteral(", "));
    }
};

struct TouchCase {
    const char* name;
    QSize client;
    QString typedBefore;
    std::vector<Touch> touches;
    QString typed;  // the round's digits after the touches

    friend void PrintTo(const TouchCase& c, std::ostream* os) { *os << c.name; }
};

class TouchTable : public TouchPlayTest, public testing::WithParamInterface<TouchCase> {};

TEST_P(TouchTable, TypesTheCellWhereTheFingerCameDown) {
    const TouchCase& c = GetParam();
    OpenScreen(c.client.width(), c.client.height());
    NewGameTyped(c.typedBefore);
    for (const Touch& touch : c.touches) {
        Play(touch);
    }
    EXPECT_EQ(m_doc->m_game.GetTyped(), c.typed);
    EXPECT_EQ(ShownDigits(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Strip, TouchTable,
    testing::Values(TouchCase{"TapsTypeTheirDigits", {240, 268}, "", {TapOn(1), TapOn(2)}, "12"},
                    // Taken once: a touch and a mouse press made of it would delete both digits.
                    TouchCase{"ATapOnDeleteDeletesOneDigit", {240, 268}, "12", {TapOn(10)}, "1"},
                    TouchCase{"TwiceTheSize", {480, 536}, "12", {TapOn(10), TapOn(7)}, "17"},
                    TouchCase{"AnUnevenScale", {300, 400}, "", {TapOn(9), TapOn(0)}, "90"},
                    TouchCase{"ASlideAlongTheStripTypesWhereItBegan",
                              {240, 268},
                              "",
                              {Slide(StripCellCentre(1), StripCellCentre(5))},
                              "1"},
                    TouchCase{"ASlideOffTheStripTypesWhereItBegan",
                              {240, 268},
                              "",
                              {Slide(StripCellCentre(3), kAboveTheStrip)},
                              "3"},
                    TouchCase{"ASlideOntoTheStripTypesNothing",
                              {240, 268},
                              "4",
                              {Slide(kAboveTheStrip, StripCellCentre(3))},
                              "4"},
                    TouchCase{"ASlideFromDeleteDeletes",
                              {720, 804},
                              "12",
                              {Slide(StripCellCentre(10), StripCellCentre(5))},
                              "1"},
                    TouchCase{"BesideTheStripNothing",
                              {360, 402},
                              "4",
                              {TapOn(-1), Slide({130, 262}, StripCellCentre(5))},
                              "4"}),
    [](const testing::TestParamInfo<TouchCase>& info) { return std::string(info.param.name); });

// Two fingers, as two thumbs typing: each one that comes down taps, in the order they land.
TEST_F(TouchPlayTest, EachFingerThatComesDownTaps) {
    OpenScreen();
    NewGameTyped(QString());
    QWidget* view = m_view->Widget();
    QTest::touchEvent(view, TestTouchScreen()).press(0, StripCellCentre(2), view);
    QTest::touchEvent(view, TestTouchScreen()).stationary(0).press(1, StripCellCentre(6), view);
    QTest::touchEvent(view, TestTouchScreen())
        .release(0, StripCellCentre(2), view)
        .release(1, StripCellCentre(6), view);
    EXPECT_EQ(ShownDigits(), QStringLiteral("26"));
}

// Some window systems send a mouse press of their own after each touch; the view has taken the
// touch already.
TEST_F(TouchPlayTest, TheWindowSystemsMousePressAfterATouchTypesNothingMore) {
    OpenScreen();
    NewGameTyped(QStringLiteral("1"));
    QWidget* view = m_view->Widget();
    TouchStripCell(view, 10);
    const QPointF at(StripCellCentre(10));
    const QPointF global(view->mapToGlobal(StripCellCentre(10)));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent echo(type, at, at, global, Qt::LeftButton,
                         type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                         Qt::NoModifier, Qt::MouseEventSynthesizedBySystem, TestTouchScreen());
        QApplication::sendEvent(view, &echo);
    }
    EXPECT_EQ(m_doc->m_game.GetTyped(), QString());
    EXPECT_EQ(TakeEvents().filter(QStringLiteral("beep")), QStringList());
}

// Whatever two slow taps on a cell do, two quick ones do the same: a finger tapping twice, and
// a double click of the mouse, which Qt reports as a press and a double click.
TEST_F(TouchPlayTest, AQuickSecondTapIsATapLikeTheFirst) {
    struct Case {
        int cell;
        const char* typedBefore;
        const char* typed;
    };
    OpenScreen();
    QWidget* view = m_view->Widget();
    QWindow* window = view->window()->windowHandle();
    ASSERT_NE(window, nullptr);
    DoubleClickCounter doubleClicks;
    view->installEventFilter(&doubleClicks);
    for (const Case& c : {Case{10, "12", ""}, Case{4, "", "44"}, Case{7, "1", "177"}}) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cell << " after " << c.typedBefore);
        const QString before = QString::fromLatin1(c.typedBefore);
        // The test's clicks are never close enough in time to make a double click.
        NewGameTyped(before);
        TapCell(c.cell);
        TapCell(c.cell);
        const QString slow = m_doc->m_game.GetTyped();
        const QStringList slowEvents = WithoutPaints(TakeEvents());
        EXPECT_EQ(slow, QString::fromLatin1(c.typed));

        NewGameTyped(before);
        TouchStripCell(view, c.cell);
        TouchStripCell(view, c.cell);
        EXPECT_EQ(m_doc->m_game.GetTyped(), slow) << "by touch";
        EXPECT_EQ(WithoutPaints(TakeEvents()), slowEvents) << "by touch";

        NewGameTyped(before);
        doubleClicks.count = 0;
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier,
                           view->mapTo(view->window(), StripCellCentre(c.cell)));
        ASSERT_EQ(doubleClicks.count, 1);
        EXPECT_EQ(m_doc->m_game.GetTyped(), slow) << "by double click";
        EXPECT_EQ(WithoutPaints(TakeEvents()), slowEvents) << "by double click";
    }
    view->removeEventFilter(&doubleClicks);
}

// At a size other than the default, a touch and a mouse press at the same place do the same:
// the same sounds, the same digits, the same trace, between rounds and in one.
TEST_F(TouchPlayTest, ATouchDoesWhatAMousePressDoesAtTheSamePlace) {
    OpenScreen(480, 536);
    const std::vector<QPoint> places = {{10, 233},  {29, 245},  {30, 245}, {209, 245}, {210, 233},
                                        {229, 258}, {230, 245}, {5, 259},  {9, 245},   {120, 100}};
    QWidget* view = m_view->Widget();
    // Both as the window system delivers them, each followed by the repaint it asks for.
    const auto byMouse = [this](QPoint at) {
        Tap(OnWidget(at).x(), OnWidget(at).y());
        QApplication::processEvents();
    };
    const auto byTouch = [this, view](QPoint at) { TouchTap(view, OnWidget(at)); };

    byMouse(places[0]);
    const QStringList mouseBetweenRounds = TakeEvents();
    byTouch(places[0]);
    EXPECT_EQ(TakeEvents(), mouseBetweenRounds);
    EXPECT_TRUE(mouseBetweenRounds.contains(QStringLiteral("beep 16")));

    for (const QPoint& at : places) {
        SCOPED_TRACE(testing::Message() << "at " << at.x() << ", " << at.y());
        NewGameTyped(QStringLiteral("5"));
        byMouse(at);
        const QStringList mouseEvents = TakeEvents();
        const QString mouseTyped = ShownDigits();
        NewGameTyped(QStringLiteral("5"));
        byTouch(at);
        EXPECT_EQ(TakeEvents(), mouseEvents);
        EXPECT_EQ(ShownDigits(), mouseTyped);
    }
}

// The finger that wins the round is still down when the box comes up, and lifts while it is
// up; the next round takes touches as the first did.
TEST_F(TouchPlayTest, AFingerLiftedWhileTheRoundsBoxIsUpLeavesTouchWorking) {
    OpenScreen();
    NewGameTyped(QStringLiteral("40"));
    QWidget* view = m_view->Widget();
    QStringList boxes;
    AnswerBoxes([&boxes, view](const QString& text, unsigned) {
        boxes << text;
        QTest::touchEvent(view, TestTouchScreen()).release(0, StripCellCentre(7), view);
        return platform::kIdOk;
    });
    QTest::touchEvent(view, TestTouchScreen()).press(0, StripCellCentre(7), view);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("WON!")});
    EXPECT_FALSE(m_doc->m_bPlaying);

    NewGameTyped(QString());
    TouchStripCell(view, 3);
    TouchStripCell(view, 8);
    EXPECT_EQ(ShownDigits(), QStringLiteral("38"));
}

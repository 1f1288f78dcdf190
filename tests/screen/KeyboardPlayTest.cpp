// Playing by keys: every key goes down the path of a tap on its cell, so a round played by
// keys sounds, traces, counts and ends exactly as the same round played by taps, with the
// mouse or with a finger.

#include "tests/screen/GameScreenFixture.h"
#include "tests/support/StatisticsBytes.h"
#include "tests/support/StripTaps.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

// How a guess is entered: mouse taps or touches on the strip, or keys of the main row or the
// keypad.
enum class Input { Taps, Touches, MainKeys, KeypadKeys };

}  // namespace

class KeyboardPlayTest : public GameScreenTest {
protected:
    void Enter(Input input, const QString& digits) {
        for (const QChar digit : digits) {
            if (input == Input::Taps) {
                TapCell(digit.digitValue());
            } else if (input == Input::Touches) {
                TouchStripCell(m_view->Widget(), digit.digitValue());
            } else {
                const Qt::KeyboardModifiers keypad =
                    input == Input::KeypadKeys ? Qt::KeypadModifier : Qt::NoModifier;
                QTest::keyClick(m_view->Widget(),
                                static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()), keypad);
            }
            QApplication::processEvents();
        }
    }

    void Delete(Input input, Qt::Key key = Qt::Key_Backspace) {
        if (input == Input::Taps) {
            TapCell(10);
        } else if (input == Input::Touches) {
            TouchStripCell(m_view->Widget(), 10);
        } else {
            QTest::keyClick(m_view->Widget(), key);
        }
        QApplication::processEvents();
    }

    // Plays a round with secret 407 to its end and gives everything it made happen. Every
    // round starts with the same empty statistics file, so that their traces can match.
    QStringList PlayRound(Input input, bool win) {
        EXPECT_TRUE(WriteEmptyStatistics(StatFile()));
        NewGame(QStringLiteral("407"));
        Enter(input, QStringLiteral("12"));
        Delete(input, Qt::Key_Delete);
        Delete(input);
        Delete(input);  // nothing left to delete: the error sound
        const int wrongGuesses = win ? 2 : 10;
        for (int guess = 0; guess < wrongGuesses; ++guess) {
            Enter(input, QStringLiteral("470"));
        }
        if (win) {
            Enter(input, QStringLiteral("407"));
        }
        EXPECT_FALSE(m_doc->m_bPlaying);
        return TakeEvents();
    }
};

TEST_F(KeyboardPlayTest, RoundsByKeysMatchRoundsByTaps) {
    OpenScreen();
    for (const bool win : {true, false}) {
        QStringList byTaps;
        for (const Input input :
             {Input::Taps, Input::Touches, Input::MainKeys, Input::KeypadKeys}) {
            const QStringList events = PlayRound(input, win);
            const StatCounts counts = ReadStatCounts(StatFile());
            if (input == Input::Taps) {
                byTaps = events;
            }
            EXPECT_EQ(events.join(QLatin1Char('\n')).toStdString(),
                      byTaps.join(QLatin1Char('\n')).toStdString())
                << "win " << win << ", input " << int(input);
            EXPECT_EQ(counts.played, 1);
            EXPECT_EQ(counts.won, win ? 1 : 0);
            EXPECT_EQ(counts.lost, win ? 0 : 1);
        }
        EXPECT_TRUE(byTaps.contains(win ? QStringLiteral("box 0 WON!")
                                        : QStringLiteral("box 0 Game Over!\nSolution: 407")));
    }
}

TEST_F(KeyboardPlayTest, KeysBetweenRoundsSoundLikeTapsBetweenRounds) {
    OpenScreen();
    TapCell(4);
    const QStringList byTap = TakeEvents();
    for (const Qt::Key key : {Qt::Key_4, Qt::Key_Backspace, Qt::Key_Delete}) {
        QTest::keyClick(m_view->Widget(), key);
        EXPECT_EQ(TakeEvents(), byTap) << key;
    }
}

TEST_F(KeyboardPlayTest, OtherKeysAndHeldKeysTypeNothing) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    // Shortcuts and letters are not digits; a held key does not repeat, as a pen cannot.
    QTest::keyClick(m_view->Widget(), Qt::Key_4, Qt::ControlModifier);
    QTest::keyClick(m_view->Widget(), Qt::Key_4, Qt::AltModifier);
    QTest::keyClick(m_view->Widget(), Qt::Key_A);
    QTest::keyClick(m_view->Widget(), Qt::Key_Space);
    EXPECT_EQ(m_doc->m_game.GetTyped(), QString());
    QTest::keyPress(m_view->Widget(), Qt::Key_4);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"), true);
    QApplication::sendEvent(m_view->Widget(), &repeat);
    QTest::keyRelease(m_view->Widget(), Qt::Key_4);
    EXPECT_EQ(m_doc->m_game.GetTyped(), QStringLiteral("4"));
}

TEST_F(KeyboardPlayTest, TheViewHasTheKeyboardOnceShown) {
    OpenScreen();
    QWidget* window = m_view->Widget()->window();
    window->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(window->focusWidget(), m_view->Widget());
    EXPECT_EQ(m_view->Widget()->focusPolicy(), Qt::StrongFocus);
}

namespace {

// One key event as the window system delivers it: its scan code, the moment it happened in
// milliseconds, and whether it came flagged as a repeat.
struct KeyStep {
    bool press;
    Qt::Key key;
    quint32 scanCode;
    quint64 time;
    bool flagged = false;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

constexpr quint32 kScan4 = 13;
constexpr quint32 kScan5 = 14;
constexpr quint32 kScanBack = 22;
constexpr quint32 kScanKeypad7 = 79;

}  // namespace

// A held key types once, however the window system reports its repeats; keys pressed one
// after another, even overlapping, each type.
TEST_F(KeyboardPlayTest, AHeldKeyTypesOnce) {
    struct Case {
        const char* what;
        std::vector<KeyStep> steps;
        const char* typed;
    };
    const auto press = [](Qt::Key key, quint32 scan, quint64 time, bool flagged = false) {
        return KeyStep{true, key, scan, time, flagged};
    };
    const auto release = [](Qt::Key key, quint32 scan, quint64 time, bool flagged = false) {
        return KeyStep{false, key, scan, time, flagged};
    };
    const KeyStep keypad7Press{true, Qt::Key_7, kScanKeypad7, 100, false, Qt::KeypadModifier};
    const KeyStep keypad7Release{false, Qt::Key_7, kScanKeypad7, 600, false, Qt::KeypadModifier};
    const KeyStep keypad7Again{true, Qt::Key_7, kScanKeypad7, 600, false, Qt::KeypadModifier};
    const Case cases[] = {
        {"repeats flagged as such",
         {press(Qt::Key_4, kScan4, 100), release(Qt::Key_4, kScan4, 600, true),
          press(Qt::Key_4, kScan4, 600, true), press(Qt::Key_4, kScan4, 633, true),
          release(Qt::Key_4, kScan4, 700)},
         "4"},
        {"presses with no release between",
         {press(Qt::Key_4, kScan4, 100), press(Qt::Key_4, kScan4, 600),
          press(Qt::Key_4, kScan4, 633), release(Qt::Key_4, kScan4, 700)},
         "4"},
        {"a release and a press of one moment",
         {press(Qt::Key_4, kScan4, 100), release(Qt::Key_4, kScan4, 600),
          press(Qt::Key_4, kScan4, 600), release(Qt::Key_4, kScan4, 633),
          press(Qt::Key_4, kScan4, 633), release(Qt::Key_4, kScan4, 700)},
         "4"},
        {"a held keypad digit", {keypad7Press, keypad7Release, keypad7Again}, "7"},
        {"a held Backspace deletes one digit",
         {press(Qt::Key_4, kScan4, 100), release(Qt::Key_4, kScan4, 150),
          press(Qt::Key_5, kScan5, 200), release(Qt::Key_5, kScan5, 250),
          press(Qt::Key_Backspace, kScanBack, 300), release(Qt::Key_Backspace, kScanBack, 800),
          press(Qt::Key_Backspace, kScanBack, 800), release(Qt::Key_Backspace, kScanBack, 833),
          press(Qt::Key_Backspace, kScanBack, 833), release(Qt::Key_Backspace, kScanBack, 900)},
         "4"},
        {"two taps of Backspace delete two digits",
         {press(Qt::Key_4, kScan4, 100), release(Qt::Key_4, kScan4, 150),
          press(Qt::Key_5, kScan5, 200), release(Qt::Key_5, kScan5, 250),
          press(Qt::Key_Backspace, kScanBack, 300), release(Qt::Key_Backspace, kScanBack, 350),
          press(Qt::Key_Backspace, kScanBack, 400), release(Qt::Key_Backspace, kScanBack, 450)},
         ""},
        {"overlapping keys",
         {press(Qt::Key_4, kScan4, 100), press(Qt::Key_5, kScan5, 120),
          release(Qt::Key_4, kScan4, 130), release(Qt::Key_5, kScan5, 140)},
         "45"},
    };
    OpenScreen();
    for (const Case& c : cases) {
        m_doc->StopPlaying();
        NewGame(QStringLiteral("407"));
        for (const KeyStep& step : c.steps) {
            const QString text = step.key >= Qt::Key_0 && step.key <= Qt::Key_9
                                     ? QString(QChar(step.key))
                                     : QString();
            QKeyEvent event(step.press ? QEvent::KeyPress : QEvent::KeyRelease, step.key,
                            step.modifiers, step.scanCode, 0, 0, text, step.flagged);
            event.setTimestamp(step.time);
            QApplication::sendEvent(m_view->Widget(), &event);
            QApplication::processEvents();
        }
        EXPECT_EQ(m_doc->m_game.GetTyped(), QString::fromUtf8(c.typed)) << c.what;
    }
    m_doc->StopPlaying();
}

// Focus that comes by Tab shows as a frame around the game screen, inside its edge; focus
// from a click or from the program leaves every pixel as it was and draws nothing anew.
TEST_F(KeyboardPlayTest, AFocusFrameOnlyForTheKeyboard) {
    OpenScreen();
    QWidget* window = m_view->Widget()->window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QWidget* view = m_view->Widget();
    view->clearFocus();
    QApplication::processEvents();
    const QImage plain = GrabView();
    TakeEvents();

    view->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(TakeEvents().contains(QStringLiteral("CMyDrunoView::OnDraw() {")));
    EXPECT_EQ(GrabView(), plain);

    view->clearFocus();
    view->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage framed = GrabView();
    const QColor highlight =
        m_view->Widget()->palette().color(QPalette::Active, QPalette::Highlight);
    for (const QPoint at : {QPoint(0, 0), QPoint(1, 100), QPoint(framed.width() - 1, 50),
                            QPoint(120, framed.height() - 2)}) {
        EXPECT_EQ(framed.pixelColor(at), highlight) << at.x() << "," << at.y();
    }
    const QRect inside = framed.rect().adjusted(2, 2, -2, -2);
    EXPECT_EQ(framed.copy(inside), plain.copy(inside));

    // A menu over the window takes the focus for a while: the frame stays.
    QFocusEvent popupOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(m_view->Widget(), &popupOut);
    QApplication::processEvents();
    EXPECT_EQ(GrabView(), framed);

    Tap(5, 5);
    EXPECT_EQ(GrabView(), plain);
}

// Playing by keys: every key goes down the path of a tap on its cell, so a round played by
// keys sounds, traces, counts and ends exactly as the same round played by taps.

#include "tests/screen/GameScreenFixture.h"
#include "tests/support/StatisticsBytes.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

namespace {

// How a guess is entered: taps on the strip, or keys of the main row or the keypad.
enum class Input { Taps, MainKeys, KeypadKeys };

}  // namespace

class KeyboardPlayTest : public GameScreenTest {
protected:
    void Enter(Input input, const QString& digits) {
        for (const QChar digit : digits) {
            if (input == Input::Taps) {
                TapCell(digit.digitValue());
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
        for (const Input input : {Input::Taps, Input::MainKeys, Input::KeypadKeys}) {
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

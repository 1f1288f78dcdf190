// Every way a round can end leaves its row in the journal of rounds: the real program in a
// process of its own plays a round and ends it, and the journal is read as the next game
// would read it.

#include "platform/journal/Journal.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <unistd.h>

#include <csignal>
#include <ostream>

using namespace testing_support;

namespace {

struct EndingCase {
    const char* name;
    const char* script;
    int signal;  // sent once the script says "playing"; 0 for none
    platform::RoundOutcome outcome;
    int attempts;
    int exitCode = 0;
};

void PrintTo(const EndingCase& c, std::ostream* out) {
    *out << c.name;
}

class RoundEnding : public testing::TestWithParam<EndingCase> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    ChildOptions Program(const char* script) const {
        ChildOptions options;
        options.program = DRUNO_SCRIPTED;
        options.environment = {
            "QT_QPA_PLATFORM=offscreen", std::string("DRUNO_SCRIPT=") + script,
            "DRUNO_TEST_FOLDER=" + m_dir.path().toStdString(),
            "XDG_DATA_HOME=" + m_dir.filePath(QStringLiteral("data")).toStdString()};
        return options;
    }

    std::vector<platform::JournalRound> Rounds() const {
        platform::Journal journal(JournalFile());
        std::vector<platform::JournalRound> rounds;
        EXPECT_EQ(journal.Open(platform::Journal::Mode::Read), platform::JournalStatus::Ok);
        EXPECT_EQ(journal.ReadRounds(&rounds, true), platform::JournalStatus::Ok);
        return rounds;
    }

    QString JournalFile() const {
        return m_dir.filePath(QStringLiteral("data/Brantel/Druno/Journal.sqlite"));
    }

    // Until the game has written its round's beginning.
    bool WaitForRound() const {
        for (int turn = 0; turn < 3000; ++turn) {
            platform::Journal journal(JournalFile());
            std::vector<platform::JournalRound> rounds;
            if (journal.Open(platform::Journal::Mode::Read) == platform::JournalStatus::Ok &&
                journal.ReadRounds(&rounds, false) == platform::JournalStatus::Ok &&
                !rounds.empty()) {
                return true;
            }
            ::usleep(10000);
        }
        return false;
    }

    QTemporaryDir m_dir;
};

// The guesses are the ones made, each with the counts the screen showed; a round that ended
// has its end, its secret and its time. A round whose game was killed is found unfinished by
// the next game.
TEST_P(RoundEnding, LeavesItsRow) {
    const EndingCase& c = GetParam();
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(Program(c.script)));
    if (c.signal != 0) {
        ASSERT_TRUE(druno.WaitForOutput("playing\n"));
        // A kill leaves no time to write: it comes once the round is in the journal.
        if (c.signal == SIGKILL) {
            ASSERT_TRUE(WaitForRound());
        }
        druno.Signal(c.signal);
    }
    const ChildEnd end = druno.Wait();
    if (c.signal == SIGKILL) {
        ChildProcess next;
        ASSERT_TRUE(next.Start(Program("leave")));
        const ChildEnd nextEnd = next.Wait();
        ASSERT_TRUE(nextEnd.exited && nextEnd.exitCode == 0);
    } else {
        ASSERT_TRUE(end.exited) << druno.ErrorOutput();
        EXPECT_EQ(end.exitCode, c.exitCode);
    }

    const std::vector<platform::JournalRound> rounds = Rounds();
    ASSERT_EQ(rounds.size(), 1u);
    const platform::JournalRound& round = rounds[0];
    EXPECT_EQ(round.outcome, c.outcome);
    EXPECT_EQ(round.level, 1);
    EXPECT_EQ(round.digits, 3);
    EXPECT_EQ(round.attempts, c.attempts);
    ASSERT_EQ(static_cast<int>(round.guesses.size()), c.attempts);
    EXPECT_GT(round.startedMs, 0);
    if (c.outcome == platform::RoundOutcome::Unfinished) {
        EXPECT_EQ(round.endedMs, 0);
        EXPECT_TRUE(round.secret.isEmpty());
        return;
    }
    EXPECT_GE(round.endedMs, round.startedMs);
    EXPECT_GE(round.spentMs, 0);
    ASSERT_EQ(round.secret.size(), 3);
    for (const platform::JournalGuess& guess : round.guesses) {
        int rightPlace = 0;
        int elsewhere = 0;
        for (int i = 0; i < 3; ++i) {
            if (guess.digits[i] == round.secret[i]) {
                ++rightPlace;
            } else if (round.secret.contains(guess.digits[i])) {
                ++elsewhere;
            }
        }
        EXPECT_EQ(guess.rightPlace, rightPlace) << guess.digits.toStdString();
        EXPECT_EQ(guess.elsewhere, elsewhere) << guess.digits.toStdString();
    }
    if (c.outcome == platform::RoundOutcome::Won) {
        EXPECT_EQ(round.guesses.back().digits, round.secret);
    }
}

using platform::RoundOutcome;
INSTANTIATE_TEST_SUITE_P(
    Endings, RoundEnding,
    testing::Values(EndingCase{"won", "won-box", SIGTERM, RoundOutcome::Won, 1},
                    EndingCase{"lostAfterTheLastAttempt", "lost-box", SIGTERM, RoundOutcome::Lost,
                               10},
                    EndingCase{"givenUp", "give-up", SIGTERM, RoundOutcome::GivenUp, 1},
                    EndingCase{"closed", "close", 0, RoundOutcome::Closed, 1},
                    EndingCase{"signal", "round", SIGTERM, RoundOutcome::Signal, 0},
                    EndingCase{"displayLost", "display", 0, RoundOutcome::DisplayLost, 1, 1},
                    EndingCase{"killed", "round", SIGKILL, RoundOutcome::Unfinished, 0}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

}  // namespace

#pragma once

// What the journal keeps of one round: when it was played, at which level, how it ended, and
// every guess with its two counts.

#include <QString>

#include <cstdint>
#include <vector>

namespace platform {

// How a round ended. Playing: still going on in a running game. Unfinished: its game ended
// without ending it (a crash, a kill), found when the journal was next opened.
enum class RoundOutcome {
    Playing,
    Won,
    Lost,  // after the last attempt
    GivenUp,
    Closed,
    Signal,
    DisplayLost,
    Unfinished,
};

// Lost, given up, closed, lost to a signal or to a lost display: every end that is no win.
bool IsLoss(RoundOutcome outcome);
// The word the journal and its CSV keep for an outcome ("won", "given-up", ...), and back;
// an unknown word reads as Unfinished.
QString OutcomeKeyword(RoundOutcome outcome);
RoundOutcome OutcomeFromKeyword(const QString& keyword);

struct JournalGuess {
    QString digits;
    int rightPlace = 0;
    int elsewhere = 0;
    friend bool operator==(const JournalGuess&, const JournalGuess&) = default;
};

struct JournalRound {
    std::int64_t id = 0;
    std::int64_t startedMs = 0;  // UTC, milliseconds since 1970
    std::int64_t endedMs = 0;    // 0 while playing or unfinished
    int level = 1;
    int digits = 3;
    RoundOutcome outcome = RoundOutcome::Playing;
    int attempts = 0;
    std::int64_t spentMs = 0;  // time the round took, on a steady clock
    QString secret;            // known once the round has ended
    std::vector<JournalGuess> guesses;
    friend bool operator==(const JournalRound&, const JournalRound&) = default;
};

}  // namespace platform

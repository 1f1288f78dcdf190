#pragma once

// The figures of a player's progress, worked out from the rounds of the journal: how many
// were played and won, the winning streaks, the attempts a win took, and the win rate of the
// latest rounds. Only rounds that ended count; rounds being played or left unfinished do not.

#include "platform/journal/JournalRound.h"

#include <array>
#include <vector>

namespace platform {

// The win rate of one stretch of consecutive rounds.
struct WinRateStretch {
    int first = 0;  // the stretch's first and last round, counted from 1 in the level
    int last = 0;
    int percent = 0;
};

struct JournalFigures {
    static constexpr int kMostAttempts = 10;
    static constexpr int kStretchLength = 10;
    static constexpr int kStretches = 10;

    int rounds = 0;
    int won = 0;
    int winPercent = 0;  // rounded; 0 without rounds
    int currentStreak = 0;
    int bestStreak = 0;
    double averageAttempts = 0;  // of the won rounds; 0 without wins
    // winsIn[n - 1]: the rounds won with n attempts (more than kMostAttempts count as that).
    std::array<int, kMostAttempts> winsIn{};
    int losses = 0;
    // The latest rounds in stretches of kStretchLength, at most kStretches of them, oldest
    // first; the oldest may be shorter.
    std::vector<WinRateStretch> recent;
};

// level 0 takes every level. rounds go oldest first.
JournalFigures ComputeFigures(const std::vector<JournalRound>& rounds, int level);

}  // namespace platform

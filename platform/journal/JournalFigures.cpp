#include "platform/journal/JournalFigures.h"

#include <algorithm>

namespace platform {

namespace {

int Percent(int part, int whole) {
    return whole == 0 ? 0 : (part * 200 + whole) / (2 * whole);
}

}  // namespace

JournalFigures ComputeFigures(const std::vector<JournalRound>& rounds, int level) {
    JournalFigures figures;
    std::vector<bool> results;  // won or not, oldest first
    int streak = 0;
    int attemptsOfWins = 0;
    for (const JournalRound& round : rounds) {
        if (level != 0 && round.level != level) {
            continue;
        }
        const bool won = round.outcome == RoundOutcome::Won;
        if (!won && !IsLoss(round.outcome)) {
            continue;
        }
        results.push_back(won);
        if (won) {
            ++figures.won;
            ++streak;
            figures.bestStreak = std::max(figures.bestStreak, streak);
            const int attempts = std::clamp(round.attempts, 1, JournalFigures::kMostAttempts);
            ++figures.winsIn[attempts - 1];
            attemptsOfWins += attempts;
        } else {
            ++figures.losses;
            streak = 0;
        }
    }
    figures.rounds = static_cast<int>(results.size());
    figures.currentStreak = streak;
    figures.winPercent = Percent(figures.won, figures.rounds);
    if (figures.won > 0) {
        figures.averageAttempts = static_cast<double>(attemptsOfWins) / figures.won;
    }

    // Stretches counted back from the latest round, so that the latest stretch is whole.
    int last = figures.rounds;
    for (int i = 0; i < JournalFigures::kStretches && last > 0; ++i) {
        const int first = std::max(1, last - JournalFigures::kStretchLength + 1);
        const int wins = static_cast<int>(
            std::count(results.begin() + (first - 1), results.begin() + last, true));
        figures.recent.insert(figures.recent.begin(),
                              {first, last, Percent(wins, last - first + 1)});
        last = first - 1;
    }
    return figures;
}

}  // namespace platform

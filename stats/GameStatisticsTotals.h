#pragma once

// The overall line of the statistics as a player reads it. Once the levels have records of
// their own, the file's overall record weighs each level by its number, so that a round of
// five digits counts three times; the player's "Games played" must still count each game
// once. The weighted wins are shown apart, as the player's score.

#include "stats/GameStatisticsRecord.h"

#include <QString>

#include <cstdint>
#include <span>

struct GameStatisticsTotals {
    GAMESTATISTICS record;    // played, won, lost and percentage, each game counted once
    std::int32_t nScore = 0;  // each win counted as often as its level's number
};

// The totals of the level records, record k of the list being level k + 1.
GameStatisticsTotals SumLevelRecords(std::span<const GAMESTATISTICS> levels);

// Reads the level records 1 to nMaxLevels of the file and sums them. False, with the user
// told, when a record could not be read. The current level is left as it was.
bool GameStatisticsReadTotals(const QString& lpStatFile, int nMaxLevels,
                              GameStatisticsTotals& totals);

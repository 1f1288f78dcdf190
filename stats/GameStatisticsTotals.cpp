#include "stats/GameStatisticsTotals.h"

#include "stats/GameStatistics.h"
#include "stats/GameStatisticsDlg.h"

#include <vector>

GameStatisticsTotals SumLevelRecords(std::span<const GAMESTATISTICS> levels) {
    std::int64_t played = 0;
    std::int64_t won = 0;
    std::int64_t lost = 0;
    std::int64_t score = 0;
    std::int64_t level = 1;
    for (const GAMESTATISTICS& gs : levels) {
        played = ClampToInt32(played + gs.Get(GAMESTATISTICS::nGamesPlayed));
        won = ClampToInt32(won + gs.Get(GAMESTATISTICS::nGamesWon));
        lost = ClampToInt32(lost + gs.Get(GAMESTATISTICS::nGamesLost));
        score = ClampToInt32(score + level * gs.Get(GAMESTATISTICS::nGamesWon));
        ++level;
    }
    GameStatisticsTotals totals;
    totals.record.Set(GAMESTATISTICS::nGamesPlayed, static_cast<std::int32_t>(played));
    totals.record.Set(GAMESTATISTICS::nGamesWon, static_cast<std::int32_t>(won));
    totals.record.Set(GAMESTATISTICS::nGamesLost, static_cast<std::int32_t>(lost));
    totals.record.Set(GAMESTATISTICS::nGamesWonPercent, WonPercent(won, played));
    totals.nScore = static_cast<std::int32_t>(score);
    return totals;
}

bool GameStatisticsReadTotals(const QString& lpStatFile, int nMaxLevels,
                              GameStatisticsTotals& totals) {
    const int nCurrLevel = s_nCurrLevel;
    std::vector<GAMESTATISTICS> levels;
    bool bRead = true;
    for (int level = 1; bRead && level <= nMaxLevels; ++level) {
        s_nCurrLevel = level;
        GAMESTATISTICS gs;
        bool bDamaged = false;
        bRead = CGameStatisticsDlg::ReadStatistics(lpStatFile, gs, bDamaged) == 0;
        // A damaged level adds nothing, as in the file's own overall record.
        if (bDamaged) {
            gs.Clear();
        }
        levels.push_back(gs);
    }
    s_nCurrLevel = nCurrLevel;
    if (bRead) {
        totals = SumLevelRecords(levels);
    }
    return bRead;
}

#include "stats/GameStatistics.h"

#include "platform/core/File.h"
#include "stats/GameStatisticsDlg.h"
#include "stats/GameStatisticsRecord.h"
#include "stats/StatisticsLock.h"
#include "trace/TraceScope.h"

#include <limits>

int s_nMaxLevels = 0;
int s_nCurrLevel = 0;
int s_nLanguage = 0;
QString s_strCustomLevels;

namespace {

// A counter at its limit stays there rather than wrapping to a negative count.
std::int32_t Incremented(std::int32_t count) {
    return count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
}

// Reads the current record (an unreadable file gives zero counters), lets count change it,
// recomputes the percentage and writes it back, all under one lock. A file that another game
// keeps busy is reported by the read, and the game is not counted: counting it into zero
// counters would write over the other game's.
template <class Count>
void CountGame(const QString& lpStatFile, Count count) {
    const CStatisticsLock lock(lpStatFile);
    GAMESTATISTICS gs;
    if (CGameStatisticsDlg::ReadStatistics(lpStatFile, gs) != 0 && CStatisticsLock::IsBusy()) {
        return;
    }
    count(gs);
    gs.Set(GAMESTATISTICS::nGamesWonPercent,
           WonPercent(gs.Get(GAMESTATISTICS::nGamesWon), gs.Get(GAMESTATISTICS::nGamesPlayed)));
    CGameStatisticsDlg::DbgGAMESTATISTICS(gs);
    CGameStatisticsDlg::WriteStatistics(lpStatFile, gs);
}

void Increment(GAMESTATISTICS& gs, GAMESTATISTICS::Word word) {
    gs.Set(word, Incremented(gs.Get(word)));
}

}  // namespace

int GameStatisticsAddWon(const QString& lpStatFile) {
    CTraceScope trace(QStringLiteral("GameStatisticsAddWon()"));
    CountGame(lpStatFile, [](GAMESTATISTICS& gs) {
        Increment(gs, GAMESTATISTICS::nGamesPlayed);
        Increment(gs, GAMESTATISTICS::nGamesWon);
    });
    return 0;
}

int GameStatisticsAddLost(const QString& lpStatFile) {
    CTraceScope trace(QStringLiteral("GameStatisticsAddLost()"));
    CountGame(lpStatFile, [](GAMESTATISTICS& gs) {
        Increment(gs, GAMESTATISTICS::nGamesPlayed);
        Increment(gs, GAMESTATISTICS::nGamesLost);
    });
    return 0;
}

int GameStatisticsSetLevelInfo(int nMaxLevels, int nCurrLevel) {
    CTraceScope trace(QStringLiteral("GameStatisticsSetLevelInfo()"));
    s_nMaxLevels = nMaxLevels;
    s_nCurrLevel = nCurrLevel;
    trace.LogFormat("s_nMaxLevels=%d", s_nMaxLevels);
    trace.LogFormat("s_nCurrLevel=%d", s_nCurrLevel);
    return 0;
}

int GameStatisticsSetCustomLevels(const QString& strCustomLevels) {
    s_strCustomLevels = strCustomLevels;
    return 0;
}

namespace {

// The file's length in bytes; 0 when it is missing or cannot be opened.
std::int64_t StatisticsFileSize(const QString& lpStatFile) {
    platform::File file;
    if (file.Open(lpStatFile, platform::kFileRead) != 0) {
        return 0;
    }
    const std::int64_t size = file.Size();
    file.Close();
    return size < 0 ? 0 : size;
}

}  // namespace

bool GameStatisticsFileHasLevels(const QString& lpStatFile) {
    return StatisticsFileSize(lpStatFile) > GAMESTATISTICS::kSize;
}

int GameStatisticsUseLevels(const QString& lpStatFile, int nMaxLevels, int nCurrLevel) {
    int result = 0;
    {
        const CStatisticsLock lock(lpStatFile);
        // Under the lock the size cannot change: a second game finds the records made.
        const std::int64_t size = StatisticsFileSize(lpStatFile);
        if (size < static_cast<std::int64_t>(nMaxLevels + 1) * GAMESTATISTICS::kSize) {
            // The overall record as it stands; a file without one gives zero counts.
            GAMESTATISTICS overall;
            if (size >= GAMESTATISTICS::kSize) {
                s_nMaxLevels = 0;
                s_nCurrLevel = 0;
                if (CGameStatisticsDlg::ReadStatistics(lpStatFile, overall) != 0) {
                    result = -1;
                }
            }
            // Every missing record is written, so that no gap of zero bytes is ever read as
            // a record; the last write recomputes the overall record from all of them.
            s_nMaxLevels = nMaxLevels;
            for (int level = 1; result == 0 && level <= nMaxLevels; ++level) {
                if (size >= static_cast<std::int64_t>(level + 1) * GAMESTATISTICS::kSize) {
                    continue;
                }
                GAMESTATISTICS gs;
                if (level == 1 && size == GAMESTATISTICS::kSize) {
                    gs = overall;
                }
                s_nCurrLevel = level;
                result = CGameStatisticsDlg::WriteStatistics(lpStatFile, gs);
            }
        }
    }
    GameStatisticsSetLevelInfo(nMaxLevels, nCurrLevel);
    return result;
}

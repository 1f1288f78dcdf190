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
// counters would write over the other game's. Nor is a damaged record counted on: its bytes
// are kept aside first, and the count starts again from zero; where no copy can be made the
// file is left as it is and the game goes uncounted.
template <class Count>
void CountGame(const QString& lpStatFile, Count count) {
    const CStatisticsLock lock(lpStatFile);
    GAMESTATISTICS gs;
    bool bDamaged = false;
    if (CGameStatisticsDlg::ReadStatistics(lpStatFile, gs, bDamaged) != 0 &&
        CStatisticsLock::IsBusy()) {
        return;
    }
    if (bDamaged) {
        if (!GameStatisticsKeepDamaged(lpStatFile)) {
            return;
        }
        gs.Clear();
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
    return StatisticsFileSize(lpStatFile) >= 2 * GAMESTATISTICS::kSize;
}

namespace {

// The overall record of a file that has no level records yet, to become level 1's: zero
// counts when the file has none, and when they are damaged (after the bytes are kept aside).
// False when the file cannot be read, or its damaged bytes cannot be kept.
bool ReadOverallForLevelOne(const QString& lpStatFile, std::int64_t size, GAMESTATISTICS& overall) {
    overall.Clear();
    if (size == 0) {
        return true;
    }
    s_nMaxLevels = 0;
    s_nCurrLevel = 0;
    bool bDamaged = false;
    if (CGameStatisticsDlg::ReadStatistics(lpStatFile, overall, bDamaged) != 0) {
        return false;
    }
    if (bDamaged) {
        overall.Clear();
        return GameStatisticsKeepDamaged(lpStatFile);
    }
    return true;
}

}  // namespace

int GameStatisticsUseLevels(const QString& lpStatFile, int nMaxLevels, int nCurrLevel) {
    int result = 0;
    {
        const CStatisticsLock lock(lpStatFile);
        // Under the lock the size cannot change: a second game finds the records made.
        const std::int64_t size = StatisticsFileSize(lpStatFile);
        const std::int64_t records = size / GAMESTATISTICS::kSize;  // whole ones
        if (records < nMaxLevels + 1) {
            // A file without level records keeps its counts as level 1's. Bytes after the
            // overall record that make no whole record are no counts: they are written over.
            GAMESTATISTICS overall;
            if (records < 2 && !ReadOverallForLevelOne(lpStatFile, size, overall)) {
                result = -1;
            }
            // Every missing record is written, so that no gap of zero bytes is ever read as
            // a record; the last write recomputes the overall record from all of them.
            s_nMaxLevels = nMaxLevels;
            const int first = records < 1 ? 1 : static_cast<int>(records);
            for (int level = first; result == 0 && level <= nMaxLevels; ++level) {
                GAMESTATISTICS gs;
                if (level == 1) {
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

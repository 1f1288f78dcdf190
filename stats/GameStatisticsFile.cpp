// The statistics dialog's operations on the statistics file: reading, writing and dumping
// records. They need no dialog object and live apart from its window code; a file that cannot
// be read or written is still reported to the user in a message box.

#include "platform/core/File.h"
#include "platform/core/Messages.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsDlg.h"
#include "stats/StatisticsLock.h"
#include "trace/TraceScope.h"

#include <array>
#include <cerrno>

namespace {

constexpr std::int32_t kVersion3 = 2878;
constexpr std::int32_t kVersion2 = 2877;

// The filler words. The generator is seeded afresh for every record, so every record carries
// the same four values; it is our own so that the game's random numbers are left alone.
class FillerGenerator {
public:
    explicit FillerGenerator(std::uint32_t seed) : m_state(seed) {}
    std::int32_t Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<std::int32_t>((m_state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state;
};

std::int64_t RecordOffset(std::int64_t level) {
    return level * GAMESTATISTICS::kSize;
}

QString PathLine(const QString& lpStatFile) {
    return QStringLiteral("lpStatFile=\"") + lpStatFile + QLatin1Char('"');
}

// Reads the next record and unscrambles it. Bytes beyond the end of the file count as zero,
// so a short file gives zero counters, never stale ones. False when the read itself fails;
// bytesRead tells how much the file had.
bool ReadRecord(platform::File& file, GAMESTATISTICS& gs, int* bytesRead = nullptr) {
    const int got = file.Read(gs.bytes.data(), GAMESTATISTICS::kSize);
    if (got < 0) {
        gs.Clear();
        return false;
    }
    ScrambleStatistics(gs.bytes.data(), got);
    std::fill(gs.bytes.begin() + got, gs.bytes.end(), 0);
    if (bytesRead != nullptr) {
        *bytesRead = got;
    }
    return true;
}

bool WriteRecordAt(platform::File& file, std::int64_t offset, GAMESTATISTICS& gs) {
    ScrambleStatistics(gs.bytes.data(), GAMESTATISTICS::kSize);
    return file.Seek(offset) == offset &&
           file.Write(gs.bytes.data(), GAMESTATISTICS::kSize) == GAMESTATISTICS::kSize;
}

void Stamp(GAMESTATISTICS& gs) {
    gs.Set(GAMESTATISTICS::nVersion, kVersion3);
    FillerGenerator filler(kVersion3);
    for (const auto word : {GAMESTATISTICS::nFiller1, GAMESTATISTICS::nFiller2,
                            GAMESTATISTICS::nFiller3, GAMESTATISTICS::nFiller4}) {
        gs.Set(word, filler.Next());
    }
}

enum class ReadOutcome { Read, Failed, Damaged };

// Record 0 of the current format points to the record of the current level; older formats
// have only record 0. A record cut short by the end of the file, or one whose counts cannot
// be, is damaged; a level record wholly beyond the end has simply not been counted yet.
ReadOutcome ReadCurrentRecord(platform::File& file, GAMESTATISTICS& gs, CTraceScope& trace) {
    int got = 0;
    if (!ReadRecord(file, gs, &got)) {
        return ReadOutcome::Failed;
    }
    CGameStatisticsDlg::DbgGAMESTATISTICS(gs);
    const std::int32_t version = gs.Get(GAMESTATISTICS::nVersion);
    if (version < kVersion3) {
        trace.Log(version == kVersion2 ? QStringLiteral("version 2.0")
                                       : QStringLiteral("version 1.0 or 1.01 or 1.03"));
    } else {
        trace.Log(QStringLiteral("version 3.x"));
        trace.LogFormat("s_nMaxLevels=%d", s_nMaxLevels);
        trace.LogFormat("s_nCurrLevel=%d", s_nCurrLevel);
        // A negative level would lie before the file's start: the seek refuses it.
        const std::int64_t offset = RecordOffset(s_nCurrLevel);
        if (file.Seek(offset) != offset || !ReadRecord(file, gs, &got)) {
            return ReadOutcome::Failed;
        }
        CGameStatisticsDlg::DbgGAMESTATISTICS(gs);
        if (got == 0 && s_nCurrLevel > 0) {
            return ReadOutcome::Read;
        }
    }
    const bool cutShort = got > 0 && got < GAMESTATISTICS::kSize;
    return cutShort || !IsPlausibleRecord(gs) ? ReadOutcome::Damaged : ReadOutcome::Read;
}

// Record 0 becomes the sum of the level records, each weighted by its level number. gs is
// the buffer the level records are read into.
bool RecomputeOverall(platform::File& file, GAMESTATISTICS& gs) {
    std::int64_t played = 0;
    std::int64_t won = 0;
    std::int64_t lost = 0;
    if (file.Seek(RecordOffset(1)) != RecordOffset(1)) {
        return false;
    }
    for (std::int64_t level = 1; level <= s_nMaxLevels; ++level) {
        int got = 0;
        if (!ReadRecord(file, gs, &got)) {
            return false;
        }
        if (got == 0) {
            break;  // the levels beyond the end have no records yet and add nothing
        }
        // A damaged level record stays in the file as it is, but adds nothing to the whole.
        if (got < GAMESTATISTICS::kSize || !IsPlausibleRecord(gs)) {
            continue;
        }
        played = ClampToInt32(played + level * gs.Get(GAMESTATISTICS::nGamesPlayed));
        won = ClampToInt32(won + level * gs.Get(GAMESTATISTICS::nGamesWon));
        lost = ClampToInt32(lost + level * gs.Get(GAMESTATISTICS::nGamesLost));
    }
    GAMESTATISTICS overall;
    overall.Set(GAMESTATISTICS::nVersion, kVersion3);
    overall.Set(GAMESTATISTICS::nGamesPlayed, static_cast<std::int32_t>(played));
    overall.Set(GAMESTATISTICS::nGamesWon, static_cast<std::int32_t>(won));
    overall.Set(GAMESTATISTICS::nGamesLost, static_cast<std::int32_t>(lost));
    overall.Set(GAMESTATISTICS::nGamesWonPercent, WonPercent(won, played));
    return WriteRecordAt(file, 0, overall);
}

// The file operations of a count or a reset go ahead under its lock; on their own they take
// one. False when the file is busy: another game keeps it longer than a lock is waited for,
// the program is asked to end meanwhile, or the count's own lock has given up on it already.
// A lock the file system cannot give at all is no reason to fail, as it never was.
bool LockUnlessCovered(platform::File& file, bool exclusive) {
    if (CStatisticsLock::Covers(file)) {
        return true;
    }
    if (CStatisticsLock::IsBusy()) {
        return false;
    }
    return file.Lock(exclusive) == 0 || (file.Error() != EWOULDBLOCK && file.Error() != EINTR);
}

int ReportFailure(CTraceScope& trace) {
    trace.SetResult(QStringLiteral("-1 /* error */"));
    CStatisticsLock::Release();
    platform::MessageBox(
        s_nLanguage == kLanguageGerman ? IDS_STAT_OPEN_ERROR_DE : IDS_STAT_OPEN_ERROR,
        platform::kMbIconError);
    return -1;
}

// Copies every byte of source into a new file at target; false, with no file left at
// target, when that cannot be done. An existing target is never touched.
bool CopyToNewFile(platform::File& source, const QString& target) {
    platform::File copy;
    if (copy.Open(target, platform::kFileCreateReadWrite | platform::kFileCreateNew) != 0) {
        return false;
    }
    std::array<char, 65536> buffer{};
    bool copied = source.Seek(0) == 0;
    for (int got = 0; copied && (got = source.Read(buffer.data(), buffer.size())) != 0;) {
        copied = got > 0 && copy.Write(buffer.data(), got) == got;
    }
    copy.Close();
    if (!copied) {
        platform::RemoveFile(target);
    }
    return copied;
}

}  // namespace

bool GameStatisticsKeepDamaged(const QString& lpStatFile) {
    platform::File file;
    const bool opened = file.Open(lpStatFile, platform::kFileRead) == 0;
    // The first free name of Druno.sta.damaged, Druno.sta.damaged-2, ...: an earlier copy is
    // the player's too.
    constexpr int kMaxCopies = 99;
    QString copy;
    for (int n = 1; opened && n <= kMaxCopies && copy.isEmpty(); ++n) {
        const QString name = lpStatFile + QStringLiteral(".damaged") +
                             (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        if (CopyToNewFile(file, name)) {
            copy = name;
        }
    }
    file.Close();
    // Without a copy the file is as good as one that cannot be opened: the player hears so.
    if (copy.isEmpty()) {
        CStatisticsLock::TellWhenFree(
            platform::LoadString(s_nLanguage == kLanguageGerman ? IDS_STAT_OPEN_ERROR_DE
                                                                : IDS_STAT_OPEN_ERROR),
            platform::kMbIconError);
        return false;
    }
    CStatisticsLock::TellWhenFree(
        platform::FormatString(
            s_nLanguage == kLanguageGerman ? IDS_STAT_DAMAGED_DE : IDS_STAT_DAMAGED, copy),
        platform::kMbIconWarning);
    return true;
}

int CGameStatisticsDlg::ReadStatistics(const QString& lpStatFile, GAMESTATISTICS& gs) {
    bool bDamaged = false;
    return ReadStatistics(lpStatFile, gs, bDamaged);
}

int CGameStatisticsDlg::ReadStatistics(const QString& lpStatFile, GAMESTATISTICS& gs,
                                       bool& bDamaged) {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::ReadStatistics()"));
    trace.Log(PathLine(lpStatFile));
    bDamaged = false;
    platform::File file;
    const bool opened = file.Open(lpStatFile, platform::kFileRead) == 0;
    // No file yet is no fault: nothing has been counted. A count has made it empty under its
    // lock already, and that is the same.
    if ((!opened && file.Error() == ENOENT) || (opened && CStatisticsLock::IsNewAndEmpty(file))) {
        file.Close();
        gs.Clear();
        trace.SetResult(QStringLiteral("-1 /* error */"));
        return -1;
    }
    // A file that opens but cannot be read is as useless as one that does not open, and so
    // is one that another game keeps busy.
    const ReadOutcome outcome = opened && LockUnlessCovered(file, false)
                                    ? ReadCurrentRecord(file, gs, trace)
                                    : ReadOutcome::Failed;
    file.Close();
    if (outcome == ReadOutcome::Failed) {
        gs.Clear();
        return ReportFailure(trace);
    }
    // The record is handed back as read; the caller decides what a damaged one is worth.
    bDamaged = outcome == ReadOutcome::Damaged;
    trace.SetResult(QStringLiteral("0 /* OK */"));
    return 0;
}

int CGameStatisticsDlg::WriteStatistics(const QString& lpStatFile, GAMESTATISTICS& gs) {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::WriteStatistics()"));
    trace.Log(PathLine(lpStatFile));
    platform::File file;
    // A negative level has no place in the file; refuse it before the file is touched.
    if (s_nCurrLevel < 0 || file.Open(lpStatFile, platform::kFileCreateReadWrite) != 0) {
        file.Close();
        return ReportFailure(trace);
    }
    if (!LockUnlessCovered(file, true)) {
        file.Close();
        return ReportFailure(trace);
    }
    Stamp(gs);
    DbgGAMESTATISTICS(gs);
    trace.Log(QStringLiteral("version 3.x"));
    if (!WriteRecordAt(file, RecordOffset(s_nCurrLevel), gs) ||
        (s_nMaxLevels > 1 && !RecomputeOverall(file, gs))) {
        file.Close();
        return ReportFailure(trace);
    }
    file.Close();
    trace.SetResult(QStringLiteral("0 /* OK */"));
    return 0;
}

void CGameStatisticsDlg::DbgGAMESTATISTICS(const GAMESTATISTICS& gs) {
    CTraceScope trace(QStringLiteral("CGameStatisticsDlg::DbgGAMESTATISTICS()"));
    trace.LogFormat("s_nMaxLevels=%d", s_nMaxLevels);
    trace.LogFormat("s_nCurrLevel=%d", s_nCurrLevel);
    trace.LogFormat("gs.nVersion=%d", gs.Get(GAMESTATISTICS::nVersion));
    trace.LogFormat("gs.nGamesPlayed=%d", gs.Get(GAMESTATISTICS::nGamesPlayed));
    trace.LogFormat("gs.nGamesLost=%d", gs.Get(GAMESTATISTICS::nGamesLost));
    trace.LogFormat("gs.nGamesWon=%d", gs.Get(GAMESTATISTICS::nGamesWon));
    trace.LogFormat("gs.nGamesWonPercent=%d", gs.Get(GAMESTATISTICS::nGamesWonPercent));
}

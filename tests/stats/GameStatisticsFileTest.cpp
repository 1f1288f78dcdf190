// The statistics file: layout, scrambling, versions, level records and damaged files.

#include "stats/GameStatisticsDlg.h"
#include "tests/stats/StatsFixture.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

#include <climits>
#include <functional>

namespace {

QStringList DbgLines(int version, int played, int won, int lost, int percent) {
    return {QStringLiteral("CGameStatisticsDlg::DbgGAMESTATISTICS() {"),
            QStringLiteral("s_nMaxLevels=%1").arg(s_nMaxLevels),
            QStringLiteral("s_nCurrLevel=%1").arg(s_nCurrLevel),
            QStringLiteral("gs.nVersion=%1").arg(version),
            QStringLiteral("gs.nGamesPlayed=%1").arg(played),
            QStringLiteral("gs.nGamesLost=%1").arg(lost),
            QStringLiteral("gs.nGamesWon=%1").arg(won),
            QStringLiteral("gs.nGamesWonPercent=%1").arg(percent),
            QStringLiteral("} CGameStatisticsDlg::DbgGAMESTATISTICS()")};
}

using StatisticsFile = StatsFixture;

TEST_F(StatisticsFile, MissingFileReadsAsZeroWithoutAMessage) {
    GAMESTATISTICS gs = Record(2878, 5, 4, 1, 80);
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), -1);
    EXPECT_EQ(gs.bytes, GAMESTATISTICS{}.bytes);
    EXPECT_EQ(m_lines,
              QStringList({QStringLiteral("CGameStatisticsDlg::ReadStatistics() {"), PathLine(),
                           QStringLiteral("} CGameStatisticsDlg::ReadStatistics() "
                                          "(-1 /* error */)")}));
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_FALSE(QFile::exists(m_path));
}

// Whatever stands at the path that is no regular file fails to open, never waits, and is
// reported in the language of the last dialog.
struct NotAFile {
    const char* name;
    std::function<void(const QString& path)> make;
};

class StatisticsNotAFile : public StatsFixture, public testing::WithParamInterface<NotAFile> {};

TEST_P(StatisticsNotAFile, FailsToOpenWithTheMessage) {
    GetParam().make(m_path);
    GAMESTATISTICS gs = Record(2878, 5, 4, 1, 80);
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), -1);
    EXPECT_EQ(gs.bytes, GAMESTATISTICS{}.bytes);
    s_nLanguage = 1;
    gs = Record(0, 1, 1, 0, 100);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), -1);
    EXPECT_EQ(m_lines.last(),
              QStringLiteral("} CGameStatisticsDlg::WriteStatistics() (-1 /* error */)"));
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Error in opening statistics file."));
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Druno"));
    EXPECT_EQ(m_boxes[0].type, 16u);
    EXPECT_EQ(m_boxes[1].text, QStringLiteral("Fehler beim Öffnen der Statistik-Datei"));
    EXPECT_EQ(m_boxes[1].type, 16u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StatisticsNotAFile,
    testing::Values(NotAFile{"Fifo",
                             [](const QString& path) {
                                 ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                             }},
                    NotAFile{"LinkToDevZero",
                             [](const QString& path) {
                                 ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path));
                             }},
                    NotAFile{"Folder",
                             [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatisticsFile, LinkToAFileKeepsWorking) {
    const QString target = m_dir.filePath(QStringLiteral("kept.sta"));
    ASSERT_TRUE(QFile::link(target, m_path));
    GAMESTATISTICS gs = Record(0, 4, 3, 1, 75);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), 0);
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(CountersOf(gs), (Counters{4, 3, 1, 75}));
    EXPECT_TRUE(QFileInfo(m_path).isSymLink());
    EXPECT_EQ(QFileInfo(target).size(), 36);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(StatisticsFile, WriteCreatesOneStampedScrambledRecord) {
    // Whatever version and filler the caller leaves in the buffer.
    GAMESTATISTICS gs = Record(5, 3, 1, 2, 33);
    gs.Set(GAMESTATISTICS::nFiller1, -7);
    gs.Set(GAMESTATISTICS::nFiller4, 123456);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), 0);

    const GoldenRecord& stamped = kGoldenRecords[1];
    ASSERT_EQ(stamped.words[GAMESTATISTICS::nFiller1 / 4], 9436);
    EXPECT_EQ(FileBytes().toHex(' '), stamped.FileBytes().toHex(' '));

    QStringList lines = {QStringLiteral("CGameStatisticsDlg::WriteStatistics() {"), PathLine()};
    lines << DbgLines(2878, 3, 1, 2, 33) << QStringLiteral("version 3.x")
          << QStringLiteral("} CGameStatisticsDlg::WriteStatistics() (0 /* OK */)");
    EXPECT_EQ(m_lines, lines);
    EXPECT_TRUE(m_boxes.empty());
}

// Bytes known to lie in the file read as their words, and the tests' own encoding of the words
// gives those bytes.
TEST_F(StatisticsFile, KnownBytesReadAsTheirWords) {
    for (const GoldenRecord& golden : kGoldenRecords) {
        SCOPED_TRACE(golden.name);
        EXPECT_EQ(StatisticsBytes({golden.Record()}).toHex(' '), golden.FileBytes().toHex(' '));
        WriteRaw(golden.FileBytes());
        GAMESTATISTICS gs;
        EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
        EXPECT_EQ(gs.bytes, golden.Record().bytes);
    }
}

TEST_F(StatisticsFile, TwoWritesDifferOnlyInTheCounters) {
    GAMESTATISTICS first = Record(0, 1, 1, 0, 100);
    CGameStatisticsDlg::WriteStatistics(m_path, first);
    const QByteArray before = FileBytes();
    GAMESTATISTICS second = Record(0, 2, 1, 1, 100);
    CGameStatisticsDlg::WriteStatistics(m_path, second);
    const QByteArray after = FileBytes();

    ASSERT_EQ(before.size(), 36);
    ASSERT_EQ(after.size(), 36);
    for (int i = 0; i < 36; ++i) {
        const bool counter = (i >= 8 && i < 16) || (i >= 20 && i < 28);
        if (!counter) {
            EXPECT_EQ(before[i], after[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{2, 1, 1, 100}));
}

TEST_F(StatisticsFile, CurrentFormatReadsTheCurrentLevel) {
    WriteFile({Record(2878, 10, 5, 5, 50), Record(2878, 4, 3, 1, 75), Record(0, 2, 1, 1, 50)});
    s_nMaxLevels = 2;
    s_nCurrLevel = 2;
    GAMESTATISTICS gs;
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(CountersOf(gs), (Counters{2, 1, 1, 50}));

    QStringList lines = {QStringLiteral("CGameStatisticsDlg::ReadStatistics() {"), PathLine()};
    lines << DbgLines(2878, 10, 5, 5, 50) << QStringLiteral("version 3.x")
          << QStringLiteral("s_nMaxLevels=2") << QStringLiteral("s_nCurrLevel=2")
          << DbgLines(0, 2, 1, 1, 50)
          << QStringLiteral("} CGameStatisticsDlg::ReadStatistics() (0 /* OK */)");
    EXPECT_EQ(m_lines, lines);
}

struct OldFormat {
    int version;
    const char* line;
};

class StatisticsOldFormat : public StatsFixture, public testing::WithParamInterface<OldFormat> {};

TEST_P(StatisticsOldFormat, UsesRecordZeroAndIgnoresTheLevel) {
    WriteFile({Record(GetParam().version, 7, 3, 4, 42), Record(2878, 1, 1, 0, 100)});
    s_nCurrLevel = 1;
    GAMESTATISTICS gs;
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(gs.Get(GAMESTATISTICS::nVersion), GetParam().version);
    EXPECT_EQ(CountersOf(gs), (Counters{7, 3, 4, 42}));

    QStringList lines = {QStringLiteral("CGameStatisticsDlg::ReadStatistics() {"), PathLine()};
    lines << DbgLines(GetParam().version, 7, 3, 4, 42) << QString::fromUtf8(GetParam().line)
          << QStringLiteral("} CGameStatisticsDlg::ReadStatistics() (0 /* OK */)");
    EXPECT_EQ(m_lines, lines);
}

INSTANTIATE_TEST_SUITE_P(Versions, StatisticsOldFormat,
                         testing::Values(OldFormat{2877, "version 2.0"},
                                         OldFormat{5, "version 1.0 or 1.01 or 1.03"},
                                         OldFormat{-1, "version 1.0 or 1.01 or 1.03"}));

struct Recompute {
    const char* name;
    std::vector<Counters> levels;  // levels 1, 2, ... already in the file
    Counters overall;
};

class StatisticsRecompute : public StatsFixture, public testing::WithParamInterface<Recompute> {};

// The last level is written through WriteStatistics, the others lie in the file already.
TEST_P(StatisticsRecompute, RecordZeroIsTheLevelWeightedSum) {
    const std::vector<Counters>& levels = GetParam().levels;
    std::vector<GAMESTATISTICS> records = {Record(2878, 99, 99, 0, 100)};
    for (const Counters& c : levels) {
        records.push_back(Record(2878, c.played, c.won, c.lost, c.percent));
    }
    WriteFile(records);
    s_nMaxLevels = static_cast<int>(levels.size());
    s_nCurrLevel = s_nMaxLevels;
    const Counters& last = levels.back();
    GAMESTATISTICS gs = Record(0, last.played, last.won, last.lost, last.percent);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), 0);

    const GAMESTATISTICS overall = FileRecord(0);
    EXPECT_EQ(CountersOf(overall), GetParam().overall);
    EXPECT_EQ(overall.Get(GAMESTATISTICS::nVersion), 2878);
    EXPECT_EQ(overall.Get(GAMESTATISTICS::nFiller1), 0);
    EXPECT_EQ(overall.Get(GAMESTATISTICS::nFiller4), 0);
    EXPECT_EQ(CountersOf(FileRecord(s_nCurrLevel)), last);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatisticsRecompute,
    testing::Values(Recompute{"WorkedExample", {{4, 2, 2, 50}, {2, 1, 1, 50}}, {8, 4, 4, 50}},
                    Recompute{"Truncated", {{1, 0, 1, 0}, {1, 1, 0, 100}}, {3, 2, 1, 66}},
                    Recompute{"NothingPlayed", {{0, 0, 0, 0}, {0, 0, 0, 0}}, {0, 0, 0, 0}},
                    Recompute{"SaturatesAtTheLimit",
                              {{INT_MAX, INT_MAX, 0, 100}, {INT_MAX, 0, INT_MAX, 0}},
                              {INT_MAX, INT_MAX, INT_MAX, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatisticsFile, LevelsBeyondTheEndCountAsEmpty) {
    // Level 1 lies in the file, level 2 is appended; the many announced levels after it have
    // no records and add nothing (nor take forever).
    WriteFile({Record(2878, 6, 3, 3, 50), Record(2878, 6, 3, 3, 50)});
    s_nMaxLevels = INT_MAX;
    s_nCurrLevel = 2;
    GAMESTATISTICS gs = Record(0, 1, 1, 0, 100);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), 0);
    EXPECT_EQ(FileBytes().size(), 3 * 36);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{8, 5, 3, 62}));
}

TEST_F(StatisticsFile, ShortFilesReadAsZeroCounters) {
    GAMESTATISTICS gs = Record(1, 1, 1, 1, 1);
    WriteRaw(QByteArray());
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(gs.bytes, GAMESTATISTICS{}.bytes);

    // A current-format file without the level's record.
    WriteFile({Record(2878, 6, 3, 3, 50)});
    s_nCurrLevel = 3;
    gs = Record(1, 1, 1, 1, 1);
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(gs.bytes, GAMESTATISTICS{}.bytes);

    // Half a record: the missing half is zero, not scrambled filler.
    QByteArray half = FileBytes().left(12);
    WriteRaw(half);
    s_nCurrLevel = 0;
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), 0);
    EXPECT_EQ(CountersOf(gs), (Counters{6, 0, 0, 0}));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(StatisticsFile, NegativeLevelNeverReachesTheFile) {
    WriteFile({Record(2878, 6, 3, 3, 50)});
    const QByteArray before = FileBytes();
    s_nCurrLevel = -1;
    GAMESTATISTICS gs = Record(0, 1, 1, 0, 100);
    EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), -1);
    EXPECT_EQ(gs.bytes, GAMESTATISTICS{}.bytes);
    gs = Record(0, 1, 1, 0, 100);
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(m_path, gs), -1);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_lines.last(),
              QStringLiteral("} CGameStatisticsDlg::WriteStatistics() (-1 /* error */)"));
}

TEST_F(StatisticsFile, UnwritablePathChangesNothing) {
    const QString path = m_dir.filePath(QStringLiteral("missing/Druno.sta"));
    GAMESTATISTICS gs = Record(0, 1, 1, 0, 100);
    const GAMESTATISTICS before = gs;
    EXPECT_EQ(CGameStatisticsDlg::WriteStatistics(path, gs), -1);
    EXPECT_EQ(gs.bytes, before.bytes);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].type, 16u);
}

}  // namespace

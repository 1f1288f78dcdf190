// Counting won and lost games, and the level information.

#include "stats/GameStatisticsDlg.h"
#include "tests/stats/StatsFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {

using StatisticsService = StatsFixture;

TEST_F(StatisticsService, FirstWinCreatesTheFileWithoutAMessage) {
    EXPECT_EQ(GameStatisticsAddWon(m_path), 0);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(FileBytes().size(), 36);
    EXPECT_EQ(FileRecord(0).Get(GAMESTATISTICS::nVersion), 2878);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{1, 1, 0, 100}));

    const QStringList expected = {
        QStringLiteral("GameStatisticsAddWon() {"),
        QStringLiteral("CGameStatisticsDlg::ReadStatistics() {"),
        PathLine(),
        QStringLiteral("} CGameStatisticsDlg::ReadStatistics() (-1 /* error */)"),
        QStringLiteral("CGameStatisticsDlg::DbgGAMESTATISTICS() {"),
        QStringLiteral("s_nMaxLevels=0"),
        QStringLiteral("s_nCurrLevel=0"),
        QStringLiteral("gs.nVersion=0"),
        QStringLiteral("gs.nGamesPlayed=1"),
        QStringLiteral("gs.nGamesLost=0"),
        QStringLiteral("gs.nGamesWon=1"),
        QStringLiteral("gs.nGamesWonPercent=100"),
        QStringLiteral("} CGameStatisticsDlg::DbgGAMESTATISTICS()"),
        QStringLiteral("CGameStatisticsDlg::WriteStatistics() {"),
        PathLine(),
        QStringLiteral("CGameStatisticsDlg::DbgGAMESTATISTICS() {"),
        QStringLiteral("s_nMaxLevels=0"),
        QStringLiteral("s_nCurrLevel=0"),
        QStringLiteral("gs.nVersion=2878"),
        QStringLiteral("gs.nGamesPlayed=1"),
        QStringLiteral("gs.nGamesLost=0"),
        QStringLiteral("gs.nGamesWon=1"),
        QStringLiteral("gs.nGamesWonPercent=100"),
        QStringLiteral("} CGameStatisticsDlg::DbgGAMESTATISTICS()"),
        QStringLiteral("version 3.x"),
        QStringLiteral("} CGameStatisticsDlg::WriteStatistics() (0 /* OK */)"),
        QStringLiteral("} GameStatisticsAddWon()"),
    };
    EXPECT_EQ(m_lines, expected);
}

TEST_F(StatisticsService, WinsAndLossesAccumulate) {
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(GameStatisticsAddLost(m_path), 0);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{2, 1, 1, 50}));
    GameStatisticsAddLost(m_path);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{3, 1, 2, 33}));
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(m_lines.contains(QStringLiteral("} GameStatisticsAddLost()")));
}

TEST_F(StatisticsService, FirstLossOnANewFile) {
    GameStatisticsAddLost(m_path);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{1, 0, 1, 0}));
}

// A new player's data folder is made with the first count, private to the player; where it
// cannot be made, the count fails with the usual message.
TEST_F(StatisticsService, FirstCountMakesTheDataFolder) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QString data = m_dir.filePath(QStringLiteral("share"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const QString path = data + QStringLiteral("/Brantel/Druno/Druno.sta");
    GameStatisticsAddWon(path);
    GameStatisticsAddLost(path);
    EXPECT_TRUE(m_boxes.empty());
    m_path = path;
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{2, 1, 1, 50}));
    for (const QString& folder : {data, data + QStringLiteral("/Brantel/Druno")}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder.toStdString();
    }

    // A file where the folder should be.
    QFile(data + QStringLiteral("/Brantel")).rename(data + QStringLiteral("/moved"));
    QFile blocker(data + QStringLiteral("/Brantel"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    GameStatisticsAddWon(path);
    ASSERT_FALSE(m_boxes.empty());
    EXPECT_EQ(m_boxes.back().text, QStringLiteral("Error in opening statistics file."));

    // Elsewhere no folder is made: a count into a missing folder only fails.
    m_boxes.clear();
    GameStatisticsAddWon(m_dir.filePath(QStringLiteral("gone/Druno.sta")));
    EXPECT_EQ(m_boxes.size(), 1u);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("gone"))));
    qputenv("XDG_DATA_HOME", saved);
}

TEST_F(StatisticsService, CountsGoToTheCurrentLevel) {
    WriteFile({Record(2878, 0, 0, 0, 0), Record(2878, 1, 0, 1, 0)});
    GameStatisticsSetLevelInfo(2, 1);
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(CountersOf(FileRecord(1)), (Counters{2, 1, 1, 50}));
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{2, 1, 1, 50}));  // level 1 weighs once
}

// Damaged records: counts that cannot be (negative, more won and lost than played, a
// percentage beyond 100) are never added to. The file's bytes are kept aside under a new name,
// the player is told where, and the count starts again from zero. Counts at their limit that
// can be stay there and never wrap.
struct Damaged {
    const char* name;
    Counters stored;
    bool won;
    Counters counted;
    bool damaged;
};

class StatisticsDamaged : public StatsFixture, public testing::WithParamInterface<Damaged> {};

TEST_P(StatisticsDamaged, CountingStaysSane) {
    const Damaged& c = GetParam();
    WriteFile({Record(2878, c.stored.played, c.stored.won, c.stored.lost, c.stored.percent)});
    const QByteArray before = FileBytes();
    if (c.won) {
        GameStatisticsAddWon(m_path);
    } else {
        GameStatisticsAddLost(m_path);
    }
    EXPECT_EQ(CountersOf(FileRecord(0)), c.counted);
    const QString copy = m_path + QStringLiteral(".damaged");
    if (!c.damaged) {
        EXPECT_TRUE(m_boxes.empty());
        EXPECT_FALSE(QFile::exists(copy));
        return;
    }
    EXPECT_EQ(StatisticsFileBytes(copy), before);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].type, 48u);
    EXPECT_EQ(m_boxes[0].text,
              QStringLiteral("The statistics file was damaged: some of its counts could not be "
                             "read. A copy of the file is kept as %1, and the damaged counts "
                             "start again from zero.")
                  .arg(copy));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatisticsDamaged,
    testing::Values(
        Damaged{"PlayedMinusOne", {-1, 0, 0, 0}, false, {1, 0, 1, 0}, true},
        Damaged{"AtTheLimit", {INT_MAX, INT_MAX, 0, 100}, true, {INT_MAX, INT_MAX, 0, 100}, false},
        Damaged{"MoreWonThanPlayed", {1, 50, 0, 0}, true, {1, 1, 0, 100}, true},
        Damaged{"MoreLostThanPlayed", {3, 1, 5, 33}, false, {1, 0, 1, 0}, true},
        Damaged{"PercentAbove100", {4, 2, 2, 150}, true, {1, 1, 0, 100}, true},
        Damaged{"NegativeWon", {4, -20, 0, 0}, false, {1, 0, 1, 0}, true},
        Damaged{"MostNegative", {INT_MIN, INT_MIN, INT_MIN, 0}, true, {1, 1, 0, 100}, true},
        // A file of zero bytes: every word reads as 1,515,870,810.
        Damaged{"ZeroBytesOnDisk",
                {0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A},
                true,
                {1, 1, 0, 100},
                true}),
    [](const auto& info) { return std::string(info.param.name); });

// A second damaged count finds the first copy kept and keeps its own beside it.
TEST_F(StatisticsService, EveryDamagedFileIsKeptUnderANameOfItsOwn) {
    const QByteArray first = StatisticsBytes({Record(2878, 1, 9, 0, 0)});
    const QByteArray second = StatisticsBytes({Record(2878, -4, 0, 0, 0)});
    WriteRaw(first);
    GameStatisticsAddWon(m_path);
    WriteRaw(second);
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(StatisticsFileBytes(m_path + QStringLiteral(".damaged")), first);
    EXPECT_EQ(StatisticsFileBytes(m_path + QStringLiteral(".damaged-2")), second);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{1, 1, 0, 100}));
}

// Where no copy can be made, the damaged bytes stay as they are and the game is not counted;
// the player hears that the file cannot be used.
TEST_F(StatisticsService, ADamagedFileThatCannotBeKeptIsLeftAlone) {
    WriteFile({Record(2878, 2, 5, 0, 0)});
    const QByteArray before = FileBytes();
    // Every name a copy could take is taken already.
    for (int n = 1; n <= 99; ++n) {
        const QString name = m_path + QStringLiteral(".damaged") +
                             (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        ASSERT_TRUE(WriteStatisticsFile(name, QByteArray("earlier copy")));
    }
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(StatisticsFileBytes(m_path + QStringLiteral(".damaged-99")), "earlier copy");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Error in opening statistics file."));
}

// In a folder that other users can write, someone else may have put Druno.sta there first: a
// link to one of the player's own files, or a file of their own. Counting must never write
// through either; the player is told, as for any file that cannot be opened. The player's own
// file there counts as ever.
struct SharedFolderCase {
    const char* name;
    mode_t folderMode;
    enum { OwnFile, LinkToVictim, ForeignFile, HardLinkToVictim } plant;
    bool counts;
};

void PrintTo(const SharedFolderCase& c, std::ostream* out) {
    *out << c.name;
}

class StatisticsSharedFolder : public StatsFixture,
                               public testing::WithParamInterface<SharedFolderCase> {};

TEST_P(StatisticsSharedFolder, OnlyThePlayersOwnFileIsUsed) {
    const SharedFolderCase& c = GetParam();
    // The link's target lies outside the shared folder, as a file in the player's home would:
    // notes, or (where the link is the player's own doing) the statistics kept elsewhere.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString victim = home.filePath(QStringLiteral("notes.txt"));
    const QByteArray victimBytes = c.counts ? StatisticsBytes({Record(2878, 4, 1, 3, 25)})
                                            : QByteArray("the player's own notes\n");
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(victimBytes);
    }
    const QByteArray shared = QFile::encodeName(m_dir.path());
    const QByteArray path = QFile::encodeName(m_path);
    switch (c.plant) {
        case SharedFolderCase::OwnFile:
            WriteFile({Record(2878, 4, 1, 3, 25)});
            break;
        case SharedFolderCase::LinkToVictim:
            ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), path.constData()), 0);
            break;
        case SharedFolderCase::HardLinkToVictim:
            ASSERT_EQ(::link(QFile::encodeName(victim).constData(), path.constData()), 0);
            break;
        case SharedFolderCase::ForeignFile:
            // Another user's file: only root can make one here.
            if (::geteuid() != 0) {
                GTEST_SKIP() << "needs root to give a file to another user";
            }
            WriteFile({Record(2878, 4, 1, 3, 25)});
            ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);
            break;
    }
    ASSERT_EQ(::chmod(shared.constData(), c.folderMode), 0);
    const QByteArray before = FileBytes();

    GameStatisticsAddWon(m_path);
    ::chmod(shared.constData(), 0700);

    if (c.counts) {
        EXPECT_TRUE(m_boxes.empty());
        EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{5, 2, 3, 40}));
        return;
    }
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), victimBytes);
    EXPECT_EQ(FileBytes(), before);
    ASSERT_FALSE(m_boxes.empty());
    for (const ShownBox& box : m_boxes) {
        EXPECT_EQ(box.text, QStringLiteral("Error in opening statistics file."));
        EXPECT_EQ(box.type, 16u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Plants, StatisticsSharedFolder,
    testing::Values(
        SharedFolderCase{"OwnFileInStickyFolder", 01777, SharedFolderCase::OwnFile, true},
        SharedFolderCase{"LinkInStickyFolder", 01777, SharedFolderCase::LinkToVictim, false},
        SharedFolderCase{"LinkInGroupFolder", 0770, SharedFolderCase::LinkToVictim, false},
        SharedFolderCase{"HardLinkInOpenFolder", 0777, SharedFolderCase::HardLinkToVictim, false},
        SharedFolderCase{"ForeignFileInStickyFolder", 01777, SharedFolderCase::ForeignFile, false},
        // The player's own folder: a link there is the player's choice, and is followed.
        SharedFolderCase{"LinkInPrivateFolder", 0700, SharedFolderCase::LinkToVictim, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatisticsService, LevelInfoIsStoredAsGiven) {
    EXPECT_EQ(GameStatisticsSetLevelInfo(3, -2), 0);
    EXPECT_EQ(s_nMaxLevels, 3);
    EXPECT_EQ(s_nCurrLevel, -2);
    EXPECT_EQ(m_lines,
              QStringList({QStringLiteral("GameStatisticsSetLevelInfo() {"),
                           QStringLiteral("s_nMaxLevels=3"), QStringLiteral("s_nCurrLevel=-2"),
                           QStringLiteral("} GameStatisticsSetLevelInfo()")}));

    // A negative level: the count is refused with the message, the file stays as it was.
    WriteFile({Record(2878, 2, 1, 1, 50)});
    const QByteArray before = FileBytes();
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(m_boxes.size(), 2u);

    m_lines.clear();
    EXPECT_EQ(GameStatisticsSetCustomLevels(QStringLiteral("Easy|Hard")), 0);
    EXPECT_EQ(s_strCustomLevels, QStringLiteral("Easy|Hard"));
    EXPECT_TRUE(m_lines.isEmpty());
}

}  // namespace

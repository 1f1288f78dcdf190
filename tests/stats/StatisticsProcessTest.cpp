// Statistics across processes: games counting at once, and where a running game keeps its
// file. Each game here is a real process (statistics_counter) that counts won games.

#include "platform/core/File.h"
#include "tests/stats/StatsFixture.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

const QString kCounter = QStringLiteral(STATISTICS_COUNTER);
constexpr uid_t kNobody = 65534;

class StatisticsProcesses : public StatsFixture {
protected:
    // Starts a game that counts `count` wins into file (or into its own place when empty) and
    // waits until it is ready to count.
    void Start(QProcess& game, const QString& program, int count, const QByteArray& file = {},
               bool asNobody = false, int level = 0) {
        QStringList args = {QString::number(count)};
        if (!file.isEmpty()) {
            args << platform::DecodeFileName(file);
        }
        if (level > 0) {
            args << QString::number(level);
        }
        game.setProgram(program);
        game.setArguments(args);
        game.setProcessEnvironment(m_env);
        if (asNobody) {
            game.setChildProcessModifier([] {
                if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                    ::_exit(3);
                }
            });
        }
        game.start();
        ASSERT_TRUE(game.waitForStarted(-1));
        while (!m_output[&game].contains("ready\n")) {
            ASSERT_TRUE(game.waitForReadyRead(-1)) << game.readAllStandardError().toStdString();
            m_output[&game] += game.readAllStandardOutput();
        }
    }
    void Go(QProcess& game) {
        game.write("go\n");
        game.closeWriteChannel();
    }
    // Waits for the game's end; what it printed.
    QByteArray Finish(QProcess& game) {
        EXPECT_TRUE(game.waitForFinished(-1));
        EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
        return m_output[&game] + game.readAllStandardOutput();
    }
    // Waits until the game says it waits for a file another holds; fails if it ends first.
    void WaitUntilWaiting(QProcess& game) {
        while (!m_output[&game].contains("waiting\n") && game.state() != QProcess::NotRunning) {
            game.waitForReadyRead(-1);
            m_output[&game] += game.readAllStandardOutput();
        }
        ASSERT_EQ(game.state(), QProcess::Running) << "the count did not wait for the file";
    }
    static GAMESTATISTICS RecordIn(const QByteArray& file) {
        std::ifstream in(file.constData(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const std::optional<GAMESTATISTICS> gs =
            StatisticsRecordAt(QByteArray::fromStdString(bytes));
        EXPECT_TRUE(gs.has_value()) << file.constData();
        return gs.value_or(GAMESTATISTICS{});
    }
    QByteArray Path() const { return QFile::encodeName(m_path); }

    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    std::map<QProcess*, QByteArray> m_output;
};

TEST_F(StatisticsProcesses, TwoGamesCountingAtOnceLoseNothing) {
    constexpr int kEach = 1000;
    QProcess first;
    QProcess second;
    Start(first, kCounter, kEach, Path());
    Start(second, kCounter, kEach, Path());
    Go(first);
    Go(second);
    const QByteArray printed = Finish(first) + Finish(second);
    EXPECT_FALSE(printed.contains("box:")) << printed.constData();
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{2 * kEach, 2 * kEach, 0, 100}));
}

// A count holds the file from its read to its write. While another game holds it (here a
// shared hold, which would let a plain read through), the count must wait before reading: a
// change that lands meanwhile is counted on top of, never written over. Reading first and
// waiting only to write is how 10 wins and two more came to make 11.
TEST_F(StatisticsProcesses, ACountReadsOnlyOnceItHoldsTheFile) {
    WriteFile({Record(2878, 10, 10, 0, 100)});
    const int held = ::open(Path().constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_SH), 0);

    QProcess game;
    // Waiting far longer than this test takes: here the count must not give up.
    m_env.insert(QStringLiteral("DRUNO_LOCK_WAIT_MS"), QStringLiteral("600000"));
    Start(game, kCounter, 1, Path());
    Go(game);
    WaitUntilWaiting(game);

    // The other game's win lands: 11. Then it lets go.
    const QByteArray eleven = StatisticsBytes({Record(2878, 11, 11, 0, 100)});
    ASSERT_EQ(::pwrite(held, eleven.constData(), GAMESTATISTICS::kSize, 0), GAMESTATISTICS::kSize);
    ::close(held);
    Finish(game);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{12, 12, 0, 100}));
}

// A three-digit game counts a win while a four-digit game, counting its first round, gives the
// one-record file its level records. Whether the file goes by levels is judged once the count
// holds the file: the win lands in the three-digit record, and the overall record stays the
// weighted sum of the levels, as every later count recomputes it.
TEST_F(StatisticsProcesses, ACountDuringAnotherGamesFirstLevelCountKeepsItsLevel) {
    WriteFile({Record(2878, 10, 4, 6, 40)});
    const int held = ::open(Path().constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    QProcess game;
    m_env.insert(QStringLiteral("DRUNO_LOCK_WAIT_MS"), QStringLiteral("600000"));
    Start(game, kCounter, 1, Path(), false, 1);
    Go(game);
    WaitUntilWaiting(game);

    // The four-digit game's first count: the old record becomes level 1's, its win level 2's.
    const QByteArray migrated =
        StatisticsBytes({Record(2878, 12, 6, 6, 50), Record(2878, 10, 4, 6, 40),
                         Record(2878, 1, 1, 0, 100), Record(2878, 0, 0, 0, 0)});
    ASSERT_EQ(::pwrite(held, migrated.constData(), migrated.size(), 0), migrated.size());
    ::close(held);
    const QByteArray printed = Finish(game);
    EXPECT_FALSE(printed.contains("box:")) << printed.constData();
    EXPECT_EQ(CountersOf(FileRecord(1)), (Counters{11, 5, 6, 45}));
    EXPECT_EQ(CountersOf(FileRecord(2)), (Counters{1, 1, 0, 100}));
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{13, 7, 6, 53}));
}

// Where a game installed in a folder keeps its statistics.
struct Install {
    const char* name;
    QByteArray folder;  // below the test's folder, as bytes
    bool readOnly;
    bool inDataFolder;
    bool rootsFile = false;  // a Druno.sta beside the program that root's run left there
};

class StatisticsInstalls : public StatisticsProcesses,
                           public testing::WithParamInterface<Install> {};

TEST_P(StatisticsInstalls, CountsLandInTheirPlace) {
    const Install& c = GetParam();
    const QByteArray root = QFile::encodeName(m_dir.path());
    const QByteArray folder = root + "/" + c.folder;
    const QByteArray home = root + "/home";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(home.constData(), 0777), 0);
    // A copy of the game in the folder, as an install would put it there.
    const QByteArray program = folder + "/druno";
    {
        std::ifstream in(QFile::encodeName(kCounter).constData(), std::ios::binary);
        std::ofstream out(program.constData(), std::ios::binary);
        out << in.rdbuf();
        ASSERT_TRUE(out.good());
    }
    ASSERT_EQ(::chmod(program.constData(), 0755), 0);
    const QByteArray beside = folder + "/Druno.sta";
    const QByteArray rootsBytes = StatisticsBytes({Record(2878, 7, 7, 0, 100)});
    if (c.rootsFile) {
        ASSERT_TRUE(WriteStatisticsFile(QFile::decodeName(beside), rootsBytes));
        ASSERT_EQ(::chmod(beside.constData(), 0644), 0);
    }
    // Someone else's folder: for root (who may write anywhere) the game runs as nobody.
    const bool asNobody = c.readOnly && ::geteuid() == 0;
    if (c.readOnly) {
        ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
        ASSERT_EQ(::chmod(root.constData(), 0755), 0);
        ASSERT_EQ(::chmod(home.constData(), 0777), 0);
    }
    m_env.insert(QStringLiteral("HOME"), QString::fromUtf8(home));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromUtf8(home + "/data"));

    // Started through a link with a plain name, as a menu entry would; the running game sees
    // its real name.
    const QString launcher = m_dir.filePath(QStringLiteral("launch"));
    ASSERT_EQ(::symlink(program.constData(), QFile::encodeName(launcher).constData()), 0);
    QProcess game;
    Start(game, launcher, 2, {}, asNobody);
    Go(game);
    const QByteArray printed = Finish(game);
    ::chmod(folder.constData(), 0755);

    const QByteArray expected =
        c.inDataFolder ? home + "/data/Brantel/Druno/Druno.sta" : folder + "/Druno.sta";
    EXPECT_FALSE(printed.contains("box:")) << printed.constData();
    EXPECT_EQ(CountersOf(RecordIn(expected)), (Counters{2, 2, 0, 100}));
    struct stat info {};
    if (c.rootsFile) {
        EXPECT_EQ(StatisticsFileBytes(QFile::decodeName(beside)), rootsBytes);
        return;
    }
    EXPECT_EQ(::stat(beside.constData(), &info) == 0, !c.inDataFolder);
    if (c.inDataFolder) {
        ASSERT_EQ(::stat((home + "/data/Brantel/Druno").constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, StatisticsInstalls,
                         testing::Values(Install{"Portable", "games", false, false},
                                         Install{"BackslashInTheName", "my\\games", false, false},
                                         Install{"NameNotUtf8", "g\xffmes\xe9", false, false},
                                         Install{"ReadOnlyFolder", "system", true, true},
                                         Install{"RootsFileBesideTheProgram", "games", true, true,
                                                 true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

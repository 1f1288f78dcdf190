// The journal of rounds on real files in a temporary folder: what it keeps, what a damaged or
// foreign file does to it, the schema's versions, two games writing at once, and the CSV.

#include "platform/journal/Journal.h"
#include "platform/journal/JournalCsv.h"
#include "platform/journal/JournalWriter.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <ostream>

using platform::Journal;
using platform::JournalGuess;
using platform::JournalRound;
using platform::JournalStatus;
using platform::JournalWriter;
using platform::RoundOutcome;

namespace {

constexpr int kLongWaitMs = 60000;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A round as a game records it: started, three guesses, ended.
void Record(Journal& journal, int level, RoundOutcome outcome, int attempts) {
    std::int64_t id = 0;
    ASSERT_EQ(journal.BeginRound(QDateTime::currentMSecsSinceEpoch(), level, level + 2, &id),
              JournalStatus::Ok);
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        ASSERT_EQ(journal.AddGuess(id, attempt, {QStringLiteral("012"), 1, 1}), JournalStatus::Ok);
    }
    ASSERT_EQ(journal.EndRound(id, outcome, attempts, QDateTime::currentMSecsSinceEpoch(), 1500,
                               QStringLiteral("210")),
              JournalStatus::Ok);
}

// A journal of n won rounds, closed (its log folded back into the file).
void MakeJournal(const QString& path, int rounds) {
    Journal journal(path);
    ASSERT_EQ(journal.Open(Journal::Mode::Write), JournalStatus::Ok);
    for (int i = 0; i < rounds; ++i) {
        Record(journal, 1, RoundOutcome::Won, 3);
    }
}

std::vector<JournalRound> ReadAll(const QString& path) {
    Journal journal(path);
    std::vector<JournalRound> rounds;
    EXPECT_EQ(journal.Open(Journal::Mode::Read), JournalStatus::Ok);
    EXPECT_EQ(journal.ReadRounds(&rounds, true), JournalStatus::Ok);
    return rounds;
}

// Runs SQL on a connection of the test's own, outside the journal's code.
void RawSql(const QString& path, const QString& sql) {
    const QString name = QStringLiteral("raw");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
    }
    QSqlDatabase::removeDatabase(name);
}

class JournalFiles : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const char* name = "Journal.sqlite") const {
        return m_dir.filePath(QString::fromLatin1(name));
    }
    QTemporaryDir m_dir;
};

// ---- Damaged and foreign journals -------------------------------------------------------

struct BadJournal {
    const char* name;
    std::function<void(const QString& path, const QString& folder)> make;
    JournalStatus status;
    bool setAside = false;  // damaged: moved away, a new journal in its place
};

void PrintTo(const BadJournal& c, std::ostream* out) {
    *out << c.name;
}

class DamagedJournal : public JournalFiles, public testing::WithParamInterface<BadJournal> {};

// Whatever lies where the journal should be, the game's records return at once and the player
// is told once. A damaged file keeps its every byte under a name of its own and a new journal
// takes the round; anything else stays exactly as it was, and nothing is recorded.
TEST_P(DamagedJournal, NeverStopsTheGameAndKeepsTheFile) {
    const BadJournal& c = GetParam();
    if (std::string(c.name) == "anotherUsers" && ::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    const QString path = Path();
    c.make(path, m_dir.path());
    struct stat before {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0);
    const QByteArray bytes = S_ISREG(before.st_mode) ? Bytes(path) : QByteArray();

    JournalWriter writer(path);
    const std::int64_t round = writer.BeginRound(1, 3);
    writer.AddGuess(round, 1, {QStringLiteral("123"), 0, 1});
    writer.EndRound(round, RoundOutcome::Lost, 1, QStringLiteral("456"));
    ASSERT_TRUE(writer.WaitUntilWritten(kLongWaitMs));

    const platform::JournalProblem problem = writer.TakeProblem();
    EXPECT_EQ(problem.status, c.status);
    EXPECT_EQ(writer.TakeProblem().status, JournalStatus::Ok) << "told twice";

    if (c.setAside) {
        EXPECT_NE(problem.file, path);
        EXPECT_EQ(Bytes(problem.file), bytes) << "the damaged file was not kept as it was";
        const std::vector<JournalRound> rounds = ReadAll(path);
        ASSERT_EQ(rounds.size(), 1u);
        EXPECT_EQ(rounds[0].outcome, RoundOutcome::Lost);
        return;
    }
    EXPECT_EQ(problem.file, path);
    struct stat after {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    if (S_ISREG(before.st_mode)) {
        EXPECT_EQ(Bytes(path), bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedJournal,
    testing::Values(BadJournal{"notADatabase",
                               [](const QString& path, const QString&) {
                                   WriteBytes(path,
                                              QByteArray("rounds: 3 won, 2 lost\n").repeated(400));
                               },
                               JournalStatus::Damaged, true},
                    BadJournal{"truncated",
                               [](const QString& path, const QString&) {
                                   MakeJournal(path, 300);
                                   QFile file(path);
                                   file.resize(file.size() / 2);
                               },
                               JournalStatus::Damaged, true},
                    BadJournal{"newerSchema",
                               [](const QString& path, const QString&) {
                                   MakeJournal(path, 2);
                                   RawSql(path, QStringLiteral("PRAGMA user_version = 99"));
                               },
                               JournalStatus::Newer},
                    BadJournal{"readOnly",
                               [](const QString& path, const QString&) {
                                   MakeJournal(path, 2);
                                   ::chmod(QFile::encodeName(path).constData(), 0444);
                               },
                               JournalStatus::ReadOnly},
                    BadJournal{"link",
                               [](const QString& path, const QString& folder) {
                                   const QString target =
                                       folder + QStringLiteral("/elsewhere.sqlite");
                                   MakeJournal(target, 2);
                                   ::symlink(QFile::encodeName(target).constData(),
                                             QFile::encodeName(path).constData());
                               },
                               JournalStatus::NotAFile},
                    BadJournal{"fifo",
                               [](const QString& path, const QString&) {
                                   ::mkfifo(QFile::encodeName(path).constData(), 0600);
                               },
                               JournalStatus::NotAFile},
                    BadJournal{"anotherUsers",
                               [](const QString& path, const QString&) {
                                   MakeJournal(path, 2);
                                   [[maybe_unused]] const int result =
                                       ::chown(QFile::encodeName(path).constData(), 65534, 65534);
                               },
                               JournalStatus::NotAFile}),
    [](const testing::TestParamInfo<BadJournal>& info) { return std::string(info.param.name); });

// A disk that takes no more bytes: the rounds stay queued, the player is told once, and
// they are all written once there is room again.
TEST_F(JournalFiles, AFullDiskKeepsTheRoundsForLater) {
    const QString path = Path();
    MakeJournal(path, 1);
    JournalWriter writer(path);
    writer.OpenExisting();
    ASSERT_TRUE(writer.WaitUntilWritten(kLongWaitMs));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = saved;
    full.rlim_cur = 1;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    const std::int64_t round = writer.BeginRound(2, 4);
    writer.AddGuess(round, 1, {QStringLiteral("1234"), 2, 0});
    writer.EndRound(round, RoundOutcome::GivenUp, 1, QStringLiteral("1243"));
    const bool written = writer.WaitUntilWritten(500);
    const platform::JournalProblem problem = writer.TakeProblem();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(problem.status, JournalStatus::CannotWrite);
    // The next record is the next chance.
    const std::int64_t next = writer.BeginRound(1, 3);
    writer.EndRound(next, RoundOutcome::Won, 0, QStringLiteral("123"));
    ASSERT_TRUE(writer.WaitUntilWritten(kLongWaitMs));
    EXPECT_EQ(writer.TakeProblem().status, JournalStatus::Ok);

    const std::vector<JournalRound> rounds = ReadAll(path);
    ASSERT_EQ(rounds.size(), 3u);
    EXPECT_EQ(rounds[1].outcome, RoundOutcome::GivenUp);
    EXPECT_EQ(rounds[1].guesses, (std::vector<JournalGuess>{{QStringLiteral("1234"), 2, 0}}));
    EXPECT_EQ(rounds[2].outcome, RoundOutcome::Won);
}

// Another game holding the journal never holds up a record: the calls return, and what they
// recorded is written once the journal is free.
TEST_F(JournalFiles, ABusyJournalKeepsTheRoundsForLater) {
    const QString path = Path();
    MakeJournal(path, 0);
    const QString name = QStringLiteral("holder");
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        holder.setDatabaseName(path);
        ASSERT_TRUE(holder.open());
        QSqlQuery query(holder);
        ASSERT_TRUE(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        JournalWriter writer(path);
        const std::int64_t round = writer.BeginRound(1, 3);
        writer.EndRound(round, RoundOutcome::Won, 0, QStringLiteral("123"));
        EXPECT_FALSE(writer.WaitUntilWritten(0));
        ASSERT_TRUE(query.exec(QStringLiteral("COMMIT")));
        ASSERT_TRUE(writer.WaitUntilWritten(kLongWaitMs));
        EXPECT_EQ(writer.TakeProblem().status, JournalStatus::Ok);
    }
    QSqlDatabase::removeDatabase(name);
    ASSERT_EQ(ReadAll(path).size(), 1u);
}

// ---- The schema ------------------------------------------------------------------------

// An empty file (a journal made and never written) is brought to the schema; a journal of the
// current schema opens as it is; one of a newer schema is left alone, rounds and all.
TEST_F(JournalFiles, TheSchemaIsVersionedAndBroughtUpToDate) {
    const QString path = Path();
    ASSERT_TRUE(WriteBytes(path, {}));
    MakeJournal(path, 1);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), Journal::kSchemaVersion);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("wal"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v"));
    MakeJournal(path, 1);
    EXPECT_EQ(ReadAll(path).size(), 2u);

    RawSql(path, QStringLiteral("PRAGMA user_version = %1").arg(Journal::kSchemaVersion + 1));
    Journal journal(path);
    EXPECT_EQ(journal.Open(Journal::Mode::Write), JournalStatus::Newer);
    EXPECT_FALSE(journal.IsOpen());
}

// Forget empties the journal of ended rounds and counts from then on; a round still being
// played stays, so that its game goes on recording it.
TEST_F(JournalFiles, ForgetKeepsTheRoundsBeingPlayed) {
    Journal journal(Path());
    ASSERT_EQ(journal.Open(Journal::Mode::Write), JournalStatus::Ok);
    Record(journal, 1, RoundOutcome::Won, 2);
    std::int64_t playing = 0;
    ASSERT_EQ(journal.BeginRound(QDateTime::currentMSecsSinceEpoch(), 3, 5, &playing),
              JournalStatus::Ok);
    const std::int64_t before = QDateTime::currentMSecsSinceEpoch();
    ASSERT_EQ(journal.Forget(), JournalStatus::Ok);
    EXPECT_GE(journal.CountingSince(), before);
    ASSERT_EQ(journal.AddGuess(playing, 1, {QStringLiteral("12345"), 0, 0}), JournalStatus::Ok);

    std::vector<JournalRound> rounds;
    ASSERT_EQ(journal.ReadRounds(&rounds, true), JournalStatus::Ok);
    ASSERT_EQ(rounds.size(), 1u);
    EXPECT_EQ(rounds[0].id, playing);
    EXPECT_EQ(rounds[0].outcome, RoundOutcome::Playing);
    EXPECT_EQ(rounds[0].guesses.size(), 1u);
}

// ---- Two games at once -----------------------------------------------------------------

// Two games record 250 rounds each into one journal at the same time: all 500 are there,
// each with its three guesses and its end.
TEST_F(JournalFiles, TwoGamesRecordTogether) {
    const QString path = Path();
    testing_support::ChildProcess first;
    testing_support::ChildProcess second;
    testing_support::ChildOptions options;
    options.program = JOURNAL_RECORDER;
    options.arguments = {path.toStdString(), "250"};
    options.endWait = std::chrono::seconds(120);
    ASSERT_TRUE(first.Start(options));
    ASSERT_TRUE(second.Start(options));
    const testing_support::ChildEnd firstEnd = first.Wait();
    const testing_support::ChildEnd secondEnd = second.Wait();
    EXPECT_TRUE(firstEnd.exited && firstEnd.exitCode == 0) << first.ErrorOutput();
    EXPECT_TRUE(secondEnd.exited && secondEnd.exitCode == 0) << second.ErrorOutput();

    const std::vector<JournalRound> rounds = ReadAll(path);
    ASSERT_EQ(rounds.size(), 500u);
    for (const JournalRound& round : rounds) {
        EXPECT_EQ(round.outcome, RoundOutcome::Won);
        EXPECT_EQ(round.guesses.size(), 3u);
    }
}

// ---- CSV -------------------------------------------------------------------------------

// The fields of RFC 4180 lines (quoted fields may hold commas, quotes and line breaks).
std::vector<QStringList> ParseCsv(const QString& text) {
    std::vector<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            fields << field;
            field.clear();
            lines.push_back(fields);
            fields.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return lines;
}

// The CSV, read back as a spreadsheet reads it, gives every round with its times, level,
// outcome, attempts, seconds, secret and guesses.
TEST_F(JournalFiles, TheCsvReadsBackAsTheRounds) {
    const QString path = Path();
    {
        Journal journal(path);
        ASSERT_EQ(journal.Open(Journal::Mode::Write), JournalStatus::Ok);
        Record(journal, 2, RoundOutcome::Won, 2);
        Record(journal, 1, RoundOutcome::DisplayLost, 1);
        std::int64_t playing = 0;
        ASSERT_EQ(journal.BeginRound(QDateTime::currentMSecsSinceEpoch() + 1000, 3, 5, &playing),
                  JournalStatus::Ok);
    }
    const std::vector<JournalRound> rounds = ReadAll(path);
    const QString csvPath = Path("rounds.csv");
    ASSERT_TRUE(platform::WriteJournalCsv(csvPath, rounds));

    const std::vector<QStringList> lines = ParseCsv(QString::fromUtf8(Bytes(csvPath)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].join(QLatin1Char(',')),
              QStringLiteral("started,ended,level,digits,outcome,attempts,seconds,secret,guesses"));
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const QStringList& fields = lines[i + 1];
        const JournalRound& round = rounds[i];
        ASSERT_EQ(fields.size(), 9);
        EXPECT_EQ(QDateTime::fromString(fields[0], Qt::ISODateWithMs).toMSecsSinceEpoch(),
                  round.startedMs);
        EXPECT_TRUE(fields[0].endsWith(QLatin1Char('Z'))) << "not UTC";
        EXPECT_EQ(fields[1].isEmpty()
                      ? 0
                      : QDateTime::fromString(fields[1], Qt::ISODateWithMs).toMSecsSinceEpoch(),
                  round.endedMs);
        EXPECT_EQ(fields[2].toInt(), round.level);
        EXPECT_EQ(fields[3].toInt(), round.digits);
        EXPECT_EQ(platform::OutcomeFromKeyword(fields[4]), round.outcome);
        EXPECT_EQ(fields[5].toInt(), round.attempts);
        EXPECT_DOUBLE_EQ(fields[6].toDouble() * 1000, static_cast<double>(round.spentMs));
        EXPECT_EQ(fields[7], round.secret);
        std::vector<JournalGuess> guesses;
        for (const QString& guess : fields[8].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList parts = guess.split(QLatin1Char(':'));
            ASSERT_EQ(parts.size(), 3);
            guesses.push_back({parts[0], parts[1].toInt(), parts[2].toInt()});
        }
        EXPECT_EQ(guesses, round.guesses);
    }
    EXPECT_EQ(lines[3][4], QStringLiteral("playing"));
}

}  // namespace

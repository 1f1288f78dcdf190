#include "platform/journal/Journal.h"

#include "platform/core/File.h"
#include "platform/core/Module.h"

#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <unordered_map>

namespace platform {

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

// Each step brings the schema from the version before it to its own. A new version appends a
// step; a journal is brought up to date one step after another, in one transaction.
const std::vector<std::vector<const char*>>& SchemaSteps() {
    static const std::vector<std::vector<const char*>> steps = {
        // 1: rounds with their guesses. Times are UTC milliseconds since 1970. A round being
        // played has no outcome; pid and boot name its game, so that a later game can tell a
        // round whose game has gone (a crash, a kill) from one still being played.
        {
            "CREATE TABLE rounds ("
            " id INTEGER PRIMARY KEY,"
            " started_ms INTEGER NOT NULL,"
            " ended_ms INTEGER,"
            " level INTEGER NOT NULL,"
            " digits INTEGER NOT NULL,"
            " outcome TEXT,"
            " attempts INTEGER NOT NULL DEFAULT 0,"
            " spent_ms INTEGER,"
            " secret TEXT,"
            " pid INTEGER,"
            " boot TEXT)",
            "CREATE INDEX rounds_playing ON rounds(id) WHERE outcome IS NULL",
            "CREATE TABLE guesses ("
            " round_id INTEGER NOT NULL,"
            " attempt INTEGER NOT NULL,"
            " digits TEXT NOT NULL,"
            " right_place INTEGER NOT NULL,"
            " elsewhere INTEGER NOT NULL,"
            " PRIMARY KEY (round_id, attempt)) WITHOUT ROWID",
            "CREATE TABLE facts (key TEXT PRIMARY KEY, value INTEGER)",
            "INSERT INTO facts (key, value) VALUES ('counting_since_ms', "
            "CAST((julianday('now') - 2440587.5) * 86400000 AS INTEGER))",
        },
    };
    return steps;
}

// SQLite's result codes, without the extended part.
JournalStatus StatusOf(const QSqlError& error) {
    switch (error.nativeErrorCode().toInt() & 0xff) {
        case 5:  // busy
        case 6:  // locked
            return JournalStatus::Busy;
        case 10:  // input or output error
        case 13:  // full
            return JournalStatus::CannotWrite;
        case 11:  // corrupt
        case 26:  // not a database
            return JournalStatus::Damaged;
        case 8:  // read-only
            return JournalStatus::ReadOnly;
        default:
            return JournalStatus::CannotOpen;
    }
}

// Runs one statement with its values bound in order.
JournalStatus Run(QSqlQuery& query, const QString& sql, const QVariantList& values = {}) {
    if (!query.prepare(sql)) {
        return StatusOf(query.lastError());
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    return query.exec() ? JournalStatus::Ok : StatusOf(query.lastError());
}

// Runs the body as one write transaction, taken at once so that waiting for another writer
// happens here and not halfway through; rolled back when the body fails.
JournalStatus InTransaction(QSqlQuery& query, const std::function<JournalStatus()>& body) {
    JournalStatus status = Run(query, QStringLiteral("BEGIN IMMEDIATE"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    status = body();
    if (status == JournalStatus::Ok) {
        status = Run(query, QStringLiteral("COMMIT"));
    }
    if (status != JournalStatus::Ok) {
        Run(query, QStringLiteral("ROLLBACK"));
    }
    return status;
}

// Runs statements in order until one fails.
JournalStatus RunAll(QSqlQuery& query, const std::vector<const char*>& statements) {
    for (const char* sql : statements) {
        const JournalStatus status = Run(query, QString::fromLatin1(sql));
        if (status != JournalStatus::Ok) {
            return status;
        }
    }
    return JournalStatus::Ok;
}

// Ok when name is absent or a regular file of our own; NotAFile otherwise (never followed).
JournalStatus CheckEntry(const QString& name, bool* exists, bool* writable = nullptr) {
    struct stat info {};
    if (::lstat(EncodeFileName(name).constData(), &info) != 0) {
        *exists = false;
        return errno == ENOENT ? JournalStatus::Ok : JournalStatus::CannotOpen;
    }
    *exists = true;
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        return JournalStatus::NotAFile;
    }
    // A file its owner has made read-only stays so, even for an administrator.
    if (writable != nullptr) {
        *writable = (info.st_mode & S_IWUSR) != 0;
    }
    return JournalStatus::Ok;
}

QString FolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// This boot of the machine: a process id names a game only within one boot.
const QString& BootId() {
    static const QString id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed())
                                              : QString();
    }();
    return id;
}

bool IsGameAlive(qint64 pid, const QString& boot) {
    if (boot != BootId() || pid <= 0) {
        return false;
    }
    if (pid == ::getpid()) {
        return true;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Renames without ever replacing a file that has the new name; errno on failure.
bool RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray source = EncodeFileName(from);
    const QByteArray target = EncodeFileName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the flag: a second name, then the first one goes.
    return ::link(source.constData(), target.constData()) == 0 && ::unlink(source.constData()) == 0;
}

std::int64_t NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

Journal::Journal(const QString& path) : m_path(path) {
    static std::atomic<int> s_connections{0};
    m_connection = QStringLiteral("druno-journal-%1").arg(++s_connections);
}

Journal::~Journal() {
    Close();
}

bool Journal::IsOpen() const {
    return QSqlDatabase::contains(m_connection) &&
           QSqlDatabase::database(m_connection, false).isOpen();
}

void Journal::Close() {
    if (!QSqlDatabase::contains(m_connection)) {
        return;
    }
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

JournalStatus Journal::Open(Mode mode, bool make) {
    Close();
    m_setAside.clear();
    JournalStatus status = OpenChecked(mode, make);
    if (status != JournalStatus::Damaged) {
        if (status != JournalStatus::Ok) {
            Close();
        }
        return status;
    }
    Close();
    status = SetAside();
    if (status != JournalStatus::Ok) {
        return status;
    }
    if (mode == Mode::Write) {
        status = OpenChecked(mode, true);
        if (status != JournalStatus::Ok) {
            Close();
            return status;
        }
    }
    return JournalStatus::Damaged;
}

JournalStatus Journal::OpenChecked(Mode mode, bool make) {
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        return JournalStatus::CannotOpen;
    }
    // The database and the two files SQLite keeps beside it must each be a plain file of the
    // player's own: SQLite would follow a link, and block for good on a FIFO.
    bool exists = false;
    for (const char* suffix : {"-wal", "-shm"}) {
        const JournalStatus status = CheckEntry(m_path + QLatin1String(suffix), &exists);
        if (status != JournalStatus::Ok) {
            return status;
        }
    }
    bool writable = true;
    JournalStatus status = CheckEntry(m_path, &exists, &writable);
    if (status != JournalStatus::Ok) {
        return status;
    }
    if (!exists) {
        if (mode == Mode::Read || !make) {
            return JournalStatus::Missing;
        }
        // Made here, readable by the player alone; SQLite gives its own files the same mode.
        MakeDataFolderFor(m_path);
        const int fd = ::open(EncodeFileName(m_path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            return errno == EACCES || errno == EROFS ? JournalStatus::ReadOnly
                                                     : JournalStatus::CannotOpen;
        }
        if (fd >= 0) {
            ::close(fd);
        }
        status = CheckEntry(m_path, &exists);
        if (status != JournalStatus::Ok) {
            return status;
        }
    }
    if (mode == Mode::Write &&
        (!writable || ::access(EncodeFileName(m_path).constData(), W_OK) != 0 ||
         ::access(EncodeFileName(FolderOf(m_path)).constData(), W_OK) != 0)) {
        return JournalStatus::ReadOnly;
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connection);
    db.setDatabaseName(m_path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kJournalWaitMs);
    if (mode == Mode::Read) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        return StatusOf(db.lastError());
    }
    return Prepare(mode);
}

// The journal's schema version; Newer when a later version of the game made it.
static JournalStatus ReadSchemaVersion(QSqlQuery& query, int& version) {
    const JournalStatus status = Run(query, QStringLiteral("PRAGMA user_version"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    version = query.next() ? query.value(0).toInt() : 0;
    return version > Journal::kSchemaVersion ? JournalStatus::Newer : JournalStatus::Ok;
}

JournalStatus Journal::Prepare(Mode mode) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    int version = 0;
    JournalStatus status = ReadSchemaVersion(query, version);
    if (status != JournalStatus::Ok) {
        return status;
    }
    // A quick look at every page: a truncated or scribbled file shows here, not halfway
    // through a round.
    status = Run(query, QStringLiteral("PRAGMA quick_check(1)"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    if (!query.next() || query.value(0).toString() != QLatin1String("ok")) {
        return JournalStatus::Damaged;
    }
    if (mode == Mode::Read) {
        return version == kSchemaVersion ? JournalStatus::Ok : JournalStatus::Missing;
    }
    // Readers and the one writer go on side by side; a commit reaches the disk at the next
    // checkpoint, and a power cut loses at most the last rounds, never the journal.
    status = Run(query, QStringLiteral("PRAGMA journal_mode=WAL"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    status = Run(query, QStringLiteral("PRAGMA synchronous=NORMAL"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    status = Migrate();
    if (status != JournalStatus::Ok) {
        return status;
    }
    return MarkUnfinished();
}

JournalStatus Journal::Migrate() {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    // The version is read again inside the transaction: another game may have just made it.
    return InTransaction(query, [&] {
        int version = 0;
        JournalStatus status = ReadSchemaVersion(query, version);
        if (status != JournalStatus::Ok) {
            return status;
        }
        for (int step = version; step < kSchemaVersion; ++step) {
            status = RunAll(query, SchemaSteps()[static_cast<std::size_t>(step)]);
            if (status != JournalStatus::Ok) {
                return status;
            }
        }
        return version == kSchemaVersion
                   ? JournalStatus::Ok
                   : Run(query, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

JournalStatus Journal::MarkUnfinished() {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    JournalStatus status =
        Run(query, QStringLiteral("SELECT id, pid, boot FROM rounds WHERE outcome IS NULL"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    QVariantList gone;
    while (query.next()) {
        if (!IsGameAlive(query.value(1).toLongLong(), query.value(2).toString())) {
            gone << query.value(0);
        }
    }
    query.finish();
    for (const QVariant& id : gone) {
        status = Run(
            query, QStringLiteral("UPDATE rounds SET outcome = ? WHERE id = ? AND outcome IS NULL"),
            {OutcomeKeyword(RoundOutcome::Unfinished), id});
        if (status != JournalStatus::Ok) {
            return status;
        }
    }
    return JournalStatus::Ok;
}

// The damaged file keeps its contents under a name with the time it was found, its
// write-ahead log and index beside it; nothing is deleted, nothing overwritten.
JournalStatus Journal::SetAside() {
    QString base = m_path;
    QString extension;
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > base.lastIndexOf(QLatin1Char('/'))) {
        extension = base.mid(dot);
        base.truncate(dot);
    }
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 1; attempt < 100; ++attempt) {
        QString name = base + QStringLiteral("-damaged-") + stamp;
        if (attempt > 1) {
            name += QStringLiteral("-%1").arg(attempt);
        }
        name += extension;
        if (RenameNoReplace(m_path, name)) {
            for (const char* suffix : {"-wal", "-shm"}) {
                bool exists = false;
                if (CheckEntry(m_path + QLatin1String(suffix), &exists) == JournalStatus::Ok &&
                    exists) {
                    RenameNoReplace(m_path + QLatin1String(suffix), name + QLatin1String(suffix));
                }
            }
            m_setAside = name;
            return JournalStatus::Ok;
        }
        if (errno != EEXIST) {
            return errno == EACCES || errno == EROFS || errno == EPERM ? JournalStatus::ReadOnly
                                                                       : JournalStatus::CannotOpen;
        }
    }
    return JournalStatus::CannotOpen;
}

JournalStatus Journal::BeginRound(std::int64_t startedMs, int level, int digits, std::int64_t* id) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const JournalStatus status =
        Run(query,
            QStringLiteral(
                "INSERT INTO rounds (started_ms, level, digits, pid, boot) VALUES (?, ?, ?, ?, ?)"),
            {QVariant::fromValue(startedMs), level, digits, QVariant::fromValue(qint64(::getpid())),
             BootId()});
    if (status == JournalStatus::Ok) {
        *id = query.lastInsertId().toLongLong();
    }
    return status;
}

JournalStatus Journal::AddGuess(std::int64_t id, int attempt, const JournalGuess& guess) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    return InTransaction(query, [&] {
        const JournalStatus status = Run(
            query,
            QStringLiteral("INSERT OR REPLACE INTO guesses (round_id, attempt, digits, "
                           "right_place, elsewhere) VALUES (?, ?, ?, ?, ?)"),
            {QVariant::fromValue(id), attempt, guess.digits, guess.rightPlace, guess.elsewhere});
        if (status != JournalStatus::Ok) {
            return status;
        }
        return Run(query,
                   QStringLiteral("UPDATE rounds SET attempts = max(attempts, ?) WHERE id = ?"),
                   {attempt, QVariant::fromValue(id)});
    });
}

JournalStatus Journal::EndRound(std::int64_t id, RoundOutcome outcome, int attempts,
                                std::int64_t endedMs, std::int64_t spentMs, const QString& secret) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    return Run(query,
               QStringLiteral("UPDATE rounds SET outcome = ?, attempts = ?, ended_ms = ?, "
                              "spent_ms = ?, secret = ? WHERE id = ?"),
               {OutcomeKeyword(outcome), attempts, QVariant::fromValue(endedMs),
                QVariant::fromValue(spentMs), secret, QVariant::fromValue(id)});
}

JournalStatus Journal::Forget() {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    return InTransaction(query, [&] {
        const JournalStatus status =
            RunAll(query, {"DELETE FROM guesses WHERE round_id IN (SELECT id FROM rounds WHERE "
                           "outcome IS NOT NULL)",
                           "DELETE FROM rounds WHERE outcome IS NOT NULL"});
        if (status != JournalStatus::Ok) {
            return status;
        }
        return Run(query,
                   QStringLiteral("INSERT OR REPLACE INTO facts (key, value) "
                                  "VALUES ('counting_since_ms', ?)"),
                   {QVariant::fromValue(NowMs())});
    });
}

JournalStatus Journal::ReadRounds(std::vector<JournalRound>* rounds, bool withGuesses) {
    rounds->clear();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    JournalStatus status =
        Run(query, QStringLiteral("SELECT id, started_ms, ended_ms, level, digits, "
                                  "outcome, attempts, spent_ms, secret FROM rounds "
                                  "ORDER BY started_ms, id"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    while (query.next()) {
        JournalRound round;
        round.id = query.value(0).toLongLong();
        round.startedMs = query.value(1).toLongLong();
        round.endedMs = query.value(2).toLongLong();
        round.level = query.value(3).toInt();
        round.digits = query.value(4).toInt();
        round.outcome = query.value(5).isNull() ? RoundOutcome::Playing
                                                : OutcomeFromKeyword(query.value(5).toString());
        round.attempts = query.value(6).toInt();
        round.spentMs = query.value(7).toLongLong();
        round.secret = query.value(8).toString();
        rounds->push_back(std::move(round));
    }
    if (!withGuesses || rounds->empty()) {
        return JournalStatus::Ok;
    }
    std::unordered_map<std::int64_t, std::size_t> index;
    index.reserve(rounds->size());
    for (std::size_t i = 0; i < rounds->size(); ++i) {
        index.emplace((*rounds)[i].id, i);
    }
    status = Run(query, QStringLiteral("SELECT round_id, digits, right_place, elsewhere FROM "
                                       "guesses ORDER BY round_id, attempt"));
    if (status != JournalStatus::Ok) {
        return status;
    }
    while (query.next()) {
        const auto found = index.find(query.value(0).toLongLong());
        if (found != index.end()) {
            (*rounds)[found->second].guesses.push_back(
                {query.value(1).toString(), query.value(2).toInt(), query.value(3).toInt()});
        }
    }
    return JournalStatus::Ok;
}

JournalStatus Journal::ReadGuesses(std::int64_t id, std::vector<JournalGuess>* guesses) {
    guesses->clear();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const JournalStatus status =
        Run(query,
            QStringLiteral("SELECT digits, right_place, elsewhere FROM guesses "
                           "WHERE round_id = ? ORDER BY attempt"),
            {QVariant::fromValue(id)});
    while (status == JournalStatus::Ok && query.next()) {
        guesses->push_back(
            {query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    }
    return status;
}

std::int64_t Journal::CountingSince() {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (Run(query, QStringLiteral("SELECT value FROM facts WHERE key = 'counting_since_ms'")) ==
            JournalStatus::Ok &&
        query.next()) {
        return query.value(0).toLongLong();
    }
    return 0;
}

}  // namespace platform

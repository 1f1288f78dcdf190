#include "platform/journal/JournalWriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <chrono>
#include <mutex>
#include <set>

namespace platform {

namespace {

// A journal busy or not writable is tried again after this long, if nothing comes sooner.
constexpr auto kRetryAfter = std::chrono::seconds(10);

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Busy or a failed write: the record waits for the next chance.
bool IsPassing(JournalStatus status) {
    return status == JournalStatus::Busy || status == JournalStatus::CannotWrite;
}

// Every writer alive. Their threads end with the application object at the latest: Qt SQL's
// connections must not outlive it, and a writer kept by a global would otherwise end its
// thread only once the program's statics are going. Never destroyed, for the same reason.
struct Writers {
    std::mutex mutex;
    std::set<JournalWriter*> alive;
    bool stopAdded = false;
};

Writers& AllWriters() {
    static Writers* writers = new Writers;
    return *writers;
}

void StopAllWriters() {
    Writers& writers = AllWriters();
    const std::lock_guard<std::mutex> lock(writers.mutex);
    for (JournalWriter* writer : writers.alive) {
        writer->Stop();
    }
}

// Qt SQL and its SQLite driver make their globals at first use, and they are taken down at
// exit in the reverse order of their making. A program that Qt ends from inside its loop (a
// lost display) keeps what it has in an exit handler registered at start-up, the journal's
// last records among it: the globals it needs are made here, on the thread that makes the
// writer (at start-up), by one use of a database in memory, so that they outlive that handler.
void MakeSqlGlobals() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Without the driver no journal is opened, and Qt is not asked for it again.
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
            return;
        }
        const QString name = QStringLiteral("druno-journal-start");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            if (db.open()) {
                QSqlQuery query(db);
                query.prepare(QStringLiteral("SELECT ?"));
                query.addBindValue(1);
                query.exec();
                query.next();
                query.value(0);
                query.lastInsertId();
            }
        }
        QSqlDatabase::removeDatabase(name);
    });
}

}  // namespace

JournalWriter::JournalWriter(const QString& path) : m_path(path) {
    MakeSqlGlobals();
    Writers& writers = AllWriters();
    const std::lock_guard<std::mutex> lock(writers.mutex);
    writers.alive.insert(this);
    if (!writers.stopAdded) {
        qAddPostRoutine(StopAllWriters);
        writers.stopAdded = true;
    }
}

JournalWriter::~JournalWriter() {
    {
        Writers& writers = AllWriters();
        const std::lock_guard<std::mutex> lock(writers.mutex);
        writers.alive.erase(this);
    }
    Stop();
}

void JournalWriter::Stop() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void JournalWriter::OpenExisting() {
    Post(Record{});
}

std::int64_t JournalWriter::BeginRound(int level, int digits) {
    Record record;
    record.kind = Record::Kind::Begin;
    record.timeMs = QDateTime::currentMSecsSinceEpoch();
    record.level = level;
    record.digits = digits;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        record.round = m_nextRound++;
        m_roundStartTicks[record.round] = SteadyMs();
    }
    const std::int64_t round = record.round;
    Post(std::move(record));
    return round;
}

void JournalWriter::AddGuess(std::int64_t round, int attempt, const JournalGuess& guess) {
    Record record;
    record.kind = Record::Kind::Guess;
    record.round = round;
    record.attempt = attempt;
    record.guess = guess;
    Post(std::move(record));
}

void JournalWriter::EndRound(std::int64_t round, RoundOutcome outcome, int attempts,
                             const QString& secret) {
    Record record;
    record.kind = Record::Kind::End;
    record.round = round;
    record.timeMs = QDateTime::currentMSecsSinceEpoch();
    record.outcome = outcome;
    record.attempt = attempts;
    record.secret = secret;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto start = m_roundStartTicks.find(round);
        if (start != m_roundStartTicks.end()) {
            record.spentMs = SteadyMs() - start->second;
            m_roundStartTicks.erase(start);
        }
    }
    Post(std::move(record));
}

void JournalWriter::Post(Record record) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_givenUp || m_stopping) {
            return;
        }
        m_queue.push_back(std::move(record));
        if (!m_thread.joinable()) {
            m_thread = std::thread([this] { Run(); });
        }
    }
    m_wake.notify_one();
}

bool JournalWriter::WaitUntilWritten(int milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_written.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [this] { return m_queue.empty() && !m_writing; });
}

JournalProblem JournalWriter::TakeProblem() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_problemTaken || m_problem.status == JournalStatus::Ok) {
        return {};
    }
    m_problemTaken = true;
    return m_problem;
}

void JournalWriter::NoteProblem(JournalStatus status, const Journal& journal) {
    if (status == JournalStatus::Ok || status == JournalStatus::Missing ||
        status == JournalStatus::Busy) {
        return;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_problem.status == JournalStatus::Ok) {
        m_problem.status = status;
        m_problem.file = status == JournalStatus::Damaged ? journal.SetAsideName() : journal.Path();
    }
}

// The journal's connection lives and dies on this thread.
void JournalWriter::Run() {
    Journal journal(m_path);
    std::unique_lock<std::mutex> lock(m_mutex);
    bool waitForNews = false;
    while (true) {
        if (waitForNews) {
            const std::size_t queued = m_queue.size();
            m_wake.wait_for(lock, kRetryAfter,
                            [&] { return m_stopping || m_queue.size() != queued; });
        } else {
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        }
        waitForNews = false;
        // Writes in order until the queue is empty or a record has to wait.
        while (!m_queue.empty() && !m_givenUp) {
            const Record record = m_queue.front();
            m_writing = true;
            lock.unlock();
            const JournalStatus status = Write(journal, record);
            lock.lock();
            m_writing = false;
            if (IsPassing(status)) {
                waitForNews = true;
                break;
            }
            m_queue.pop_front();
        }
        if (m_givenUp) {
            m_queue.clear();
        }
        m_written.notify_all();
        // A last pass has been made: what could not be written now stays unwritten.
        if (m_stopping) {
            break;
        }
    }
}

JournalStatus JournalWriter::Write(Journal& journal, const Record& record) {
    if (!journal.IsOpen()) {
        // Only a record of a round makes a journal that is not there yet.
        const JournalStatus status =
            journal.Open(Journal::Mode::Write, record.kind != Record::Kind::Open);
        NoteProblem(status, journal);
        if (status == JournalStatus::Missing) {
            return JournalStatus::Ok;
        }
        if (!journal.IsOpen()) {
            if (!IsPassing(status)) {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_givenUp = true;
            }
            return status;
        }
    }
    std::int64_t row = 0;
    if (record.kind != Record::Kind::Open && record.kind != Record::Kind::Begin) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_rowIds.find(record.round);
        if (found == m_rowIds.end()) {
            return JournalStatus::Ok;  // its beginning was never written
        }
        row = found->second;
    }
    JournalStatus status = JournalStatus::Ok;
    switch (record.kind) {
        case Record::Kind::Open:
            break;
        case Record::Kind::Begin:
            status = journal.BeginRound(record.timeMs, record.level, record.digits, &row);
            if (status == JournalStatus::Ok) {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_rowIds[record.round] = row;
            }
            break;
        case Record::Kind::Guess:
            status = journal.AddGuess(row, record.attempt, record.guess);
            break;
        case Record::Kind::End:
            status = journal.EndRound(row, record.outcome, record.attempt, record.timeMs,
                                      record.spentMs, record.secret);
            if (status == JournalStatus::Ok) {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_rowIds.erase(record.round);
            }
            break;
    }
    if (status == JournalStatus::Damaged) {
        // Damaged under our hands: the next record opens it again, which sets it aside and
        // starts a new journal. This record is lost with the damaged round.
        journal.Close();
        return JournalStatus::Ok;
    }
    NoteProblem(status, journal);
    if (status == JournalStatus::ReadOnly) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_givenUp = true;
    }
    return status;
}

}  // namespace platform

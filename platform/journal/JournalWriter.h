#pragma once

// Records rounds in the journal without ever making the game wait: each record is queued and
// written in order on a thread of the writer's own. A journal that is busy or cannot be
// written just now keeps what is queued for the next chance (the next record, or a while
// later); one that cannot be used at all is given up for the rest of the run. The first
// problem met is kept for the program to tell the player.

#include "platform/journal/Journal.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace platform {

struct JournalProblem {
    JournalStatus status = JournalStatus::Ok;
    QString file;  // the journal; for Damaged, the name it was set aside under
};

class JournalWriter {
public:
    explicit JournalWriter(const QString& path);
    // Writes what is still queued, waiting for another game kJournalWaitMs at most.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    const QString& Path() const { return m_path; }

    // Opens a journal that is there already, in the background: checks it and marks the
    // rounds of games that have gone as unfinished. Makes nothing.
    void OpenExisting();

    // Each returns at once. A round is known by the number BeginRound gives (never 0); the
    // times are taken when the call is made.
    std::int64_t BeginRound(int level, int digits);
    void AddGuess(std::int64_t round, int attempt, const JournalGuess& guess);
    void EndRound(std::int64_t round, RoundOutcome outcome, int attempts, const QString& secret);

    // Waits until everything queued is written, or the time is up; true when it is written.
    bool WaitUntilWritten(int milliseconds);
    // The first problem met, once; Ok when there was none or it was taken already.
    JournalProblem TakeProblem();

    // Writes what is still queued, as the destructor does, and records nothing after. Done for
    // every writer when the application object goes.
    void Stop();

private:
    struct Record {
        enum class Kind { Open, Begin, Guess, End } kind = Kind::Open;
        std::int64_t round = 0;
        std::int64_t timeMs = 0;
        std::int64_t spentMs = 0;
        int level = 0;
        int digits = 0;
        int attempt = 0;
        JournalGuess guess;
        RoundOutcome outcome = RoundOutcome::Playing;
        QString secret;
    };

    void Post(Record record);
    void Run();
    JournalStatus Write(Journal& journal, const Record& record);
    void NoteProblem(JournalStatus status, const Journal& journal);

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_written;
    std::deque<Record> m_queue;
    bool m_writing = false;   // the thread holds a record it is writing
    bool m_stopping = false;  // the writer goes: a last pass, then the thread ends
    bool m_givenUp = false;   // the journal cannot be used in this run
    JournalProblem m_problem;
    bool m_problemTaken = false;
    std::int64_t m_nextRound = 1;
    std::map<std::int64_t, std::int64_t> m_roundStartTicks;  // steady clock, by round
    std::map<std::int64_t, std::int64_t> m_rowIds;           // the journal's row, by round
    std::thread m_thread;
};

}  // namespace platform

#pragma once

// The journal of rounds: a SQLite database in the player's data folder, through Qt SQL's SQLite
// driver. One object is one connection and is used on the thread that made it; several
// objects, threads and processes may use the same file at once (write-ahead log, and a wait of
// at most kJournalWaitMs for another writer).
//
// A file that is not what it should be never stops the game: a damaged database is set aside
// under a name of its own and a new one started; a link, a FIFO, another user's file, a file
// that cannot be written or one a newer program made is left as it is and not used.

#include "platform/journal/JournalRound.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace platform {

// How long a journal waits for another game that is writing it.
inline constexpr int kJournalWaitMs = 3000;

enum class JournalStatus {
    Ok,
    Missing,      // there is no journal yet (and none was to be made)
    Busy,         // another game kept it beyond the wait; try again later
    CannotWrite,  // a write failed (a full disk); try again later
    Damaged,      // not a database, or damaged: set aside (SetAsideName), a new one started
    Newer,        // made by a newer version of the program: left untouched
    ReadOnly,     // cannot be written
    NotAFile,     // a link, a FIFO, a folder, or another user's file
    CannotOpen,   // no SQLite driver, no folder for it, or any other failure
};

class Journal {
public:
    // The schema this program writes, kept in PRAGMA user_version.
    static constexpr int kSchemaVersion = 1;

    explicit Journal(const QString& path);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    enum class Mode { Read, Write };
    // Opens and checks the journal. To write, a missing journal (and its folder) is made when
    // make is set (Missing otherwise), the schema brought up to date, and rounds left playing
    // by games that are gone are marked unfinished. Ok, or Damaged when a damaged file was set
    // aside (and, to write, a new journal opened in its place); any other answer leaves the
    // journal closed.
    JournalStatus Open(Mode mode, bool make = true);
    bool IsOpen() const;
    void Close();
    const QString& Path() const { return m_path; }
    // Where Open put a damaged journal; empty when it found none.
    const QString& SetAsideName() const { return m_setAside; }

    // Writing; each is one transaction.
    JournalStatus BeginRound(std::int64_t startedMs, int level, int digits, std::int64_t* id);
    JournalStatus AddGuess(std::int64_t id, int attempt, const JournalGuess& guess);
    JournalStatus EndRound(std::int64_t id, RoundOutcome outcome, int attempts,
                           std::int64_t endedMs, std::int64_t spentMs, const QString& secret);
    // Empties the journal of every ended round; it counts again from now. Rounds being played
    // stay, so that their games go on recording them.
    JournalStatus Forget();

    // Every round, oldest first; with their guesses, or with none (faster).
    JournalStatus ReadRounds(std::vector<JournalRound>* rounds, bool withGuesses);
    JournalStatus ReadGuesses(std::int64_t id, std::vector<JournalGuess>* guesses);
    // When the journal began counting (made, or last emptied), UTC milliseconds.
    std::int64_t CountingSince();

private:
    JournalStatus OpenChecked(Mode mode, bool make);
    JournalStatus Prepare(Mode mode);
    JournalStatus Migrate();
    JournalStatus MarkUnfinished();
    JournalStatus SetAside();

    QString m_path;
    QString m_connection;
    QString m_setAside;
};

}  // namespace platform

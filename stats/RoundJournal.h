#pragma once

// The journal of rounds: every round at every level, from New Game to its end, with each
// guess and its two counts, kept in the player's data folder beside the statistics, which
// count as they always have. Writing never holds up the game; a journal that cannot be kept
// never stops it, and the player hears of it once.

#include "game/DrunoGame.h"
#include "platform/journal/JournalRound.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {
class JournalWriter;
}

class CRoundJournal {
public:
    // Looks at a journal kept from earlier games: rounds their games left unfinished are
    // marked so. A player who has not played yet gets no file until the first round.
    CRoundJournal();
    ~CRoundJournal();
    CRoundJournal(const CRoundJournal&) = delete;
    CRoundJournal& operator=(const CRoundJournal&) = delete;

    // "Journal.sqlite" in the player's data folder, one per player whatever the install.
    static QString GetJournalFile();

    // A round has started (game is freshly initialised).
    void BeginRound(int nLevel, const CDrunoGame& game);
    // Records the guesses judged since the last call.
    void NoteGuesses(const CDrunoGame& game);
    // The round has ended, won or lost in one of the ways a round can be lost.
    void EndRound(const CDrunoGame& game, platform::RoundOutcome nOutcome);
    // Before the program ends: what is still queued goes to the file, within a short bound.
    void WaitUntilWritten();

    // Tells the player of the first problem the journal has met, once in a run.
    void TellProblem();
    // The Progress window, over everything recorded; levelNames are the levels' names.
    void ShowProgress(const QStringList& levelNames, const QString& strAll);

private:
    std::unique_ptr<platform::JournalWriter> m_pWriter;
    std::int64_t m_nRound = 0;  // the round being recorded, 0 when none
    std::size_t m_nGuessesNoted = 0;
    bool m_bToldProblem = false;
};

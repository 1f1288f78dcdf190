#include "stats/RoundJournal.h"

#include "platform/core/Module.h"
#include "platform/desktop/ProgressWindow.h"
#include "platform/journal/JournalWriter.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"

CRoundJournal::CRoundJournal()
    : m_pWriter(std::make_unique<platform::JournalWriter>(GetJournalFile())) {
    m_pWriter->OpenExisting();
}

CRoundJournal::~CRoundJournal() = default;

QString CRoundJournal::GetJournalFile() {
    return platform::GetDataHome() + QStringLiteral("/Brantel/Druno/Journal.sqlite");
}

void CRoundJournal::BeginRound(int nLevel, const CDrunoGame& game) {
    m_nRound = m_pWriter->BeginRound(nLevel, static_cast<int>(game.GetNumber().length()));
    m_nGuessesNoted = 0;
}

void CRoundJournal::NoteGuesses(const CDrunoGame& game) {
    if (m_nRound == 0) {
        return;
    }
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    for (; m_nGuessesNoted < history.size(); ++m_nGuessesNoted) {
        const CDrunoGuess& guess = history[m_nGuessesNoted];
        m_pWriter->AddGuess(m_nRound, static_cast<int>(m_nGuessesNoted) + 1,
                            {guess.strGuess, guess.nRightPlace, guess.nElsewhere});
    }
}

void CRoundJournal::EndRound(const CDrunoGame& game, platform::RoundOutcome nOutcome) {
    if (m_nRound == 0) {
        return;
    }
    NoteGuesses(game);
    m_pWriter->EndRound(m_nRound, nOutcome, static_cast<int>(game.GetHistory().size()),
                        game.GetNumber());
    m_nRound = 0;
}

void CRoundJournal::WaitUntilWritten() {
    m_pWriter->WaitUntilWritten(platform::kJournalWaitMs);
}

void CRoundJournal::TellProblem() {
    if (m_bToldProblem) {
        return;
    }
    const platform::JournalProblem problem = m_pWriter->TakeProblem();
    unsigned nText = 0;
    switch (problem.status) {
        case platform::JournalStatus::Ok:
        case platform::JournalStatus::Missing:
        case platform::JournalStatus::Busy:
            return;
        case platform::JournalStatus::Damaged:
            nText = IDS_JOURNAL_DAMAGED;
            break;
        case platform::JournalStatus::CannotWrite:
            nText = IDS_JOURNAL_CANNOT_WRITE;
            break;
        case platform::JournalStatus::Newer:
            nText = IDS_JOURNAL_NEWER;
            break;
        case platform::JournalStatus::ReadOnly:
        case platform::JournalStatus::NotAFile:
        case platform::JournalStatus::CannotOpen:
            nText = IDS_JOURNAL_UNUSABLE;
            break;
    }
    m_bToldProblem = true;
    platform::MessageBox(platform::FormatString(nText, problem.file), platform::kMbIconInformation);
}

void CRoundJournal::ShowProgress(const QStringList& levelNames, const QString& strAll) {
    // The window shows the round just ended too, unless another game holds the journal.
    m_pWriter->WaitUntilWritten(platform::kJournalWaitMs);
    TellProblem();
    platform::ShowProgressWindow(GetJournalFile(), levelNames, strAll);
}

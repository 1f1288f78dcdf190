#include "screen/MyDrunoDoc.h"

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Sound.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "stats/GameStatistics.h"
#include "stats/StatisticsLock.h"
#include "trace/TraceScope.h"

PLATFORM_IMPLEMENT_DYNCREATE(CMyDrunoDoc)

namespace {

// Every round, at every level: no digit twice in the secret.
constexpr bool kDistinct = true;

}  // namespace

CMyDrunoDoc::CMyDrunoDoc() : m_pJournal(std::make_unique<CRoundJournal>()) {
    // The table's order is the order in which commands and updates are looked up.
    AddCommand(ID_NEW_GAME, &CMyDrunoDoc::OnNewGame);
    AddUpdate(ID_NEW_GAME, &CMyDrunoDoc::OnUpdateNewGame);
    AddCommand(ID_ABORT_GAME, &CMyDrunoDoc::OnAbortGame);
    AddUpdate(ID_ABORT_GAME, &CMyDrunoDoc::OnUpdateAbortGame);
    AddUpdate(ID_APP_EXIT, &CMyDrunoDoc::OnUpdateAppExit);
    AddCommand(ID_STATISTIC, &CMyDrunoDoc::OnStatistic);
    AddCommand(ID_PROGRESS, &CMyDrunoDoc::OnProgress);
    AddCommand(ID_LEVEL_3, &CMyDrunoDoc::OnLevel3);
    AddUpdate(ID_LEVEL_3, &CMyDrunoDoc::OnUpdateLevel);
    AddCommand(ID_LEVEL_4, &CMyDrunoDoc::OnLevel4);
    AddUpdate(ID_LEVEL_4, &CMyDrunoDoc::OnUpdateLevel);
    AddCommand(ID_LEVEL_5, &CMyDrunoDoc::OnLevel5);
    AddUpdate(ID_LEVEL_5, &CMyDrunoDoc::OnUpdateLevel);
    AddCommand(ID_COACH, &CMyDrunoDoc::OnCoach);
    AddUpdate(ID_COACH, &CMyDrunoDoc::OnUpdateCoach);
    AddCommand(ID_HINT, &CMyDrunoDoc::OnHint);
    AddUpdate(ID_HINT, &CMyDrunoDoc::OnUpdateHint);
}

CMyDrunoDoc::~CMyDrunoDoc() = default;

void CMyDrunoDoc::SetRoundListener(std::weak_ptr<const RoundListener> listener) {
    m_roundListener = std::move(listener);
}

void CMyDrunoDoc::RoundChanged() const {
    if (m_bPlaying) {
        m_pJournal->NoteGuesses(m_game);
    }
    if (const std::shared_ptr<const RoundListener> listener = m_roundListener.lock()) {
        (*listener)(*this);
    }
}

void CMyDrunoDoc::RepaintDoc() {
    CTraceScope trace(QStringLiteral("CMyDrunoDoc::RepaintDoc()"));
    // The layout has exactly one view.
    platform::ViewPosition pos = GetFirstViewPosition();
    platform::View* pView = GetNextView(pos);
    if (pView != nullptr) {
        pView->Invalidate(true);
    }
}

void CMyDrunoDoc::StopPlaying() {
    CTraceScope trace(QStringLiteral("CMyDrunoDoc::StopPlaying()"));
    m_bPlaying = false;
    RoundChanged();
    RepaintDoc();
}

void CMyDrunoDoc::PlaySound(int nSound) {
    CTraceScope trace(QStringLiteral("PlaySound()"));
    if (!theApp.m_bSound) {
        return;
    }
    if (nSound == kSoundError) {
        platform::MessageBeep(platform::kSoundStop);
    } else if (nSound == kSoundKey) {
        platform::MessageBeep(platform::kSoundDefault);
    }
}

QString CMyDrunoDoc::GetStatFile() {
    // Beside the program where it is already or can be made; where the program's folder is
    // closed to the player (an install for all users), in the player's data folder.
    const QString strFile = QStringLiteral("Druno.sta");
    return platform::GetFolderForFile(GetModuleDirectory(nullptr), strFile,
                                      QStringLiteral("Brantel/Druno")) +
           strFile;
}

bool CMyDrunoDoc::CanCloseFrame(platform::Frame* pFrame) {
    if (m_bPlaying) {
        return false;
    }
    return platform::Document::CanCloseFrame(pFrame);
}

void CMyDrunoDoc::Serialize(platform::Archive& /*ar*/) {}

void CMyDrunoDoc::OnNewGame() {
    CTraceScope trace(QStringLiteral("CMyDrunoDoc::OnNewGame()"));
    // New Game is disabled during a round, so there is no old round to end here. A journal
    // that could not be kept as it should is told of before the round, not in its way.
    m_pJournal->TellProblem();
    // The level chosen between rounds becomes the round's.
    m_nRoundLevel = GetLevel();
    m_bPlaying = true;
    m_game.Init(DigitsOfLevel(m_nRoundLevel), kMaxAttempts, kDistinct);
    m_coach.NewRound();
    m_pJournal->BeginRound(m_nRoundLevel, m_game);
    RoundChanged();
    RepaintDoc();
}

void CMyDrunoDoc::OnAbortGame() {
    if (platform::MessageBox(IDS_REALLY_ABORT, platform::kMbYesNoQuestion) != platform::kIdYes) {
        return;
    }
    // The view is cleared and the loss counted before the solution is shown.
    m_bPlaying = false;
    RoundChanged();
    RepaintDoc();
    const QString strText = platform::FormatString(IDS_GAME_OVER, m_game.GetNumber());
    CountLost(platform::RoundOutcome::GivenUp);
    platform::MessageBox(strText, platform::kMbOk);
}

void CMyDrunoDoc::OnStatistic() {
    CTraceScope trace(QStringLiteral("CMyDrunoDoc::OnStatistic()"));
    const QString strStatFile = GetStatFile();
    // The dialog opens on the level being played; in the default game on the overall record.
    UseLevelsIfNeeded(strStatFile, GetLevel());
    GameStatisticsShow(strStatFile, CMyDrunoApp::GetLanguage());
}

void CMyDrunoDoc::OnProgress() {
    // The level names follow "All", as in the statistics dialog.
    m_pJournal->ShowProgress(platform::LoadString(IDS_LEVEL_NAMES).split(QLatin1Char('|')),
                             platform::LoadString(IDS_STAT_ALL));
}

int CMyDrunoDoc::GetLevel() const {
    if (m_bPlaying) {
        return m_nRoundLevel;
    }
    return theApp.m_nLevel >= 1 && theApp.m_nLevel <= kLevels ? theApp.m_nLevel : kDefaultLevel;
}

void CMyDrunoDoc::SetLevel(int nLevel) {
    // As New Game, a level is chosen between rounds only.
    if (m_bPlaying) {
        PlaySound(kSoundError);
        return;
    }
    theApp.m_nLevel = nLevel;
    RoundChanged();
}

// The three level commands follow one another in the order of the levels.
static_assert(ID_LEVEL_4 == ID_LEVEL_3 + 1 && ID_LEVEL_5 == ID_LEVEL_3 + 2);

// The level chosen carries the radio dot, also during a round, when the choice is closed.
void CMyDrunoDoc::OnUpdateLevel(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(!m_bPlaying);
    pCmdUI->SetRadio(static_cast<int>(pCmdUI->ID() - ID_LEVEL_3) + 1 == GetLevel());
}

bool CMyDrunoDoc::IsCoachOn() {
    return theApp.m_bCoach;
}

// On or off, during a round too: the history shows the coach's lines from now on, or no more.
void CMyDrunoDoc::OnCoach() {
    theApp.m_bCoach = !theApp.m_bCoach;
    RoundChanged();
}

void CMyDrunoDoc::OnUpdateCoach(platform::CommandUpdate* pCmdUI) {
    pCmdUI->SetCheck(IsCoachOn());
}

// A command sent straight to the frame does not ask whether its item is enabled.
void CMyDrunoDoc::OnHint() {
    if (CanHint() && m_coach.TakeHint(m_game) != nullptr) {
        RoundChanged();
    }
}

void CMyDrunoDoc::OnUpdateHint(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(CanHint());
}

// A round that is decided waits only for its box to be answered.
bool CMyDrunoDoc::CanHint() const {
    return IsCoachOn() && m_bPlaying && !m_game.IsSolved() && !m_game.IsLost();
}

void CMyDrunoDoc::UseLevelsIfNeeded(const QString& strStatFile, int nLevel) {
    // A file another game keeps busy is reported once, by the count or the dialog.
    if (CStatisticsLock::IsBusy()) {
        return;
    }
    if (nLevel == kDefaultLevel && s_nMaxLevels <= 0 && !GameStatisticsFileHasLevels(strStatFile)) {
        return;
    }
    // The level names start at record 1; record 0, "All", weighs each level by its number.
    GameStatisticsSetCustomLevels(platform::LoadString(IDS_LEVEL_NAMES));
    GameStatisticsUseLevels(strStatFile, kLevels, nLevel);
}

// Whether the file goes by levels is judged under the same hold of the file as the count
// itself: another game may be giving the file its level records meanwhile.
void CMyDrunoDoc::CountWon() {
    const QString strStatFile = GetStatFile();
    const CStatisticsLock lock(strStatFile);
    UseLevelsIfNeeded(strStatFile, m_nRoundLevel);
    GameStatisticsAddWon(strStatFile);
    m_pJournal->EndRound(m_game, platform::RoundOutcome::Won);
}

void CMyDrunoDoc::CountLost(platform::RoundOutcome nHow) {
    const QString strStatFile = GetStatFile();
    const CStatisticsLock lock(strStatFile);
    UseLevelsIfNeeded(strStatFile, m_nRoundLevel);
    GameStatisticsAddLost(strStatFile);
    m_pJournal->EndRound(m_game, nHow);
}

// The round is ended here as well: the document refuses to let its frame close while a round
// runs, so a close that left the round going would keep the program open and count another
// loss at every further attempt. When the session ends (a shutdown, a logout) the message box
// answers at once. A round that is already won or lost was counted when it ended; its WON! or
// "Game Over!" box may still be open when the display goes away, and must not make it count a
// second time.
void CMyDrunoDoc::LoseRunningRound(platform::RoundOutcome nHow) {
    if (!m_bPlaying) {
        return;
    }
    if (!m_game.IsSolved() && !m_game.IsLost()) {
        CountLost(nHow);
        platform::MessageBox(IDS_CLOSE_LOSES, platform::kMbIconInformation);
    }
    m_bPlaying = false;
    RoundChanged();
}

void CMyDrunoDoc::FinishJournal() {
    m_pJournal->WaitUntilWritten();
}

void CMyDrunoDoc::OnUpdateNewGame(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(!m_bPlaying);
}

void CMyDrunoDoc::OnUpdateAbortGame(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(m_bPlaying);
}

void CMyDrunoDoc::OnUpdateAppExit(platform::CommandUpdate* pCmdUI) {
    pCmdUI->Enable(!m_bPlaying);
}

QString GetModuleDirectory(const void* /*hModule*/) {
    // The whole name is used however long it is: a shortened name would put the statistics
    // file somewhere else, and long paths are common here. Only "/" separates folders: a
    // backslash is an ordinary character of a name.
    const QString strModule = platform::GetModuleFileName();
    const qsizetype nSeparator = strModule.lastIndexOf(QLatin1Char('/'));
    if (nSeparator < 0) {
        return QStringLiteral("\\");
    }
    return strModule.left(nSeparator + 1);
}

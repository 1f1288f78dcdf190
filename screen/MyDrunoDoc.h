#pragma once

// The game document: the current round, the playing flag and the game commands. It also knows
// where the statistics file lies and plays the feedback sounds the view asks for.

#include "game/DrunoCoach.h"
#include "game/DrunoGame.h"
#include "platform/framework/Document.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/journal/JournalRound.h"
#include "stats/RoundJournal.h"

#include <QString>

#include <functional>
#include <memory>

class CMyDrunoDoc : public platform::Document {
    PLATFORM_DECLARE_DYNCREATE(CMyDrunoDoc)

public:
    CMyDrunoDoc();
    ~CMyDrunoDoc() override;

    // The view feeds the round and reads the flag; the frame reads the flag on close.
    CDrunoGame m_game;
    bool m_bPlaying = false;
    // The round's coach: the hints taken, and what the answers so far tell.
    CDrunoCoach m_coach;

    // Who follows the round beside the view hears of every change of it: a new round, a digit
    // typed or deleted, a judged guess, the round's end. The document does not own the
    // listener; one that has gone is simply not told.
    using RoundListener = std::function<void(const CMyDrunoDoc&)>;
    void SetRoundListener(std::weak_ptr<const RoundListener> listener);
    // Tells the listener that m_game or m_bPlaying has changed.
    void RoundChanged() const;

    // Has the first view erased and drawn anew.
    void RepaintDoc();
    // Ends the round (won or lost) and blanks the view.
    void StopPlaying();
    // The sounds the view asks for.
    static constexpr int kSoundError = 100;
    static constexpr int kSoundKey = 101;
    // kSoundError or kSoundKey; silent while the Sound setting is off.
    void PlaySound(int nSound);
    // The statistics file "Druno.sta": in the program's directory, or in the player's data
    // folder where the program's directory cannot take it.
    QString GetStatFile();

    // The frame may not close while a round is played.
    bool CanCloseFrame(platform::Frame* pFrame) override;
    // The game keeps nothing in document files.
    void Serialize(platform::Archive& ar) override;

    // Command handlers and their update handlers.
    void OnNewGame();
    void OnAbortGame();
    void OnStatistic();
    void OnProgress();
    void OnUpdateNewGame(platform::CommandUpdate* pCmdUI);
    void OnUpdateAbortGame(platform::CommandUpdate* pCmdUI);
    void OnUpdateAppExit(platform::CommandUpdate* pCmdUI);

    // Levels: 1 three digits (the default), 2 four, 3 five. The chosen level is the
    // application's setting; a new level takes effect with the next round.
    static constexpr int kLevels = 3;
    static constexpr int kDefaultLevel = 1;
    static int DigitsOfLevel(int nLevel) { return nLevel + 2; }
    // Every level has ten attempts: a player who always guesses a number that agrees with
    // every answer so far wins every level within ten nearly always (tools/levelsim).
    static constexpr int kMaxAttempts = 10;
    // The level of the round being played, or of the next one between rounds.
    int GetLevel() const;
    // Picks a level between rounds; during a round the pick is refused with the error sound.
    void SetLevel(int nLevel);
    void OnLevel3() { SetLevel(1); }
    void OnLevel4() { SetLevel(2); }
    void OnLevel5() { SetLevel(3); }
    void OnUpdateLevel(platform::CommandUpdate* pCmdUI);
    // The coach, off by default, is the application's setting; it speaks through the
    // history panel and never changes the game screen. A hint is there during a round while
    // the coach is on.
    static bool IsCoachOn();
    void OnCoach();
    void OnUpdateCoach(platform::CommandUpdate* pCmdUI);
    void OnHint();
    void OnUpdateHint(platform::CommandUpdate* pCmdUI);
    // Count the round just ended, won or lost, in the statistics of its level, and record its
    // end in the journal of rounds: lost after the last attempt, given up, or lost because
    // the game was closed, ended by a signal or lost its display.
    void CountWon();
    void CountLost(platform::RoundOutcome nHow);
    // The program ends during a round (nHow says how): a round still undecided counts as lost
    // and the player is told; either way the round is over.
    void LoseRunningRound(platform::RoundOutcome nHow);
    // The program is about to end: the journal gets what it still has to write, within a
    // short bound.
    void FinishJournal();

private:
    // Once a level other than the default has been played, or the file keeps level records
    // already, every count and the statistics dialog go by levels; the default player's
    // statistics stay a single record. nLevel is the level counted or shown.
    void UseLevelsIfNeeded(const QString& strStatFile, int nLevel);
    bool CanHint() const;

    int m_nRoundLevel = kDefaultLevel;  // the level of the round being played
    // Through a pointer: RoundChanged, const to the document, records the round's guesses.
    std::unique_ptr<CRoundJournal> m_pJournal;
    std::weak_ptr<const RoundListener> m_roundListener;
};

// The directory of a module's file, with its trailing "/"; "\" when the name has no "/" at
// all. This platform knows one module, the program itself, so the null handle
// and every other handle name the running executable.
QString GetModuleDirectory(const void* hModule = nullptr);

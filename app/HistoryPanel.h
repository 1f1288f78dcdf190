#pragma once

// The round's history beside the game screen: every complete guess of the current round with
// its two counts in words, kept after the round has ended until the next New Game. Before the
// first round it says how to start and how to play. A screen reader is told of each new guess
// and of the end of the round as they come. With the coach on, each guess is followed by how
// many numbers still fit every answer, and by why it cannot be the secret where it cannot;
// the round's hints stand where they were taken, and its end says that a hint was taken.

#include "game/DrunoCoach.h"
#include "game/DrunoGame.h"
#include "platform/desktop/ListPanel.h"

#include <QStringList>

#include <vector>

class CMyDrunoDoc;

namespace platform {
class Frame;
}

class CHistoryPanel {
public:
    // The panel's width in a new main window.
    static constexpr int kDefaultWidth = 230;

    // Makes the panel as the frame's side panel, nWidth pixels wide (0: pushed out of sight).
    bool Create(platform::Frame* pFrame, int nWidth);
    // Shows the document's round as it stands; the document tells the frame of every change.
    void Update(const CMyDrunoDoc& doc);
    QStringList GetLines() const { return m_list.GetLines(); }
    // True while the keyboard is in the list.
    bool HasFocus() const { return m_list.HasFocus(); }

    // The panel's lines for a round that is being played or not; before the first round they
    // tell how to play the level chosen (1 three digits, 2 four, 3 five). pCoach is the
    // round's coach while the coach is on, else null. pIndents, when given, receives how far
    // each line stands in: the coach's lines about a guess stand under it.
    static QStringList Lines(bool bPlaying, const CDrunoGame& game, int nLevel = 1,
                             const CDrunoCoach* pCoach = nullptr,
                             std::vector<int>* pIndents = nullptr);
    // A judged guess as a screen reader says it: "123: 1 in place, 1 elsewhere".
    static QString Spoken(const CDrunoGuess& guess);
    // What the coach says of guess nGuess of the round: why it cannot be the secret, if it
    // cannot, and how many numbers still fit every answer up to it (not after the winning one).
    static QStringList CoachLines(const CDrunoGame& game, const CDrunoCoach& coach,
                                  std::size_t nGuess);

private:
    // The number of digits of the level in words ("four").
    static QString DigitsInWords(int nLevel);
    QString News(const CMyDrunoDoc& doc) const;
    // The last line of a round that is over: found, lost or given up.
    static QString EndLine(const CDrunoGame& game);

    bool m_bWasPlaying = false;      // as the panel last showed the round
    std::size_t m_nGuessesTold = 0;  // judged guesses already told
    std::size_t m_nHintsTold = 0;    // hints already told
    platform::ListPanel m_list;
};

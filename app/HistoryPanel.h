#pragma once

// The round's history beside the game screen: every complete guess of the current round with
// its two counts in words, kept after the round has ended until the next New Game. Before the
// first round it says how to start and how to play. A screen reader is told of each new guess
// and of the end of the round as they come.

#include "game/DrunoGame.h"
#include "platform/desktop/ListPanel.h"

#include <QStringList>

#include <optional>
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
    // Shows the document's round as it stands; does nothing when that is what it shows.
    void Update(const CMyDrunoDoc& doc);
    QStringList GetLines() const { return m_list.GetLines(); }

    // The panel's lines for a round that is being played or not.
    static QStringList Lines(bool bPlaying, const CDrunoGame& game);
    // A judged guess as a screen reader says it: "123: 1 in place, 1 elsewhere".
    static QString Spoken(const CDrunoGuess& guess);

private:
    // All that the lines are made from. The panel is brought up to date whenever the program
    // falls idle, which is mostly when nothing in the round has changed.
    struct Source {
        bool bPlaying = false;
        bool bSolved = false;
        bool bLost = false;
        QString strNumber;
        std::vector<CDrunoGuess> history;

        static Source Of(const CMyDrunoDoc& doc);
        // What a player who cannot see the panel is told of the change from this state to the
        // document's: a new guess of the round being played, or how the round ended.
        QString News(const CMyDrunoDoc& doc) const;
        // Compared in place: nothing is copied while the round stands still.
        bool Matches(const CMyDrunoDoc& doc) const;
    };

    platform::ListPanel m_list;
    std::optional<Source> m_shown;
};

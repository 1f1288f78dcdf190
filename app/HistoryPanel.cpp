#include "app/HistoryPanel.h"

#include "game/DrunoGame.h"
#include "screen/MyDrunoDoc.h"

bool CHistoryPanel::Create(platform::Frame* pFrame, int nWidth) {
    return m_list.Create(pFrame, nWidth, QStringLiteral("Guesses of this round"));
}

void CHistoryPanel::Update(const CMyDrunoDoc& doc) {
    m_list.SetLines(Lines(doc.m_bPlaying, doc.m_game));
}

QStringList CHistoryPanel::Lines(bool bPlaying, const CDrunoGame& game) {
    // No secret has been drawn yet: this is the player's first look at the game.
    if (game.GetNumber().isEmpty()) {
        return {QStringLiteral("To start, choose Druno > New Game or press Ctrl+N."),
                QStringLiteral("Find the secret number of three different digits in ten tries. "
                               "Tap or type a guess of three digits: you see how many of them "
                               "are in the right place and how many are right but elsewhere.")};
    }

    QStringList lines;
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    for (std::size_t i = 0; i < history.size(); ++i) {
        const CDrunoGuess& guess = history[i];
        lines << QStringLiteral("%1.  %2   %3 in place, %4 elsewhere")
                     .arg(i + 1)
                     .arg(guess.strGuess)
                     .arg(guess.nRightPlace)
                     .arg(guess.nElsewhere);
    }
    if (bPlaying) {
        if (lines.isEmpty()) {
            lines << QStringLiteral("Your guesses will be listed here.");
        }
        return lines;
    }

    // The round is over; the secret may be told now.
    if (game.IsSolved()) {
        lines << (history.size() == 1
                      ? QStringLiteral("Found at the first attempt!")
                      : QStringLiteral("Found in %1 attempts.").arg(history.size()));
    } else if (game.IsLost()) {
        lines << QStringLiteral("No attempts left. The number was %1.").arg(game.GetNumber());
    } else {
        lines << QStringLiteral("Round given up. The number was %1.").arg(game.GetNumber());
    }
    return lines;
}

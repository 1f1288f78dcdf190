#include "app/HistoryPanel.h"

#include "game/DrunoGame.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"

bool CHistoryPanel::Create(platform::Frame* pFrame, int nWidth) {
    return m_list.Create(pFrame, nWidth, QStringLiteral("Guesses of this round"));
}

void CHistoryPanel::Update(const CMyDrunoDoc& doc) {
    const QString strNews = News(doc);
    m_list.SetLines(Lines(doc.m_bPlaying, doc.m_game, doc.GetLevel()));
    m_bWasPlaying = doc.m_bPlaying;
    m_nGuessesTold = doc.m_game.GetHistory().size();
    m_list.Announce(strNews);
}

// What a player who cannot see the panel is told of the change since the last update: a new
// guess of the round being played, or how the round ended.
QString CHistoryPanel::News(const CMyDrunoDoc& doc) const {
    const CDrunoGame& game = doc.m_game;
    if (!m_bWasPlaying) {
        return {};
    }
    if (!doc.m_bPlaying) {
        return Lines(false, game).constLast();
    }
    // The guess that ends the round is told by the box that says so; a notification now
    // would cut it short.
    const std::vector<CDrunoGuess>& now = game.GetHistory();
    if (now.size() <= m_nGuessesTold || game.IsSolved() || game.IsLost()) {
        return {};
    }
    return Spoken(now.back());
}

QString CHistoryPanel::Spoken(const CDrunoGuess& guess) {
    return QStringLiteral("%1: %2 in place, %3 elsewhere")
        .arg(guess.strGuess)
        .arg(guess.nRightPlace)
        .arg(guess.nElsewhere);
}

QStringList CHistoryPanel::Lines(bool bPlaying, const CDrunoGame& game, int nLevel) {
    // No secret has been drawn yet: this is the player's first look at the game.
    if (game.GetNumber().isEmpty()) {
        const QString strDigits = platform::LoadString(IDS_LEVEL_DIGITS)
                                      .split(QLatin1Char('|'))
                                      .value(nLevel - 1, QStringLiteral("three"));
        return {QStringLiteral("To start, choose Druno > New Game or press Ctrl+N."),
                QStringLiteral("Find the secret number of %1 different digits in ten tries. "
                               "Tap or type a guess of %1 digits: you see how many of them "
                               "are in the right place and how many are right but elsewhere.")
                    .arg(strDigits)};
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

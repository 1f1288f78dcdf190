#include "app/HistoryPanel.h"

#include "game/DrunoGame.h"
#include "platform/framework/Frame.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"

bool CHistoryPanel::Create(platform::Frame* pFrame, int nWidth) {
    if (!m_list.Create(pFrame, nWidth, platform::LoadString(IDS_HISTORY_NAME))) {
        return false;
    }
    pFrame->SetSidePanelDividerName(platform::LoadString(IDS_HISTORY_DIVIDER));
    return true;
}

void CHistoryPanel::Update(const CMyDrunoDoc& doc) {
    const QStringList lines = Lines(doc.m_bPlaying, doc.m_game, doc.GetLevel());
    const QString strNews = News(doc, lines);
    m_list.SetLines(lines);
    m_bWasPlaying = doc.m_bPlaying;
    m_nGuessesTold = doc.m_game.GetHistory().size();
    m_list.Announce(strNews);
}

// What a player who cannot see the panel is told of the change since the last update: a new
// guess of the round being played, or how the round ended (the last of the panel's lines).
QString CHistoryPanel::News(const CMyDrunoDoc& doc, const QStringList& lines) const {
    const CDrunoGame& game = doc.m_game;
    // A round of four or five digits says so as it begins; one of three goes as it always has.
    if (!m_bWasPlaying) {
        if (!doc.m_bPlaying || doc.GetLevel() == CMyDrunoDoc::kDefaultLevel) {
            return {};
        }
        return platform::FormatString(IDS_NEW_ROUND, DigitsInWords(doc.GetLevel()));
    }
    if (!doc.m_bPlaying) {
        return lines.constLast();
    }
    // The guess that ends the round is told by the box that says so; a notification now
    // would cut it short.
    const std::vector<CDrunoGuess>& now = game.GetHistory();
    if (now.size() <= m_nGuessesTold || game.IsSolved() || game.IsLost()) {
        return {};
    }
    return Spoken(now.back());
}

QString CHistoryPanel::DigitsInWords(int nLevel) {
    return platform::LoadString(IDS_LEVEL_DIGITS)
        .split(QLatin1Char('|'))
        .value(nLevel - 1, QStringLiteral("three"));
}

QString CHistoryPanel::Spoken(const CDrunoGuess& guess) {
    return platform::LoadString(IDS_HISTORY_SPOKEN)
        .arg(guess.strGuess)
        .arg(guess.nRightPlace)
        .arg(guess.nElsewhere);
}

QStringList CHistoryPanel::Lines(bool bPlaying, const CDrunoGame& game, int nLevel) {
    // No secret has been drawn yet: this is the player's first look at the game.
    if (game.GetNumber().isEmpty()) {
        return {platform::LoadString(IDS_HISTORY_START),
                platform::FormatString(IDS_HISTORY_RULES, DigitsInWords(nLevel))};
    }

    QStringList lines;
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    for (std::size_t i = 0; i < history.size(); ++i) {
        const CDrunoGuess& guess = history[i];
        lines << platform::LoadString(IDS_HISTORY_LINE)
                     .arg(i + 1)
                     .arg(guess.strGuess)
                     .arg(guess.nRightPlace)
                     .arg(guess.nElsewhere);
    }
    if (bPlaying) {
        if (lines.isEmpty()) {
            lines << platform::LoadString(IDS_HISTORY_EMPTY);
        }
        return lines;
    }

    // The round is over; the secret may be told now.
    if (game.IsSolved()) {
        lines << (history.size() == 1
                      ? platform::LoadString(IDS_HISTORY_FOUND_FIRST)
                      : platform::LoadString(IDS_HISTORY_FOUND).arg(history.size()));
    } else if (game.IsLost()) {
        lines << platform::FormatString(IDS_HISTORY_LOST, game.GetNumber());
    } else {
        lines << platform::FormatString(IDS_HISTORY_GIVEN_UP, game.GetNumber());
    }
    return lines;
}

#include "app/HistoryPanel.h"

#include "game/DrunoGame.h"
#include "platform/framework/Frame.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"

namespace {

QString RuledOutText(const std::vector<CDrunoGuess>& history, std::size_t nGuess,
                     const CDrunoRuledOut& ruledOut) {
    const QString& strGuess = history[nGuess].strGuess;
    const CDrunoGuess& earlier = history[ruledOut.nEarlier];
    switch (ruledOut.reason) {
        case CDrunoRuledOut::Reason::RepeatedDigit:
            return platform::FormatString(IDS_COACH_REPEATED_DIGIT, strGuess);
        case CDrunoRuledOut::Reason::GuessedBefore:
            return platform::LoadString(IDS_COACH_GUESSED_BEFORE)
                .arg(strGuess)
                .arg(ruledOut.nEarlier + 1);
        case CDrunoRuledOut::Reason::EarlierAnswer:
            break;
    }
    return platform::LoadString(IDS_COACH_EARLIER_ANSWER)
        .arg(strGuess)
        .arg(ruledOut.nEarlier + 1)
        .arg(earlier.strGuess)
        .arg(earlier.nRightPlace)
        .arg(earlier.nElsewhere)
        .arg(ruledOut.would.nRightPlace)
        .arg(ruledOut.would.nElsewhere);
}

// The hints taken after nGuesses judged guesses.
QStringList HintLines(const CDrunoCoach& coach, std::size_t nGuesses) {
    QStringList lines;
    for (const CDrunoHint& hint : coach.GetHints()) {
        if (hint.nAfterGuesses == nGuesses) {
            lines << platform::FormatString(IDS_COACH_HINT, hint.strNumber);
        }
    }
    return lines;
}

// Texts a screen reader says one after the other, each as a sentence of its own.
QString Sentences(QStringList texts) {
    for (QString& text : texts) {
        if (!text.endsWith(QLatin1Char('.'))) {
            text += QLatin1Char('.');
        }
    }
    return texts.join(QLatin1Char(' '));
}

}  // namespace

bool CHistoryPanel::Create(platform::Frame* pFrame, int nWidth) {
    if (!m_list.Create(pFrame, nWidth, platform::LoadString(IDS_HISTORY_NAME))) {
        return false;
    }
    pFrame->SetSidePanelDividerName(platform::LoadString(IDS_HISTORY_DIVIDER),
                                    platform::LoadString(IDS_HISTORY_DIVIDER_BELOW));
    return true;
}

void CHistoryPanel::Update(const CMyDrunoDoc& doc) {
    const CDrunoCoach* pCoach = CMyDrunoDoc::IsCoachOn() ? &doc.m_coach : nullptr;
    std::vector<int> indents;
    const QStringList lines = Lines(doc.m_bPlaying, doc.m_game, doc.GetLevel(), pCoach, &indents);
    const QString strNews = News(doc);
    m_list.SetLines(lines, indents);
    m_bWasPlaying = doc.m_bPlaying;
    m_nGuessesTold = doc.m_game.GetHistory().size();
    m_nHintsTold = doc.m_coach.GetHints().size();
    m_list.Announce(strNews);
}

// What a player who cannot see the panel is told of the change since the last update: a new
// guess of the round being played, with what the coach says of it, a hint, or how the round
// ended.
QString CHistoryPanel::News(const CMyDrunoDoc& doc) const {
    const CDrunoGame& game = doc.m_game;
    const bool bCoach = CMyDrunoDoc::IsCoachOn();
    // A round of four or five digits says so as it begins; one of three goes as it always has.
    if (!m_bWasPlaying) {
        if (!doc.m_bPlaying || doc.GetLevel() == CMyDrunoDoc::kDefaultLevel) {
            return {};
        }
        return platform::FormatString(IDS_NEW_ROUND, DigitsInWords(doc.GetLevel()));
    }
    if (!doc.m_bPlaying) {
        if (bCoach && doc.m_coach.HintTaken()) {
            return Sentences({EndLine(game), platform::LoadString(IDS_COACH_HINTED)});
        }
        return EndLine(game);
    }
    // The guess that ends the round is told by the box that says so; a notification now
    // would cut it short.
    const std::vector<CDrunoGuess>& now = game.GetHistory();
    if (game.IsSolved() || game.IsLost()) {
        return {};
    }
    if (now.size() > m_nGuessesTold) {
        if (!bCoach) {
            return Spoken(now.back());
        }
        return Sentences(QStringList{Spoken(now.back())} +
                         CoachLines(game, doc.m_coach, now.size() - 1));
    }
    const std::vector<CDrunoHint>& hints = doc.m_coach.GetHints();
    if (bCoach && hints.size() > m_nHintsTold) {
        return platform::FormatString(IDS_COACH_HINT, hints.back().strNumber);
    }
    return {};
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

QStringList CHistoryPanel::CoachLines(const CDrunoGame& game, const CDrunoCoach& coach,
                                      std::size_t nGuess) {
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    QStringList lines;
    if (const std::optional<CDrunoRuledOut> ruledOut = CDrunoCoach::RuleOut(history, nGuess)) {
        lines << RuledOutText(history, nGuess, *ruledOut);
    }
    // After the winning guess the round's end says all there is to say.
    if (nGuess + 1 == history.size() && game.IsSolved()) {
        return lines;
    }
    const std::vector<int>& counts = coach.StillFitting(game);
    if (nGuess < counts.size()) {
        lines << (counts[nGuess] == 1 ? platform::LoadString(IDS_COACH_FIT_ONE)
                                      : platform::LoadString(IDS_COACH_FIT).arg(counts[nGuess]));
    }
    return lines;
}

QStringList CHistoryPanel::Lines(bool bPlaying, const CDrunoGame& game, int nLevel,
                                 const CDrunoCoach* pCoach, std::vector<int>* pIndents) {
    // No secret has been drawn yet: this is the player's first look at the game.
    if (game.GetNumber().isEmpty()) {
        return {platform::LoadString(IDS_HISTORY_START),
                platform::FormatString(IDS_HISTORY_RULES, DigitsInWords(nLevel))};
    }

    QStringList lines;
    if (pIndents != nullptr) {
        pIndents->clear();
    }
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    if (pCoach != nullptr) {
        lines << HintLines(*pCoach, 0);
    }
    for (std::size_t i = 0; i < history.size(); ++i) {
        const CDrunoGuess& guess = history[i];
        lines << platform::LoadString(IDS_HISTORY_LINE)
                     .arg(i + 1)
                     .arg(guess.strGuess)
                     .arg(guess.nRightPlace)
                     .arg(guess.nElsewhere);
        if (pCoach != nullptr) {
            const QStringList coachLines = CoachLines(game, *pCoach, i);
            // They stand in under the guess they are about; lines before them do not.
            if (pIndents != nullptr) {
                pIndents->resize(lines.size(), 0);
                pIndents->resize(lines.size() + coachLines.size(), 1);
            }
            lines << coachLines << HintLines(*pCoach, i + 1);
        }
    }
    if (bPlaying) {
        if (history.empty()) {
            lines.prepend(platform::LoadString(IDS_HISTORY_EMPTY));
        }
        return lines;
    }

    // The round is over; the secret may be told now.
    lines << EndLine(game);
    if (pCoach != nullptr && pCoach->HintTaken()) {
        lines << platform::LoadString(IDS_COACH_HINTED);
    }
    return lines;
}

QString CHistoryPanel::EndLine(const CDrunoGame& game) {
    const std::size_t nGuesses = game.GetHistory().size();
    if (game.IsSolved()) {
        return nGuesses == 1 ? platform::LoadString(IDS_HISTORY_FOUND_FIRST)
                             : platform::LoadString(IDS_HISTORY_FOUND).arg(nGuesses);
    }
    if (game.IsLost()) {
        return platform::FormatString(IDS_HISTORY_LOST, game.GetNumber());
    }
    return platform::FormatString(IDS_HISTORY_GIVEN_UP, game.GetNumber());
}

#include "game/DrunoCoach.h"

#include <array>

namespace {

constexpr int kMaxDigits = 10;

template <class Visit>
bool Extend(std::array<char16_t, kMaxDigits>& number, int nPosition, int nDigits, unsigned used,
            Visit& visit) {
    if (nPosition == nDigits) {
        return visit(QStringView(number.data(), nDigits));
    }
    for (int digit = 0; digit <= 9; ++digit) {
        if ((used & (1u << digit)) != 0) {
            continue;
        }
        number[nPosition] = static_cast<char16_t>(u'0' + digit);
        if (!Extend(number, nPosition + 1, nDigits, used | (1u << digit), visit)) {
            return false;
        }
    }
    return true;
}

// Calls visit with every number of nDigits different digits, in increasing order, while it
// answers true. The numbers are views of one buffer: no string is made for any of them.
template <class Visit>
void ForEachNumber(int nDigits, Visit visit) {
    if (nDigits < 1 || nDigits > kMaxDigits) {
        return;
    }
    std::array<char16_t, kMaxDigits> number{};
    Extend(number, 0, nDigits, 0, visit);
}

CDrunoAnswer AnswerOf(const CDrunoGuess& guess) {
    return {guess.nRightPlace, guess.nElsewhere};
}

bool FitsAnswer(QStringView strNumber, const CDrunoGuess& guess) {
    return JudgeGuess(guess.strGuess, strNumber) == AnswerOf(guess);
}

bool HasRepeatedDigit(QStringView strNumber) {
    for (qsizetype i = 0; i < strNumber.size(); ++i) {
        if (strNumber.left(i).contains(strNumber[i])) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CDrunoCoach::Fits(QStringView strNumber, std::span<const CDrunoGuess> answers) {
    for (const CDrunoGuess& guess : answers) {
        if (!FitsAnswer(strNumber, guess)) {
            return false;
        }
    }
    return true;
}

int CDrunoCoach::CountFitting(int nDigits, std::span<const CDrunoGuess> answers) {
    int nCount = 0;
    ForEachNumber(nDigits, [&](QStringView number) {
        nCount += Fits(number, answers) ? 1 : 0;
        return true;
    });
    return nCount;
}

std::vector<int> CDrunoCoach::CountsAfterEachAnswer(int nDigits,
                                                    std::span<const CDrunoGuess> answers) {
    std::vector<int> counts(answers.size(), 0);
    ForEachNumber(nDigits, [&](QStringView number) {
        for (std::size_t k = 0; k < answers.size() && FitsAnswer(number, answers[k]); ++k) {
            ++counts[k];
        }
        return true;
    });
    return counts;
}

std::optional<CDrunoRuledOut> CDrunoCoach::RuleOut(std::span<const CDrunoGuess> history,
                                                   std::size_t nGuess) {
    if (nGuess >= history.size()) {
        return std::nullopt;
    }
    const QString& strNumber = history[nGuess].strGuess;
    if (HasRepeatedDigit(strNumber)) {
        return CDrunoRuledOut{CDrunoRuledOut::Reason::RepeatedDigit, 0, {}};
    }
    for (std::size_t k = 0; k < nGuess; ++k) {
        const CDrunoGuess& earlier = history[k];
        if (earlier.strGuess == strNumber) {
            return CDrunoRuledOut{CDrunoRuledOut::Reason::GuessedBefore, k, {}};
        }
        const CDrunoAnswer would = JudgeGuess(earlier.strGuess, strNumber);
        if (!(would == AnswerOf(earlier))) {
            return CDrunoRuledOut{CDrunoRuledOut::Reason::EarlierAnswer, k, would};
        }
    }
    return std::nullopt;
}

const std::vector<int>& CDrunoCoach::StillFitting(const CDrunoGame& game) const {
    const auto nDigits = static_cast<int>(game.GetNumber().size());
    if (nDigits != m_nCountedDigits || game.GetHistory() != m_counted) {
        m_counts = CountsAfterEachAnswer(nDigits, game.GetHistory());
        m_counted = game.GetHistory();
        m_nCountedDigits = nDigits;
    }
    return m_counts;
}

const CDrunoHint* CDrunoCoach::TakeHint(const CDrunoGame& game) {
    const std::vector<CDrunoGuess>& history = game.GetHistory();
    if (!m_hints.empty() && m_hints.back().nAfterGuesses == history.size()) {
        return &m_hints.back();
    }
    const auto nDigits = static_cast<int>(game.GetNumber().size());
    const int nFitting = CountFitting(nDigits, history);
    if (nFitting == 0) {
        return nullptr;
    }
    int nLeft = RandomNumber(0, nFitting - 1);
    QString strHint;
    ForEachNumber(nDigits, [&](QStringView number) {
        if (Fits(number, history) && nLeft-- == 0) {
            strHint = number.toString();
            return false;
        }
        return true;
    });
    m_hints.push_back({history.size(), strHint});
    return &m_hints.back();
}

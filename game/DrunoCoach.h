#pragma once

// The coach: what the answers of a round so far tell about its secret. It counts the numbers
// that still fit every answer, says which earlier answer rules a guess out, and draws a hint
// among the numbers that fit. A secret never has a digit twice, so the numbers a round of n
// digits can have are the n-digit strings of different digits (720, 5040 and 30240 for three,
// four and five). Knows nothing of windows; the history panel shows what it finds.

#include "game/DrunoGame.h"
#include "game/Judging.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Why a guess cannot be the secret: a digit of it repeats, it was guessed before, or an
// earlier guess would then have got another answer than the round gave it.
struct CDrunoRuledOut {
    enum class Reason { RepeatedDigit, GuessedBefore, EarlierAnswer };
    Reason reason = Reason::RepeatedDigit;
    std::size_t nEarlier = 0;  // the earlier guess, an index into the round's history
    CDrunoAnswer would;        // EarlierAnswer: what that guess would have got
    friend bool operator==(const CDrunoRuledOut&, const CDrunoRuledOut&) = default;
};

// A hint of the round: the number shown, and how many guesses had been judged when it was.
struct CDrunoHint {
    std::size_t nAfterGuesses = 0;
    QString strNumber;
};

class CDrunoCoach {
public:
    // True when every guess of answers, judged against strNumber as the secret, gets the answer
    // the round gave it.
    static bool Fits(QStringView strNumber, std::span<const CDrunoGuess> answers);
    // How many numbers of nDigits different digits fit every answer.
    static int CountFitting(int nDigits, std::span<const CDrunoGuess> answers);
    // Element k: how many numbers of nDigits different digits fit answers 0 to k. One pass over
    // the numbers, each judged until the first answer it does not fit.
    static std::vector<int> CountsAfterEachAnswer(int nDigits,
                                                  std::span<const CDrunoGuess> answers);
    // Why guess nGuess of the history cannot be the secret, given the answers before it;
    // nothing when it could be. The earliest guess that rules it out is the one named.
    static std::optional<CDrunoRuledOut> RuleOut(std::span<const CDrunoGuess> history,
                                                 std::size_t nGuess);

    // Forgets the hints of the round before.
    void NewRound() { m_hints.clear(); }
    // CountsAfterEachAnswer for the round's history, counted again only when it has changed.
    const std::vector<int>& StillFitting(const CDrunoGame& game) const;
    // A number drawn at random among those that fit every answer of the round so far; the same
    // one again until the round has another answer. Null when nothing fits, which a round with
    // a secret of different digits never comes to.
    const CDrunoHint* TakeHint(const CDrunoGame& game);
    const std::vector<CDrunoHint>& GetHints() const { return m_hints; }
    bool HintTaken() const { return !m_hints.empty(); }

private:
    std::vector<CDrunoHint> m_hints;
    // What StillFitting counted last, and for which history.
    mutable int m_nCountedDigits = 0;
    mutable std::vector<CDrunoGuess> m_counted;
    mutable std::vector<int> m_counts;
};

// The coach's reasoning on real rounds: the numbers that still fit after each answer, against
// a count of every string of digits; the guesses that cannot be the secret, with the earlier
// guess that rules them out; and hints, which always fit.

#include "game/DrunoCoach.h"
#include "game/DrunoGame.h"
#include "game/Judging.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <vector>

namespace {

// The round's history after typing each guess of the list, on the secret given.
std::vector<CDrunoGuess> Play(const QString& secret, const QStringList& guesses) {
    CDrunoGame::SetChosenSecret(secret);
    CDrunoGame game;
    game.Init(static_cast<int>(secret.size()), 10, true);
    CDrunoGame::SetChosenSecret(QString());
    for (const QString& guess : guesses) {
        for (QChar digit : guess) {
            game.AddDigit(digit.digitValue());
        }
    }
    return game.GetHistory();
}

bool HasRepeatedDigit(const QString& number) {
    return std::set<QChar>(number.begin(), number.end()).size() != std::size_t(number.size());
}

// Element k: how many strings of nDigits digits, those with a digit twice left out, fit the
// first k answers. Every string is judged against every answer: nothing of the coach's own
// enumeration or early exits.
std::vector<int> BruteForceCounts(int nDigits, const std::vector<CDrunoGuess>& answers) {
    std::vector<int> counts(answers.size() + 1, 0);
    const int end = static_cast<int>(std::pow(10, nDigits));
    for (int n = 0; n < end; ++n) {
        const QString number = QStringLiteral("%1").arg(n, nDigits, 10, QLatin1Char('0'));
        if (HasRepeatedDigit(number)) {
            continue;
        }
        std::vector<bool> fits;
        for (const CDrunoGuess& guess : answers) {
            fits.push_back(JudgeGuess(guess.strGuess, number) ==
                           CDrunoAnswer{guess.nRightPlace, guess.nElsewhere});
        }
        for (std::size_t k = 0; k <= answers.size(); ++k) {
            counts[k] += std::all_of(fits.begin(), fits.begin() + k, [](bool b) { return b; });
        }
    }
    return counts;
}

struct CountCase {
    const char* secret;
    const char* guesses;
    std::vector<int> stillFit;  // after each guess
};

void PrintTo(const CountCase& c, std::ostream* out) {
    *out << c.secret << " after \"" << c.guesses << "\"";
}

class StillFitting : public testing::TestWithParam<CountCase> {};

TEST_P(StillFitting, AfterEachAnswerAsABruteForceCountFinds) {
    const CountCase& c = GetParam();
    const QString secret = QString::fromLatin1(c.secret);
    const auto nDigits = static_cast<int>(secret.size());
    const std::vector<CDrunoGuess> history =
        Play(secret, QString::fromLatin1(c.guesses).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    ASSERT_EQ(history.size(), c.stillFit.size());

    EXPECT_EQ(CDrunoCoach::CountsAfterEachAnswer(nDigits, history), c.stillFit);
    std::vector<int> expected = c.stillFit;
    expected.insert(expected.begin(), std::vector<int>{720, 5040, 30240}[nDigits - 3]);
    EXPECT_EQ(BruteForceCounts(nDigits, history), expected);
    for (std::size_t k = 0; k <= history.size(); ++k) {
        EXPECT_EQ(CDrunoCoach::CountFitting(nDigits, std::span(history.data(), k)), expected[k])
            << "after " << k << " answers";
    }
    // Whatever was guessed, the secret itself always fits.
    EXPECT_TRUE(CDrunoCoach::Fits(secret, history));
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, StillFitting,
    testing::Values(
        CountCase{"123", "", {}}, CountCase{"123", "456", {210}},
        CountCase{"123", "456 789", {210, 24}}, CountCase{"123", "321", {3}},
        // Every number with a 1 answers 111 with 1 in place, 2 elsewhere.
        CountCase{"123", "111", {216}}, CountCase{"123", "456 312 123", {210, 2, 1}},
        CountCase{"4071", "1234 5678", {1260, 168}},
        CountCase{"4071", "0123 4567 1047", {1260, 168, 1}}, CountCase{"4071", "9999", {3024}},
        CountCase{"40719", "12345 67890 13579 02468 97104 40791", {7800, 4160, 543, 339, 4, 2}},
        CountCase{"40719",
                  "01234 56789 98765 43210 13579 24680 19704 40719",
                  {6400, 320, 128, 20, 5, 2, 1, 1}},
        // Ten answers at five digits, repeats and all: the most the coach ever counts against.
        CountCase{"40719",
                  "12345 12345 54321 67890 09876 11111 22222 33333 44444 55555",
                  {7800, 7800, 5040, 2688, 1392, 528, 392, 224, 136, 136}}));

struct RuledOutCase {
    const char* name;
    const char* guesses;  // on the secret 123; the last is the one asked about
    std::optional<CDrunoRuledOut> expected;
};

class RuleOut : public testing::TestWithParam<RuledOutCase> {};

TEST_P(RuleOut, NamesTheEarliestGuessThatRulesTheLastOneOut) {
    const std::vector<CDrunoGuess> history = Play(
        QStringLiteral("123"), QString::fromLatin1(GetParam().guesses).split(QLatin1Char(' ')));
    const std::optional<CDrunoRuledOut> found = CDrunoCoach::RuleOut(history, history.size() - 1);
    EXPECT_EQ(found.has_value(), GetParam().expected.has_value());
    if (found && GetParam().expected) {
        EXPECT_EQ(found->reason, GetParam().expected->reason);
        EXPECT_EQ(found->nEarlier, GetParam().expected->nEarlier);
        EXPECT_EQ(found->would, GetParam().expected->would);
    }
    // A guess is ruled out exactly when it does not fit the answers before it, or repeats.
    const std::span<const CDrunoGuess> before(history.data(), history.size() - 1);
    const QString last = history.back().strGuess;
    EXPECT_EQ(found.has_value(), HasRepeatedDigit(last) || !CDrunoCoach::Fits(last, before));
}

using Reason = CDrunoRuledOut::Reason;

INSTANTIATE_TEST_SUITE_P(
    SecretOneTwoThree, RuleOut,
    testing::Values(RuledOutCase{"FirstGuess", "456", std::nullopt},
                    RuledOutCase{"FirstGuessWithADigitTwice", "112",
                                 CDrunoRuledOut{Reason::RepeatedDigit, 0, {}}},
                    RuledOutCase{"FitsBoth", "456 789 012", std::nullopt},
                    RuledOutCase{"TheWinningGuess", "456 312 123", std::nullopt},
                    RuledOutCase{"SameGuessAgain", "456 789 456",
                                 CDrunoRuledOut{Reason::GuessedBefore, 0, {}}},
                    // 456 had nothing; 145 as the secret would have given 456 two digits elsewhere.
                    RuledOutCase{"DigitsAnEarlierAnswerExcluded", "456 145",
                                 CDrunoRuledOut{Reason::EarlierAnswer, 0, {0, 2}}},
                    RuledOutCase{"PlacesAnEarlierAnswerExcluded", "321 132",
                                 CDrunoRuledOut{Reason::EarlierAnswer, 0, {0, 3}}},
                    // Both 789 and 456 rule 147 out; the first of them is named.
                    RuledOutCase{"EarliestOfTwo", "789 456 147",
                                 CDrunoRuledOut{Reason::EarlierAnswer, 0, {0, 1}}},
                    RuledOutCase{"OnlyTheSecondRulesItOut", "789 456 140",
                                 CDrunoRuledOut{Reason::EarlierAnswer, 1, {0, 1}}},
                    RuledOutCase{"RepeatedDigitComesFirst", "456 446",
                                 CDrunoRuledOut{Reason::RepeatedDigit, 0, {}}}),
    [](const testing::TestParamInfo<RuledOutCase>& info) { return std::string(info.param.name); });

// Rounds of random guesses at every level, a hint taken after every answer: each one is a
// number of the level that fits every answer so far, and stays the same until the next one.
TEST(Hint, AlwaysFitsEveryAnswerSoFar) {
    std::mt19937 random(29);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int nDigits = 3; nDigits <= 5; ++nDigits) {
        for (int round = 0; round < 4; ++round) {
            CDrunoGame game;
            game.Init(nDigits, 10, true);
            CDrunoCoach coach;
            while (!game.IsLost() && !game.IsSolved()) {
                const CDrunoHint* hint = coach.TakeHint(game);
                ASSERT_NE(hint, nullptr);
                SCOPED_TRACE(hint->strNumber.toStdString());
                EXPECT_EQ(hint->nAfterGuesses, game.GetHistory().size());
                EXPECT_EQ(hint->strNumber.size(), nDigits);
                EXPECT_FALSE(HasRepeatedDigit(hint->strNumber));
                for (const CDrunoGuess& guess : game.GetHistory()) {
                    EXPECT_EQ(JudgeGuess(guess.strGuess, hint->strNumber),
                              (CDrunoAnswer{guess.nRightPlace, guess.nElsewhere}))
                        << guess.strGuess.toStdString();
                }
                const QString first = hint->strNumber;
                EXPECT_EQ(coach.TakeHint(game)->strNumber, first);
                EXPECT_EQ(coach.GetHints().size(), game.GetHistory().size() + 1);
                for (int i = 0; i < nDigits; ++i) {
                    game.AddDigit(digit(random));
                }
            }
            EXPECT_TRUE(coach.HintTaken());
            coach.NewRound();
            EXPECT_FALSE(coach.HintTaken());
        }
    }
}

// Once only one number fits, the hint is the secret.
TEST(Hint, IsTheSecretWhenNothingElseFits) {
    CDrunoGame::SetChosenSecret(QStringLiteral("4071"));
    CDrunoGame game;
    game.Init(4, 10, true);
    CDrunoGame::SetChosenSecret(QString());
    for (int d : {0, 1, 2, 3, 4, 5, 6, 7, 1, 0, 4, 7}) {
        game.AddDigit(d);
    }
    CDrunoCoach coach;
    ASSERT_EQ(coach.StillFitting(game), (std::vector<int>{1260, 168, 1}));
    const CDrunoHint* hint = coach.TakeHint(game);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->strNumber, QStringLiteral("4071"));
}

}  // namespace

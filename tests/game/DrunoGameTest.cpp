#include "game/DrunoGame.h"
#include "platform/core/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <set>

namespace {

// A round whose secret is the wanted one.
class SecretGame : public ::testing::Test {
protected:
    void StartWithSecret(const QString& secret) {
        CDrunoGame::SetChosenSecret(secret);
        game.Init(3, 10, true);
        CDrunoGame::SetChosenSecret(QString());
        ASSERT_EQ(game.GetNumber(), secret);
    }

    void Type(const char* digits) {
        for (const char* d = digits; *d != '\0'; ++d) {
            game.AddDigit(*d - '0');
        }
    }

    CDrunoGame game;
};

TEST_F(SecretGame, FreshRoundHasThreeDifferentDigitsAndNothingTyped) {
    game.Init(3, 10, true);
    const QString secret = game.GetNumber();
    ASSERT_EQ(secret.size(), 3);
    EXPECT_EQ(std::set<QChar>(secret.begin(), secret.end()).size(), 3u);
    for (QChar c : secret) {
        EXPECT_TRUE(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    EXPECT_EQ(game.GetTyped(), QString());
    EXPECT_EQ(game.GetResult(), QStringLiteral("? ?"));
    EXPECT_EQ(game.GetStatus(), QStringLiteral("1 / 10"));
    EXPECT_FALSE(game.IsSolved());
    EXPECT_FALSE(game.IsLost());
}

struct Judging {
    const char* guess;
    const char* result;
};

class JudgingTable : public SecretGame, public ::testing::WithParamInterface<Judging> {};

TEST_P(JudgingTable, CountsRightPlaceThenElsewhere) {
    StartWithSecret(QStringLiteral("123"));
    Type(GetParam().guess);
    EXPECT_EQ(game.GetResult(), QString::fromLatin1(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(SecretOneTwoThree, JudgingTable,
                         ::testing::Values(Judging{"123", "3 0"}, Judging{"321", "1 2"},
                                           Judging{"456", "0 0"}, Judging{"231", "0 3"},
                                           Judging{"111", "1 2"}, Judging{"221", "1 2"},
                                           Judging{"12", "? ?"}, Judging{"", "? ?"}));

TEST_F(SecretGame, WinningGuessIsNotCountedAsAnAttempt) {
    StartWithSecret(QStringLiteral("123"));
    EXPECT_FALSE(game.AddDigit(1));
    EXPECT_FALSE(game.AddDigit(2));
    EXPECT_TRUE(game.AddDigit(3));
    EXPECT_TRUE(game.IsSolved());
    EXPECT_EQ(game.GetStatus(), QStringLiteral("1 / 10"));
}

TEST_F(SecretGame, WrongGuessCountsAndTheNextDigitStartsAFreshGuess) {
    StartWithSecret(QStringLiteral("123"));
    Type("456");
    EXPECT_EQ(game.GetStatus(), QStringLiteral("2 / 10"));
    EXPECT_FALSE(game.AddDigit(7));
    EXPECT_EQ(game.GetTyped(), QStringLiteral("7"));
    EXPECT_EQ(game.GetResult(), QStringLiteral("? ?"));
}

TEST_F(SecretGame, TenthWrongGuessLosesAndACorrectTenthGuessWins) {
    StartWithSecret(QStringLiteral("123"));
    for (int i = 0; i < 9; ++i) {
        Type("456");
        EXPECT_FALSE(game.IsLost());
    }
    CDrunoGame lastCorrect = game;
    Type("456");
    EXPECT_TRUE(game.IsLost());
    EXPECT_EQ(game.GetStatus(), QStringLiteral("11 / 10"));

    game = lastCorrect;
    Type("123");
    EXPECT_TRUE(game.IsSolved());
    EXPECT_FALSE(game.IsLost());
    EXPECT_EQ(game.GetStatus(), QStringLiteral("10 / 10"));
}

TEST_F(SecretGame, DeleteDigit) {
    StartWithSecret(QStringLiteral("123"));
    EXPECT_FALSE(game.DeleteDigit());
    EXPECT_EQ(game.GetTyped(), QString());

    Type("12");
    EXPECT_TRUE(game.DeleteDigit());
    EXPECT_EQ(game.GetTyped(), QStringLiteral("1"));
    EXPECT_TRUE(game.DeleteDigit());

    // Shortening a judged guess keeps its attempt; completing it again counts another.
    Type("456");
    EXPECT_TRUE(game.DeleteDigit());
    EXPECT_EQ(game.GetTyped(), QStringLiteral("45"));
    EXPECT_EQ(game.GetStatus(), QStringLiteral("2 / 10"));
    EXPECT_TRUE(game.AddDigit(7));
    EXPECT_EQ(game.GetStatus(), QStringLiteral("3 / 10"));
}

// The round keeps every complete guess with its counts, in the order typed, until the next
// round; a guess shortened and completed again is a guess of its own.
TEST_F(SecretGame, HistoryListsEveryCompleteGuessUntilTheNextRound) {
    StartWithSecret(QStringLiteral("123"));
    Type("45");
    EXPECT_TRUE(game.GetHistory().empty());
    Type("6");
    game.DeleteDigit();
    Type("1321");
    const std::vector<CDrunoGuess> expected = {{QStringLiteral("456"), 0, 0},
                                               {QStringLiteral("451"), 0, 1},
                                               {QStringLiteral("321"), 1, 2}};
    EXPECT_EQ(game.GetHistory(), expected);

    game.Init(3, 10, true);
    EXPECT_TRUE(game.GetHistory().empty());
}

// Tick counts whose first drawn candidate repeats a digit, each clash in its own place.
struct ClashingSeed {
    const char* name;
    std::uint32_t tick;
    const char* firstCandidate;
};

void PrintTo(const ClashingSeed& c, std::ostream* out) {
    *out << c.name;
}

class DistinctSecret : public ::testing::TestWithParam<ClashingSeed> {
protected:
    void TearDown() override { platform::SetTickSource(nullptr); }
};

// The round seeds from the tick count, so a fixed tick draws a known candidate. One that
// repeats a digit anywhere is drawn again; without the rule the digits stand as drawn.
TEST_P(DistinctSecret, ACandidateWithARepeatedDigitIsDrawnAgain) {
    const ClashingSeed& c = GetParam();
    platform::SetTickSource([&c] { return c.tick; });
    SeedRandom();
    QString candidate;
    for (int i = 0; i < 3; ++i) {
        candidate += QString::number(RandomNumber(0, 9));
    }
    ASSERT_EQ(candidate, QLatin1String(c.firstCandidate)) << "the table no longer clashes";

    CDrunoGame game;
    game.Init(3, 10, true);
    const QString secret = game.GetNumber();
    EXPECT_EQ(std::set<QChar>(secret.begin(), secret.end()).size(), 3u) << secret.toStdString();

    game.Init(3, 10, false);
    EXPECT_EQ(game.GetNumber(), QLatin1String(c.firstCandidate));
}

INSTANTIATE_TEST_SUITE_P(Seeds, DistinctSecret,
                         ::testing::Values(ClashingSeed{"firstAndLast", 1025, "868"},
                                           ClashingSeed{"middleAndLast", 1001, "211"},
                                           ClashingSeed{"firstAndMiddle", 1002, "008"},
                                           ClashingSeed{"allThree", 1007, "666"}),
                         [](const ::testing::TestParamInfo<ClashingSeed>& info) {
                             return std::string(info.param.name);
                         });

TEST(RandomNumber, ZeroToZeroDrawsNothing) {
    std::srand(42);
    const int first = std::rand();
    std::srand(42);
    EXPECT_EQ(RandomNumber(0, 0), 0);
    EXPECT_EQ(std::rand(), first);
}

TEST(RandomNumber, StaysWithinItsBounds) {
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        seen.insert(RandomNumber(0, 9));
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

}  // namespace

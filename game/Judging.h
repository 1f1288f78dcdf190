#pragma once

// The game's one rule for judging a guess against a secret. The round judges its guesses with
// it, and so does everything that reasons about a round: the coach and the level simulation.

#include <QStringView>

// How a guess fares against a secret: digits in the right place, and digits that the secret
// has elsewhere.
struct CDrunoAnswer {
    int nRightPlace = 0;
    int nElsewhere = 0;
    friend bool operator==(const CDrunoAnswer&, const CDrunoAnswer&) = default;
};

// Judges a guess against a secret of the same length. Each position of the guess counts by
// itself, repeated digits included: against 123, the guess 111 has 1 in place, 2 elsewhere.
CDrunoAnswer JudgeGuess(QStringView strGuess, QStringView strSecret);

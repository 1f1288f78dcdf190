#pragma once

// One round of the game: the secret, the guess being typed, the attempts and the lost flag.
// Knows nothing of windows, sounds or statistics; the view drives it and ends the round.

#include <QString>

#include <vector>

// Seeds the process-wide generator with the millisecond tick count.
void SeedRandom();
// A number from nLow to nHigh inclusive; (0, 0) gives 0 without drawing.
int RandomNumber(int nLow, int nHigh);

// A complete guess as the round judged it: the digits, and how many of them stand in the
// right place and how many are right but stand elsewhere.
struct CDrunoGuess {
    QString strGuess;
    int nRightPlace = 0;
    int nElsewhere = 0;
    friend bool operator==(const CDrunoGuess&, const CDrunoGuess&) = default;
};

class CDrunoGame {
public:
    CDrunoGame();

    // Starts a new round with a freshly drawn secret; every round reseeds the generator.
    void Init(int nDigits, int nMaxAttempts, bool bDistinct);

    // Test seam: while set (not empty), every Init takes this secret instead of drawing one;
    // it must hold nDigits digit characters. The generator is reseeded all the same.
    static void SetChosenSecret(const QString& strSecret);

    // Adds a digit 0 to 9. True when the guess is complete after the call.
    bool AddDigit(int nDigit);
    // Removes the last digit typed. False when there was none.
    bool DeleteDigit();

    bool IsSolved() const { return m_strTyped == m_strNumber; }
    bool IsLost() const { return m_bLost; }
    QString GetNumber() const { return m_strNumber; }
    QString GetTyped() const { return m_strTyped; }
    // "? ?" while the guess is incomplete, else "<right place> <elsewhere>".
    QString GetResult() const;
    // "<attempt being typed> / <attempts allowed>".
    QString GetStatus() const;
    // Every complete guess of the round, in the order typed; kept until the next Init.
    const std::vector<CDrunoGuess>& GetHistory() const { return m_history; }

private:
    bool IsTypedComplete() const { return m_strTyped.length() == m_nDigits; }
    // Judges a guess of m_nDigits digits against the secret.
    CDrunoGuess Judge(const QString& strGuess) const;

    QString m_strNumber;
    QString m_strTyped;
    int m_nDigits = 0;
    int m_nAttempt = 0;
    int m_nMaxAttempts = 0;
    bool m_bLost = false;
    bool m_bDistinct = false;
    std::vector<CDrunoGuess> m_history;
};

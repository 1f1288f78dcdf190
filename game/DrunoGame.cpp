#include "game/DrunoGame.h"

#include "game/Judging.h"
#include "platform/core/Clock.h"
#include "trace/TraceScope.h"

#include <cstdlib>

void SeedRandom() {
    std::srand(platform::GetTickCount());
}

int RandomNumber(int nLow, int nHigh) {
    if (nLow == 0 && nHigh == 0) {
        return 0;
    }
    return nLow + std::rand() % (nHigh - nLow + 1);
}

namespace {

QString& ChosenSecret() {
    static QString strSecret;
    return strSecret;
}

}  // namespace

void CDrunoGame::SetChosenSecret(const QString& strSecret) {
    ChosenSecret() = strSecret;
}

CDrunoGame::CDrunoGame() {
    CTraceScope trace(QStringLiteral("CDrunoGame::CDrunoGame()"));
}

void CDrunoGame::Init(int nDigits, int nMaxAttempts, bool bDistinct) {
    CTraceScope trace(QStringLiteral("CDrunoGame::Init()"));
    SeedRandom();
    m_bLost = false;
    m_nAttempt = 0;
    m_nMaxAttempts = nMaxAttempts;
    m_nDigits = nDigits;
    m_strTyped.clear();
    m_bDistinct = bDistinct;
    m_history.clear();

    bool bAccepted = !ChosenSecret().isEmpty();
    if (bAccepted) {
        m_strNumber = ChosenSecret();
    }
    while (!bAccepted) {
        m_strNumber.clear();
        for (int i = 0; i < m_nDigits; ++i) {
            m_strNumber += QString::asprintf("%d", RandomNumber(0, 9));
        }
        // A clash rejects the whole candidate: all digits are drawn anew.
        bAccepted = true;
        for (int i = 0; bAccepted && m_bDistinct && i < m_nDigits; ++i) {
            for (int j = 0; j < m_nDigits; ++j) {
                if (i != j && m_strNumber[i] == m_strNumber[j]) {
                    bAccepted = false;
                    break;
                }
            }
        }
    }
    trace.Log(QStringLiteral("m_strNumber=\"") + m_strNumber + QStringLiteral("\""));
}

bool CDrunoGame::AddDigit(int nDigit) {
    // A judged guess is still showing: the new digit starts the next one.
    if (IsTypedComplete()) {
        m_strTyped.clear();
    }
    if (m_strTyped.length() < m_nDigits) {
        m_strTyped += QString::asprintf("%d", nDigit);
    }
    if (!IsTypedComplete()) {
        return false;
    }
    m_history.push_back(Judge(m_strTyped));
    // The winning guess is not counted as a failed attempt.
    if (IsSolved()) {
        return true;
    }
    ++m_nAttempt;
    if (m_nAttempt >= m_nMaxAttempts) {
        m_bLost = true;
    }
    return true;
}

bool CDrunoGame::DeleteDigit() {
    if (m_strTyped.isEmpty()) {
        return false;
    }
    m_strTyped.chop(1);
    return true;
}

QString CDrunoGame::GetResult() const {
    if (m_strTyped.length() != m_strNumber.length() || m_strTyped.length() != m_nDigits) {
        return QStringLiteral("? ?");
    }
    const CDrunoGuess judged = Judge(m_strTyped);
    return QString::asprintf("%d %d", judged.nRightPlace, judged.nElsewhere);
}

CDrunoGuess CDrunoGame::Judge(const QString& strGuess) const {
    const CDrunoAnswer answer =
        JudgeGuess(QStringView(strGuess).left(m_nDigits), QStringView(m_strNumber).left(m_nDigits));
    return {strGuess, answer.nRightPlace, answer.nElsewhere};
}

QString CDrunoGame::GetStatus() const {
    return QString::number(m_nAttempt + 1) + QStringLiteral(" / ") +
           QString::number(m_nMaxAttempts);
}

#include "game/Judging.h"

#include <algorithm>

CDrunoAnswer JudgeGuess(QStringView strGuess, QStringView strSecret) {
    CDrunoAnswer answer;
    const qsizetype nDigits = std::min(strGuess.size(), strSecret.size());
    for (qsizetype i = 0; i < nDigits; ++i) {
        if (strGuess[i] == strSecret[i]) {
            ++answer.nRightPlace;
        }
        for (qsizetype j = 0; j < nDigits; ++j) {
            if (i != j && strGuess[i] == strSecret[j]) {
                ++answer.nElsewhere;
            }
        }
    }
    return answer;
}

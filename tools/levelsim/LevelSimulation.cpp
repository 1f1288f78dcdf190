// Plays many rounds at each level with a consistent-guess player: every guess is a number
// of distinct digits that agrees with every answer so far, drawn at random from those left.
// Prints, per level, the mean number of attempts, the worst case and the share of rounds won
// within the given limit.
//
//     levelsim [rounds per level = 2000] [attempts allowed = 10] [seed = 1]

#include "game/Judging.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// A number of up to five digits, as the characters it is typed with.
using Code = std::array<char16_t, 5>;

QStringView Digits(const Code& code, int nDigits) {
    return QStringView(code.data(), nDigits);
}

// As the round judges a guess.
CDrunoAnswer Judge(const Code& guess, const Code& secret, int nDigits) {
    return JudgeGuess(Digits(guess, nDigits), Digits(secret, nDigits));
}

void AddCodes(std::vector<Code>& codes, Code& code, int nPosition, int nDigits, unsigned used) {
    if (nPosition == nDigits) {
        codes.push_back(code);
        return;
    }
    for (int digit = 0; digit <= 9; ++digit) {
        if ((used & (1u << digit)) == 0) {
            code[nPosition] = static_cast<char16_t>(u'0' + digit);
            AddCodes(codes, code, nPosition + 1, nDigits, used | (1u << digit));
        }
    }
}

std::vector<Code> AllCodes(int nDigits) {
    std::vector<Code> codes;
    Code code{};
    AddCodes(codes, code, 0, nDigits, 0);
    return codes;
}

// The attempts the player needs to find secret.
int Play(const std::vector<Code>& all, const Code& secret, int nDigits, std::mt19937& random) {
    std::vector<Code> candidates = all;
    for (int attempt = 1;; ++attempt) {
        std::uniform_int_distribution<std::size_t> pick(0, candidates.size() - 1);
        const Code guess = candidates[pick(random)];
        const CDrunoAnswer answer = Judge(guess, secret, nDigits);
        if (answer.nRightPlace == nDigits) {
            return attempt;
        }
        std::erase_if(candidates,
                      [&](const Code& code) { return !(Judge(guess, code, nDigits) == answer); });
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int nRounds = args.size() > 1 ? std::max(1, args[1].toInt()) : 2000;
    const int nLimit = args.size() > 2 ? std::max(1, args[2].toInt()) : 10;
    const unsigned nSeed = args.size() > 3 ? args[3].toUInt() : 1u;

    std::printf("digits  rounds  mean  worst  won within %d\n", nLimit);
    for (int nDigits = 3; nDigits <= 5; ++nDigits) {
        std::mt19937 random(nSeed + static_cast<unsigned>(nDigits));
        const std::vector<Code> all = AllCodes(nDigits);
        std::uniform_int_distribution<std::size_t> pickSecret(0, all.size() - 1);
        long long total = 0;
        int worst = 0;
        int won = 0;
        for (int round = 0; round < nRounds; ++round) {
            const int attempts = Play(all, all[pickSecret(random)], nDigits, random);
            total += attempts;
            worst = std::max(worst, attempts);
            won += attempts <= nLimit ? 1 : 0;
        }
        std::printf("%6d  %6d  %4.2f  %5d  %6.2f%%\n", nDigits, nRounds,
                    static_cast<double>(total) / nRounds, worst, 100.0 * won / nRounds);
    }
    return 0;
}

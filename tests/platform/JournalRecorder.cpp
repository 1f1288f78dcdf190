// A game's journal writer in a process of its own: records <count> won rounds of three
// guesses each into the journal <path>, as fast as it can, and ends with 0 once every record
// is written and no problem was met.

#include "platform/journal/JournalWriter.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: journal_recorder <path> <count>\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    platform::JournalWriter writer(QString::fromLocal8Bit(argv[1]));
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const std::int64_t round = writer.BeginRound(1, 3);
        writer.AddGuess(round, 1, {QStringLiteral("012"), 0, 1});
        writer.AddGuess(round, 2, {QStringLiteral("345"), 1, 0});
        writer.AddGuess(round, 3, {QStringLiteral("367"), 3, 0});
        writer.EndRound(round, platform::RoundOutcome::Won, 3, QStringLiteral("367"));
    }
    if (!writer.WaitUntilWritten(100000)) {
        std::fprintf(stderr, "journal_recorder: not everything was written\n");
        return 1;
    }
    const platform::JournalProblem problem = writer.TakeProblem();
    if (problem.status != platform::JournalStatus::Ok) {
        std::fprintf(stderr, "journal_recorder: problem %d\n", static_cast<int>(problem.status));
        return 1;
    }
    return 0;
}

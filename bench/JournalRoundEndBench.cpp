// What the end of a round costs the user-interface thread for the journal, with 10,000 rounds
// in it: the calls the document makes between the last digit and the WON! or "Game Over!" box
// (the round's last guess and its end). For comparison, the time the writer's thread then
// takes to have them in the file, and what writing them right there would cost. Run by hand,
// never as a timed test: journal_round_end_bench [rounds in the journal] [rounds measured]

#include "bench/JournalFill.h"
#include "game/DrunoGame.h"
#include "platform/journal/JournalWriter.h"
#include "stats/RoundJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double share) {
        return samples[std::min(samples.size() - 1,
                                static_cast<std::size_t>(share * samples.size()))];
    };
    std::printf("%-44s median %8.1f us   90%% %8.1f us   max %8.1f us\n", what, at(0.5), at(0.9),
                samples.back());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int existing = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int measured = argc > 2 ? std::atoi(argv[2]) : 200;
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QDir().mkpath(home.filePath(QStringLiteral("Brantel/Druno")));
    const QString path = CRoundJournal::GetJournalFile();
    const auto fillStart = Clock::now();
    if (!FillJournal(path, existing)) {
        return 1;
    }
    std::printf("journal of %d rounds made in %.1f s\n", existing,
                std::chrono::duration<double>(Clock::now() - fillStart).count());

    std::vector<double> uiThread;
    std::vector<double> untilWritten;
    {
        CRoundJournal journal;
        CDrunoGame::SetChosenSecret(QStringLiteral("147"));
        for (int i = 0; i < measured; ++i) {
            CDrunoGame game;
            game.Init(3, 10, true);
            journal.BeginRound(1, game);
            for (int digit : {2, 5, 8, 1, 4, 7}) {
                game.AddDigit(digit);
                if (game.GetTyped().size() == 3 && !game.IsSolved()) {
                    journal.NoteGuesses(game);
                }
            }
            journal.WaitUntilWritten();
            // As the document: the guess that won, then the round's end.
            const auto start = Clock::now();
            journal.NoteGuesses(game);
            journal.EndRound(game, platform::RoundOutcome::Won);
            const auto posted = Clock::now();
            journal.WaitUntilWritten();
            uiThread.push_back(Microseconds(posted - start));
            untilWritten.push_back(Microseconds(Clock::now() - start));
        }
    }

    std::vector<double> direct;
    {
        platform::Journal journal(path);
        journal.Open(platform::Journal::Mode::Write);
        for (int i = 0; i < measured; ++i) {
            std::int64_t id = 0;
            journal.BeginRound(0, 1, 3, &id);
            const auto start = Clock::now();
            journal.AddGuess(id, 1, {QStringLiteral("147"), 3, 0});
            journal.EndRound(id, platform::RoundOutcome::Won, 1, 1, 1, QStringLiteral("147"));
            direct.push_back(Microseconds(Clock::now() - start));
        }
    }
    std::printf("%d round ends, journal of %d rounds:\n", measured, existing);
    Report("added on the user-interface thread", uiThread);
    Report("until in the file (writer's thread)", untilWritten);
    Report("if written on the user-interface thread", direct);
    return 0;
}

// What the coach costs the user-interface thread at five digits, where it counts most: the
// count of the numbers that still fit (30,240 numbers against 1 to 10 answers), a hint, and
// the history panel's whole update after a judged guess with the coach off and on. Prints
// the median and the slowest of many runs; run by hand on a Release build, never as a timed
// test.
//
//     coach_count_bench [runs = 200]

#include "app/MainFrame.h"
#include "app/MyDrunoApp.h"
#include "game/DrunoCoach.h"
#include "game/DrunoGame.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/services/ProfileStore.h"
#include "res/Resource.h"
#include "res/Resources.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "trace/TraceScope.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Ten guesses on the secret 40719, repeats and all, as a player might type them.
const QStringList kGuesses = {"12345", "67890", "13579", "02468", "97104",
                              "54321", "11111", "98765", "43210", "40791"};

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Figures {
    double median = 0;
    double slowest = 0;
};

Figures Measure(int runs, const std::function<Clock::duration()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(Microseconds(run()));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

std::vector<CDrunoGuess> History(int nAnswers) {
    CDrunoGame::SetChosenSecret(QStringLiteral("40719"));
    CDrunoGame game;
    game.Init(5, 10, true);
    CDrunoGame::SetChosenSecret(QString());
    for (int i = 0; i < nAnswers; ++i) {
        for (QChar digit : kGuesses[i]) {
            game.AddDigit(digit.digitValue());
        }
    }
    return game.GetHistory();
}

template <class F>
Clock::duration Timed(F&& f) {
    const Clock::time_point start = Clock::now();
    f();
    return Clock::now() - start;
}

// One round of ten guesses through the document, the way taps play it: the history panel
// updates after every digit. Answers the time each judged guess's update took.
std::vector<Clock::duration> PlayRound(CMyDrunoDoc& doc) {
    CDrunoGame::SetChosenSecret(QStringLiteral("40719"));
    doc.OnNewGame();
    CDrunoGame::SetChosenSecret(QString());
    std::vector<Clock::duration> updates;
    for (const QString& guess : kGuesses.mid(0, 9)) {
        for (QChar digit : guess) {
            doc.m_game.AddDigit(digit.digitValue());
            const Clock::duration took = Timed([&doc] { doc.RoundChanged(); });
            if (doc.m_game.GetTyped().size() == 5) {
                updates.push_back(took);
            }
        }
    }
    doc.StopPlaying();
    return updates;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    res::Install();
    s_bDebugOutput = std::getenv("DRUNO_BENCH_TRACE") != nullptr;

    std::printf("Counting the numbers of five digits that fit, median / slowest of %d runs (us)\n",
                runs);
    std::printf("answers  every answer each  after each answer (the panel's)\n");
    for (int nAnswers = 1; nAnswers <= 10; ++nAnswers) {
        const std::vector<CDrunoGuess> history = History(nAnswers);
        const Figures all = Measure(runs, [&history] {
            return Timed([&history] { (void)CDrunoCoach::CountFitting(5, history); });
        });
        const Figures each = Measure(runs, [&history] {
            return Timed([&history] { (void)CDrunoCoach::CountsAfterEachAnswer(5, history); });
        });
        std::printf("%7d  %8.0f / %6.0f    %8.0f / %6.0f\n", nAnswers, all.median, all.slowest,
                    each.median, each.slowest);
    }

    CDrunoGame::SetChosenSecret(QStringLiteral("40719"));
    CDrunoGame game;
    game.Init(5, 10, true);
    CDrunoGame::SetChosenSecret(QString());
    for (const QString& guess : kGuesses.mid(0, 9)) {
        for (QChar digit : guess) {
            game.AddDigit(digit.digitValue());
        }
    }
    const Figures hint = Measure(runs, [&game] {
        CDrunoCoach coach;
        return Timed([&] { (void)coach.TakeHint(game); });
    });
    std::printf("a hint after nine answers: %.0f / %.0f us\n", hint.median, hint.slowest);

    // The history panel's update after a judged guess, in a real frame: the lines, the coach's
    // count and reasons, the labels. The frame keeps its place in settings of its own.
    const QTemporaryDir settings;
    platform::SetProfileFolder(settings.path());
    platform::SingleDocTemplate docTemplate(IDR_MAINFRAME, CMyDrunoDoc::Class(),
                                            CMainFrame::Class(), CMyDrunoView::Class());
    auto* doc = dynamic_cast<CMyDrunoDoc*>(docTemplate.OpenDocumentFile(nullptr));
    if (doc == nullptr) {
        return 1;
    }
    theApp.m_nLevel = 3;
    const int rounds = std::max(1, runs / 10);
    for (const bool coach : {false, true}) {
        theApp.m_bCoach = coach;
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            for (const Clock::duration took : PlayRound(*doc)) {
                times.push_back(Microseconds(took));
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("panel update after a judged guess, coach %s: %.0f / %.0f us (%zu guesses)\n",
                    coach ? "on " : "off", times[times.size() / 2], times.back(), times.size());
    }
    return 0;
}

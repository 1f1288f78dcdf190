// How long the Progress window takes to open over a journal of 10,000 rounds: from the
// command to the window painted on the screen (offscreen here), its figures, charts and rounds
// list made. Run by hand, never as a timed test:
// progress_window_open_bench [rounds in the journal] [openings measured]

#include "bench/JournalFill.h"
#include "platform/desktop/ProgressWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int existing = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int openings = argc > 2 ? std::atoi(argv[2]) : 10;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Journal.sqlite"));
    if (!FillJournal(path, existing)) {
        return 1;
    }
    const QStringList levels = {QStringLiteral("Three digits"), QStringLiteral("Four digits"),
                                QStringLiteral("Five digits")};
    std::vector<double> times;
    for (int i = 0; i < openings; ++i) {
        const auto start = std::chrono::steady_clock::now();
        platform::ProgressWindow window(path, levels, QStringLiteral("All"));
        window.show();
        window.repaint();
        QApplication::processEvents();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf(
        "Progress window over %d rounds, %d openings: first %.1f ms, median %.1f ms, "
        "max %.1f ms\n",
        existing, openings, first, times[times.size() / 2], times.back());
    return 0;
}

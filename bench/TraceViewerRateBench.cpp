// How fast trace lines reach a connected viewer: each line is three synchronous round trips.
// Prints lines per second; run by hand, never as a timed test. The game spends at most about
// 1.5 s (and a fiftieth of its running time) waiting on a viewer, however promptly it answers,
// so a flood longer than that is cut off: the default count stays well inside it.

#include "platform/remote/PublishedWindow.h"
#include "trace/TraceScope.h"

#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());

    std::atomic<int> received{0};
    platform::PublishedWindow viewer(QStringLiteral("Kvo"), [&](const platform::RemoteMessage&) {
        ++received;
        return platform::MessageResult{0};
    });
    const int panel = viewer.AddChild(platform::PublishedWindow::kTopLevel);
    viewer.AddChild(panel,
                    [](const platform::RemoteMessage&) { return platform::MessageResult{1}; });

    s_bDebugOutput = false;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        TraceOutput(QStringLiteral("CDrunoGame::Init() {"));
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%d lines in %.3f s: %.0f lines/s (%d received)\n", count, elapsed.count(),
                count / elapsed.count(), received.load());
    return received == count ? 0 : 1;
}

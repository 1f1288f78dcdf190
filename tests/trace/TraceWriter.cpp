// A small traced process for the viewer tests: the trace's viewer search is made once per
// process, so every scenario runs in a fresh one. Each argument is a step:
//   wait        print "ready" and wait for a line on the standard input
//   round       a scripted round: a traced scope around a new round and a few guesses
//   burst=N     N lines "line=<i>"
//   patient     from here on the tick count runs a hundred times faster than the wall clock:
//               the viewer's waiting budget then grows back faster than any wait can spend it,
//               so a burst on a busy machine is never cut off (the budget has tests of its own)
//   <text>      the text as a line of its own
// At the end it prints the viewer state it ended in.

#include "game/DrunoGame.h"
#include "platform/core/Clock.h"
#include "trace/TraceScope.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

void PlayRound() {
    CTraceScope trace(QStringLiteral("CWriter::PlayRound()"));
    CDrunoGame game;
    game.Init(3, 10, true);
    for (int digit : {4, 5, 6, 7}) {
        trace.LogFormat("index=%d", digit);
        game.AddDigit(digit);
    }
    trace.Log(QStringLiteral("typed=") + game.GetTyped());
    trace.SetResult(QStringLiteral("0 /* OK */"));
}

void WaitForGo() {
    std::cout << "ready" << std::endl;
    std::string line;
    std::getline(std::cin, line);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* step = argv[i];
        if (std::strcmp(step, "wait") == 0) {
            WaitForGo();
        } else if (std::strcmp(step, "patient") == 0) {
            platform::SetTickSource([] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                return static_cast<std::uint32_t>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(now).count() * 100);
            });
        } else if (std::strcmp(step, "round") == 0) {
            PlayRound();
        } else if (std::strncmp(step, "burst=", 6) == 0) {
            const int count = std::atoi(step + 6);
            for (int n = 0; n < count; ++n) {
                TraceOutput(QString::asprintf("line=%d", n));
            }
        } else {
            TraceOutput(QString::fromUtf8(step));
        }
    }
    std::cout << "searched=" << s_bTraceViewerSearched
              << " viewer=" << (s_hwndTraceViewer != nullptr)
              << " edit=" << (s_hwndTraceViewerEdit != nullptr) << std::endl;
    return 0;
}

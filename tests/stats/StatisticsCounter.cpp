// A game that only counts, for tests that need processes of their own:
//
//   statistics_counter N [FILE]
//
// counts N won games into FILE, or where the game keeps its statistics. It first prints the
// file's name ("file: ..."), then "ready", and starts counting when a line (or the end) comes
// on its standard input. Each message box the counts would show is printed as "box: ...", and
// "waiting" each time a count begins to wait for a file another holds. DRUNO_LOCK_WAIT_MS, when
// set, is how long it waits at most.

#include "platform/core/File.h"
#include "platform/services/MessageBox.h"
#include "screen/MyDrunoDoc.h"
#include "stats/GameStatistics.h"
#include "trace/TraceScope.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: statistics_counter N [FILE]\n");
        return 2;
    }
    s_bDebugOutput = false;
    platform::SetMessageBoxAnswerer([](const QString& text, const QString&, unsigned) {
        std::printf("box: %s\n", text.toUtf8().constData());
        return 1;
    });
    platform::SetLockWaitObserver([] {
        std::printf("waiting\n");
        std::fflush(stdout);
    });
    platform::SetLockWaitLimit(qEnvironmentVariableIntValue("DRUNO_LOCK_WAIT_MS"));
    const long count = std::strtol(argv[1], nullptr, 10);
    const QString path = argc > 2 ? platform::DecodeFileName(argv[2]) : CMyDrunoDoc().GetStatFile();
    std::printf("file: %s\nready\n", platform::EncodeFileName(path).constData());
    std::fflush(stdout);
    char line[16];
    (void)std::fgets(line, sizeof line, stdin);
    for (long i = 0; i < count; ++i) {
        GameStatisticsAddWon(path);
    }
    std::fflush(stdout);
    return 0;
}

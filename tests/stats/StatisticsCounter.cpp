// A game that only counts, for tests that need processes of their own:
//
//   statistics_counter N [FILE [LEVEL]]
//
// counts N won games into FILE, or where the game keeps its statistics. With a LEVEL (1 to 3)
// each is a round of that level ended by the game document, as the running game counts it;
// FILE then must be named Druno.sta, in the folder the document takes for the program's. It first
// prints the file's name ("file: ..."), then "ready", and starts counting when a line (or the end)
// comes on its standard input. Each message box the counts would show is printed as "box: ...", and
// "waiting" each time a count begins to wait for a file another holds. DRUNO_LOCK_WAIT_MS, when
// set, is how long it waits at most.

#include "app/MyDrunoApp.h"
#include "platform/core/File.h"
#include "platform/core/Module.h"
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
    const int level = argc > 3 ? std::atoi(argv[3]) : 0;
    if (level > 0) {
        platform::SetModuleFileNameSource(
            [path] { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1) + "druno"; });
        theApp.m_nLevel = level;
    }
    CMyDrunoDoc doc;
    for (long i = 0; i < count; ++i) {
        if (level > 0) {
            doc.OnNewGame();
            doc.CountWon();
        } else {
            GameStatisticsAddWon(path);
        }
    }
    std::fflush(stdout);
    return 0;
}

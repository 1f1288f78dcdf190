// Writes numbered lines to the debug output and ends as its argument says:
//   exit   lines before the event loop, inside it and after it; then a normal exit;
//   exit_call  lines inside the event loop, then exit(0) from there;
//   abort  lines inside the event loop, then abort() before the loop falls idle;
//   segv   the same, then SIGSEGV;
//   idle   lines inside the event loop, then it waits until it is killed.

#include "platform/Debug.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kLines = 3000;

void WriteLines(int from, int to) {
    for (int i = from; i < to; ++i) {
        platform::OutputDebugString(QStringLiteral("line %1\n").arg(i));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    WriteLines(0, 10);
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    QTimer::singleShot(0, [&mode] {
        WriteLines(10, kLines);
        if (mode == "abort") {
            std::abort();
        } else if (mode == "segv") {
            std::raise(SIGSEGV);
        } else if (mode == "exit_call") {
            std::exit(0);
        } else if (mode == "exit") {
            QCoreApplication::quit();
        }
    });
    const int result = app->exec();
    app.reset();
    WriteLines(kLines, kLines + 10);
    return result;
}

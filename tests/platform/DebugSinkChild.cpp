// Writes numbered lines to the debug output and ends as its argument says:
//   exit   lines before the event loop, inside it and after it; then a normal exit;
//   exit_call  lines inside the event loop, then exit(0) from there;
//   abort  lines inside the event loop, then abort() before the loop falls idle;
//   segv   the same, then SIGSEGV;
//   idle   lines inside the event loop, then it waits until it is killed;
//   pieces lines given in pieces, then each line again as one text; then a normal exit;
//   late N N lines in all to a stream nobody reads yet: all but the last ten in one turn of the
//          event loop; once the stream is full it says "stalled" on standard output and waits
//          until the stream can take more, then writes the last ten and exits normally.

#include "platform/core/Debug.h"

#include <QCoreApplication>
#include <QTimer>

#include <poll.h>
#include <unistd.h>

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

// Texts in pieces as the trace hands them over: other scripts, a character outside the basic
// plane, a surrogate without its partner, an empty piece, a line feed inside, no piece at all.
void WritePieces() {
    const QString umlauts = QStringLiteral("Zur\u00fccksetzen \u00e4\u00f6\u00df");
    const QString astral = QString::fromUtf8("\xf0\x9f\x98\x80 smile");
    const QString lone = QString(QChar(0xD83D)) + QStringLiteral("x");
    platform::OutputDebugLine({u"CA::Name()", u" {"});
    platform::OutputDebugLine({u"} ", umlauts, u" (", astral, u")"});
    platform::OutputDebugLine({lone, QStringView(), u"two\nlines"});
    platform::OutputDebugLine({});
    for (const QString& line :
         {QStringLiteral("CA::Name() {"),
          QStringLiteral("} ") + umlauts + QStringLiteral(" (") + astral + QStringLiteral(")"),
          lone + QStringLiteral("two\nlines"), QString()}) {
        platform::OutputDebugString(line + QLatin1Char('\n'));
    }
}

// Once the stream is full (the program has fallen idle and written what it could), says
// "stalled" and waits for the reader to take something; then the last ten lines, and the end.
void WriteLastOnceStalled(int lines) {
    pollfd stream{STDERR_FILENO, POLLOUT, 0};
    if (::poll(&stream, 1, 0) > 0) {
        QTimer::singleShot(10, [lines] { WriteLastOnceStalled(lines); });
        return;
    }
    constexpr char kStalled[] = "stalled\n";
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, kStalled, sizeof kStalled - 1);
    ::poll(&stream, 1, -1);
    WriteLines(lines - 10, lines);
    QCoreApplication::quit();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "late") {
        const int lines = argc > 2 ? std::atoi(argv[2]) : kLines;
        QCoreApplication app(argc, argv);
        QTimer::singleShot(0, [lines] {
            WriteLines(0, lines - 10);
            WriteLastOnceStalled(lines);
        });
        return app.exec();
    }
    if (mode == "pieces") {
        QCoreApplication app(argc, argv);
        QTimer::singleShot(0, [] {
            WritePieces();
            QCoreApplication::quit();
        });
        return app.exec();
    }
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

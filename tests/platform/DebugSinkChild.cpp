// Writes numbered lines to the debug output and ends as its argument says:
//   exit   lines before the event loop, inside it and after it; then a normal exit;
//   exit_call  lines inside the event loop, then exit(0) from there;
//   abort  lines inside the event loop, then abort() before the loop falls idle;
//   segv   the same, then SIGSEGV;
//   idle   lines inside the event loop, then it waits until it is killed;
//   pieces lines given in pieces, then each line again as one text; then a normal exit.

#include "platform/core/Debug.h"

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

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
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

// druno-kvo: shows the game's trace as it runs. Start it before the game: the game looks for
// the viewer once, when it writes its first line.

#include "KvoWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace {

int s_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(s_signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the viewer as closing its window does, so its exit steps still run.
void QuitOnSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QApplication::quit);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

bool Dump(const QStringList& lines, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QTextStream out(&file);
    for (const QString& line : lines) {
        out << line << '\n';
    }
    out.flush();
    return file.error() == QFile::NoError;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("druno-kvo"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the trace of a running Druno."));
    parser.addHelpOption();
    const QCommandLineOption dumpOption(
        QStringLiteral("dump-on-exit"),
        QStringLiteral("At exit, write the lines held, as received, to <file>."),
        QStringLiteral("file"));
    parser.addOption(dumpOption);
    parser.process(app);

    QuitOnSignals(app);
    KvoWindow window;
    window.show();
    const int result = app.exec();

    if (parser.isSet(dumpOption)) {
        window.SetPaused(false);
        window.TakeWaitingLines();
        if (!Dump(window.Model().RawLines(), parser.value(dumpOption))) {
            QTextStream(stderr) << "druno-kvo: cannot write " << parser.value(dumpOption) << '\n';
            return 1;
        }
    }
    return result;
}

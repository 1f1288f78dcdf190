// The whole trace of each default flow, from start-up to the end of the program, compared line
// for line: at the default size, level and language, with the mouse, nothing may be added to
// what the game writes, left out of it or put in another order. Each flow is the real program
// (druno_scripted) in a process of its own; the expected traces are in flows/, with the test's
// folder written as <folder>.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace {

using testing_support::ChildEnd;
using testing_support::ChildOptions;
using testing_support::ChildProcess;
using testing_support::ErrorStream;

struct Flow {
    const char* name;
    QByteArray statistics;  // the statistics file before the flow; none when empty
};

void PrintTo(const Flow& flow, std::ostream* out) {
    *out << flow.name;
}

QStringList Lines(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

class DefaultFlows : public testing::TestWithParam<Flow> {};

TEST_P(DefaultFlows, TraceIsExactlyTheGamesOwn) {
    const Flow& flow = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (!flow.statistics.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("Druno.sta")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(flow.statistics);
    }
    ChildOptions options;
    options.program = DRUNO_SCRIPTED;
    options.environment = {"QT_QPA_PLATFORM=offscreen", "LANGUAGE=en", "LC_ALL=C.UTF-8",
                           std::string("DRUNO_SCRIPT=flow-") + flow.name,
                           "DRUNO_TEST_FOLDER=" + dir.path().toStdString()};
    options.errorStream = ErrorStream::Collected;
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(options));
    const ChildEnd end = druno.Wait();
    ASSERT_TRUE(end.exited && end.exitCode == 0) << druno.ErrorOutput();

    QFile expected(QStringLiteral(DRUNO_FLOWS "/%1.trace").arg(QString::fromLatin1(flow.name)));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << expected.fileName().toStdString();
    const QByteArray trace =
        QByteArray::fromStdString(druno.ErrorOutput()).replace(dir.path().toUtf8(), "<folder>");
    EXPECT_EQ(Lines(trace), Lines(expected.readAll()));
}

// One record of zeros, as a reset leaves it, scrambled.
const QByteArray kEmptyRecord(36, '\x5a');

INSTANTIATE_TEST_SUITE_P(Flows, DefaultFlows,
                         testing::Values(Flow{"win", {}}, Flow{"loss", {}}, Flow{"abort", {}},
                                         Flow{"close", {}}, Flow{"statistics", {}},
                                         Flow{"reset", kEmptyRecord}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

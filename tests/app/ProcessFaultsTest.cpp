// The program in a process of its own, meeting what the world around it does: a signal that
// ends it in the middle of a round, an error stream whose reader never reads or has gone, an
// error stream that is closed. Each time the round must count and the settings must be kept.

#include "stats/GameStatisticsRecord.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/StatisticsBytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <ostream>

using namespace testing_support;

namespace {

std::string Describe(const ChildEnd& end, const std::string& errorOutput) {
    std::string text = end.hung     ? "hung"
                       : end.exited ? "exit code " + std::to_string(end.exitCode)
                                    : "signal " + std::to_string(end.signal);
    const std::size_t tail = errorOutput.size() > 2000 ? errorOutput.size() - 2000 : 0;
    return text + "\n--- its error stream, last part:\n" + errorOutput.substr(tail);
}

class ProcessFaults : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // An empty record, as the statistics dialog's Reset leaves it.
    void SeedStatistics() { ASSERT_TRUE(WriteEmptyStatistics(StatFile())); }

    // The counts of a file of exactly one record.
    StatCounts Statistics() const {
        if (QFileInfo(StatFile()).size() != GAMESTATISTICS::kSize) {
            return kNoStatCounts;
        }
        return ReadStatCounts(StatFile());
    }
    QString StatFile() const { return m_dir.filePath(QStringLiteral("Druno.sta")); }

    // The five settings as the store holds them after the exit step.
    std::string StoredSettings() const {
        const QString path = m_dir.filePath(QStringLiteral("config/Brantel/Druno.ini"));
        if (!QFile::exists(path)) {
            return "(no settings file)";
        }
        const QSettings ini(path, QSettings::IniFormat);
        QStringList values;
        for (const char* key : {"Init/Sound", "Init/FontSize", "Init/FontSizeStatus",
                                "Init.LaF/ShowCancelBtn", "Init.LaF/NoFullScreenDlg"}) {
            values << QStringLiteral("%1=%2").arg(key, ini.value(key).toString());
        }
        return values.join(QLatin1Char(' ')).toStdString();
    }

    static std::string DefaultSettings() {
        return "Init/Sound=1 Init/FontSize=100 Init/FontSizeStatus=16 Init.LaF/ShowCancelBtn=1 "
               "Init.LaF/NoFullScreenDlg=1";
    }

    ChildOptions Program(const char* script, ErrorStream errorStream) const {
        ChildOptions options;
        options.program = DRUNO_SCRIPTED;
        options.environment = {"QT_QPA_PLATFORM=offscreen", std::string("DRUNO_SCRIPT=") + script,
                               "DRUNO_TEST_FOLDER=" + m_dir.path().toStdString()};
        options.errorStream = errorStream;
        return options;
    }

    QTemporaryDir m_dir;
};

struct SignalCase {
    const char* name;
    int signal;
    const char* script;
    bool statisticsFile;  // false: none yet, its first write makes it
    StatCounts counted = {1, 0, 1};
};

void PrintTo(const SignalCase& c, std::ostream* out) {
    *out << c.name;
}

class EndingSignal : public ProcessFaults, public testing::WithParamInterface<SignalCase> {};

// A shutdown, a logout or Ctrl+C in the middle of a round ends the program as closing its
// window does: the round counts as lost and the settings are saved. No box waits for an answer
// that nobody will give, not even one that was open when the signal came. A round that had
// ended, its WON! or "Game Over!" box still open, counts once, as it ended.
TEST_P(EndingSignal, CountsTheRoundAndSavesTheSettings) {
    const SignalCase& c = GetParam();
    if (c.statisticsFile) {
        SeedStatistics();
    }
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(Program(c.script, ErrorStream::Collected)));
    ASSERT_TRUE(druno.WaitForOutput("playing\n"));
    druno.Signal(c.signal);
    const ChildEnd end = druno.Wait();

    EXPECT_TRUE(end.exited && end.exitCode == 0) << Describe(end, druno.ErrorOutput());
    EXPECT_EQ(Statistics(), c.counted);
    EXPECT_EQ(StoredSettings(), DefaultSettings());
}

INSTANTIATE_TEST_SUITE_P(
    Signals, EndingSignal,
    testing::Values(SignalCase{"SIGTERM", SIGTERM, "round", true},
                    SignalCase{"SIGINT", SIGINT, "round", true},
                    SignalCase{"SIGHUP", SIGHUP, "round", true},
                    SignalCase{"SIGTERM_whileAskedToAbort", SIGTERM, "abort-box", true},
                    SignalCase{"SIGTERM_firstGameEver", SIGTERM, "round", false},
                    SignalCase{"SIGTERM_whileWonBoxOpen", SIGTERM, "won-box", true, {1, 1, 0}},
                    SignalCase{"SIGHUP_whileGameOverBoxOpen", SIGHUP, "lost-box", true, {1, 0, 1}}),
    [](const testing::TestParamInfo<SignalCase>& info) { return std::string(info.param.name); });

struct StreamCase {
    const char* name;
    ErrorStream errorStream;
};

void PrintTo(const StreamCase& c, std::ostream* out) {
    *out << c.name;
}

class ErrorStreamFault : public ProcessFaults, public testing::WithParamInterface<StreamCase> {};

// Whatever stands behind the error stream that carries the trace, three rounds (far more trace
// than a pipe holds) are played to the end and counted, and the program leaves through Exit with
// its settings saved.
TEST_P(ErrorStreamFault, RoundsArePlayedCountedAndLeft) {
    SeedStatistics();
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(Program("play", GetParam().errorStream)));
    const ChildEnd end = druno.Wait();

    EXPECT_TRUE(end.exited && end.exitCode == 0) << Describe(end, druno.ErrorOutput());
    EXPECT_EQ(Statistics(), (StatCounts{3, 1, 2}));
    EXPECT_EQ(StoredSettings(), DefaultSettings());
}

INSTANTIATE_TEST_SUITE_P(Streams, ErrorStreamFault,
                         testing::Values(StreamCase{"pipeNobodyReads", ErrorStream::Unread},
                                         StreamCase{"readerGone", ErrorStream::ReaderGone},
                                         StreamCase{"closed", ErrorStream::Closed},
                                         StreamCase{"read", ErrorStream::Collected}),
                         [](const testing::TestParamInfo<StreamCase>& info) {
                             return std::string(info.param.name);
                         });

// A shutdown in the first moments of start-up, before the window or the message loop exists,
// ends the program as a later one does: exit code 0 and the settings saved. No round can run
// yet, so nothing is counted.
TEST_F(ProcessFaults, SignalBeforeStartUpEndsTheProgramAsLater) {
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(Program("term-at-start", ErrorStream::Collected)));
    const ChildEnd end = druno.Wait();

    EXPECT_TRUE(end.exited && end.exitCode == 0) << Describe(end, druno.ErrorOutput());
    EXPECT_EQ(StoredSettings(), DefaultSettings());
    EXPECT_FALSE(QFile::exists(StatFile()));
}

// Another game holds the statistics file while a round is lost. The count waits for it, and a
// shutdown meanwhile ends the wait at once (here the game would otherwise wait ten minutes):
// the count is given up, counting nothing over the other game's file, and the program ends as
// on any signal, without a second count from its close.
TEST_F(ProcessFaults, SignalEndsTheWaitForABusyStatisticsFile) {
    SeedStatistics();
    const QByteArray path = QFile::encodeName(StatFile());
    const int held = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ChildOptions options = Program("lose", ErrorStream::Collected);
    options.environment.push_back("DRUNO_LOCK_WAIT_MS=600000");
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(options));
    ASSERT_TRUE(druno.WaitForOutput("waiting\n"));
    druno.Signal(SIGTERM);
    const ChildEnd end = druno.Wait();
    ::close(held);

    EXPECT_TRUE(end.exited && end.exitCode == 0) << Describe(end, druno.ErrorOutput());
    EXPECT_EQ(Statistics(), (StatCounts{0, 0, 0}));
    EXPECT_EQ(StoredSettings(), DefaultSettings());
    const std::string& trace = druno.ErrorOutput();
    std::size_t counts = 0;
    for (std::size_t at = trace.find("GameStatisticsAddLost() {"); at != std::string::npos;
         at = trace.find("GameStatisticsAddLost() {", at + 1)) {
        ++counts;
    }
    EXPECT_EQ(counts, 1u) << "the close counted the round again";
}

}  // namespace

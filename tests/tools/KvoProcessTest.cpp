// A traced process and the viewer program, each a real process of its own.

#include "TraceProcess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

class KvoProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // Starts the viewer and waits until its window is published: the socket takes its name
    // only once the window is complete with its field, however long the start-up takes.
    void StartViewer() {
        viewer.start(QStringLiteral(DRUNO_KVO), {"--dump-on-exit", DumpPath()});
        ASSERT_TRUE(viewer.waitForStarted());
        const QDir folder(runtime.path() + "/druno-windows");
        while (folder.entryList(QDir::System).isEmpty()) {
            ASSERT_FALSE(viewer.waitForFinished(20))
                << "the viewer ended: " << viewer.readAllStandardError().constData();
        }
    }

    // Ends the viewer as a user's kill would, and answers the lines it dumped.
    QString StopViewer() {
        ::kill(static_cast<pid_t>(viewer.processId()), SIGTERM);
        EXPECT_TRUE(viewer.waitForFinished(10000));
        EXPECT_EQ(viewer.exitCode(), 0) << viewer.readAllStandardError().constData();
        QFile dump(DumpPath());
        EXPECT_TRUE(dump.open(QIODevice::ReadOnly));
        return QString::fromUtf8(dump.readAll());
    }

    QString DumpPath() const { return runtime.path() + "/dump.txt"; }

    QTemporaryDir runtime;
    QProcess viewer;
};

TEST_F(KvoProcessTest, ARoundAndABurstArriveCompleteAndInOrder) {
    StartViewer();
    // What is judged here is the viewer's side: every line, in order, however busy the machine.
    TraceProcess writer({"patient", "round", "burst=3000", "round"});
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(writer.State(), QStringLiteral("searched=1 viewer=1 edit=1"));
    const QString dumped = StopViewer();
    EXPECT_TRUE(
        dumped.startsWith(QStringLiteral("CWriter::PlayRound() {\n"
                                         "CDrunoGame::CDrunoGame() {\n"
                                         "} CDrunoGame::CDrunoGame()\n"
                                         "CDrunoGame::Init() {\n")));
    EXPECT_EQ(dumped.count('\n'), 3000 + 2 * 12);
    EXPECT_EQ(dumped, writer.DebugOutput());
}

TEST_F(KvoProcessTest, AViewerThatQuitsMidRoundLeavesTheGameUnharmed) {
    StartViewer();
    TraceProcess writer({"round", "wait", "round", "burst=100"});
    ASSERT_TRUE(writer.WaitReady());
    viewer.kill();  // no chance to say goodbye
    viewer.waitForFinished();
    writer.Go();
    ASSERT_TRUE(writer.Finish());
    EXPECT_LT(writer.ElapsedMs(), 20000);  // a sanity bound: nothing waits for the lost viewer
    EXPECT_TRUE(writer.DebugOutput().endsWith(QStringLiteral("line=99\n")));
}

TEST_F(KvoProcessTest, AGameStartedBeforeTheViewerNeverUsesIt) {
    TraceProcess writer({"first", "wait", "round"});
    ASSERT_TRUE(writer.WaitReady());
    StartViewer();
    writer.Go();
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(writer.State(), QStringLiteral("searched=1 viewer=0 edit=0"));
    EXPECT_EQ(StopViewer(), QString());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

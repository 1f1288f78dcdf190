// The trace's viewer connection, seen from windows this test publishes. Each scenario's traced
// side is a fresh process, since the viewer is searched once per process.

#include "platform/remote/PublishedWindow.h"
#include "TraceProcess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

using platform::PublishedWindow;
using platform::RemoteMessage;

// Windows of the viewer's shape, to a chosen depth, recording every message they receive.
class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }

    void TearDown() override { Release(); }

    // depth 0: the top-level window alone; 1: with a child; 2: the child has the field.
    std::unique_ptr<PublishedWindow> Publish(const QString& title, int depth) {
        auto window = std::make_unique<PublishedWindow>(title, Recorder(title + " top"));
        int parent = PublishedWindow::kTopLevel;
        for (int level = 1; level <= depth; ++level) {
            parent = window->AddChild(parent, Recorder(title + (level == 2 ? " edit" : " child")));
        }
        EXPECT_TRUE(window->IsPublished());
        return window;
    }

    platform::RemoteHandler Recorder(const QString& who) {
        return [this, who](const RemoteMessage& m) {
            std::unique_lock lock(mutex);
            received << QStringLiteral("%1 %2 %3 %4")
                            .arg(who)
                            .arg(m.message)
                            .arg(m.wParam)
                            .arg(m.hasText ? m.text : QString::number(m.lParam));
            if (hang && m.message == 273) {
                released.wait(lock, [this] { return !hang; });
            }
            if (slow) {
                released.wait_for(lock, std::chrono::milliseconds(300), [this] { return !slow; });
            }
            return platform::MessageResult{1};
        };
    }

    QStringList Received() {
        std::lock_guard lock(mutex);
        return received;
    }

    void Release() {
        std::lock_guard lock(mutex);
        hang = false;
        slow = false;
        released.notify_all();
    }

    static QStringList Delivered(const QStringList& lines) {
        QStringList expected;
        for (const QString& line : lines) {
            expected << "Kvo edit 12 0 " + line << QStringLiteral("Kvo top 273 32779 0")
                     << QStringLiteral("Kvo edit 12 0 {VOQDBGLOG}");
        }
        return expected;
    }

    QTemporaryDir runtime;
    std::mutex mutex;
    std::condition_variable released;
    QStringList received;
    bool hang = false;
    bool slow = false;  // every message is answered after 300 ms
};

TEST_F(ViewerTest, EachLineBecomesThreeMessagesInOrder) {
    auto viewer = Publish(QStringLiteral("Kvo"), 2);
    auto decoy = Publish(QStringLiteral("kvo"), 2);
    const QStringList lines{"CA::Run() {", "", "{VOQDBGLOG}", "two\nlines", "} CA::Run()"};
    TraceProcess writer(lines);
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(Received(), Delivered(lines));
    EXPECT_EQ(writer.DebugOutput(), lines.join('\n') + '\n');
}

TEST_F(ViewerTest, AViewerWithoutTheFieldIsNeverSentAnything) {
    for (int depth : {0, 1}) {
        auto viewer = Publish(QStringLiteral("Kvo"), depth);
        TraceProcess writer({"first", "second"});
        ASSERT_TRUE(writer.Finish());
        EXPECT_EQ(writer.State(), QStringLiteral("searched=1 viewer=1 edit=0")) << depth;
        EXPECT_EQ(Received(), QStringList()) << depth;
    }
}

TEST_F(ViewerTest, AViewerPutUpAfterTheFirstLineIsNeverUsed) {
    TraceProcess writer({"first", "wait", "second"});
    ASSERT_TRUE(writer.WaitReady());
    auto viewer = Publish(QStringLiteral("Kvo"), 2);
    writer.Go();
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(writer.State(), QStringLiteral("searched=1 viewer=0 edit=0"));
    EXPECT_EQ(Received(), QStringList());
}

TEST_F(ViewerTest, AHangingViewerCostsOneBoundedWaitInAll) {
    auto viewer = Publish(QStringLiteral("Kvo"), 2);
    hang = true;
    TraceProcess writer({"burst=20"});
    ASSERT_TRUE(writer.Finish());
    Release();
    EXPECT_GE(writer.ElapsedMs(), 1000);
    EXPECT_LT(writer.ElapsedMs(), 6000);  // twenty waits would take half a minute
    EXPECT_TRUE(writer.DebugOutput().endsWith(QStringLiteral("line=19\n")));
    EXPECT_EQ(Received(), (QStringList{"Kvo edit 12 0 line=0", "Kvo top 273 32779 0"}));
}

TEST_F(ViewerTest, ASlowViewerCostsOneBudgetInAllThenIsNoLongerSentTo) {
    auto viewer = Publish(QStringLiteral("Kvo"), 2);
    slow = true;
    TraceProcess writer({"burst=50"});
    ASSERT_TRUE(writer.Finish());
    const QStringList received = Received();
    Release();
    // 1.5 s at 300 ms a message: five messages, or six with the one that ran out of time.
    EXPECT_LE(received.size(), 6);
    EXPECT_EQ(received.mid(0, 3), Delivered({"line=0"}));
    EXPECT_TRUE(writer.DebugOutput().endsWith(QStringLiteral("line=49\n")));
    EXPECT_LT(writer.ElapsedMs(), 10000);  // 150 messages at 300 ms would take 45 s
}

TEST_F(ViewerTest, AViewerThatQuitsMidRunLeavesTheWriterUnharmed) {
    auto viewer = Publish(QStringLiteral("Kvo"), 2);
    TraceProcess writer({"before", "wait", "after", "burst=50"});
    ASSERT_TRUE(writer.WaitReady());
    viewer.reset();
    writer.Go();
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(Received(), Delivered({"before"}));
    EXPECT_TRUE(writer.DebugOutput().contains(QStringLiteral("after\nline=0\n")));
    EXPECT_TRUE(writer.DebugOutput().endsWith(QStringLiteral("line=49\n")));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

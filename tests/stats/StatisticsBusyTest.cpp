// A statistics file that another game keeps busy: a count or a read waits for it a while, with
// the windows painted meanwhile, then tells the player and changes nothing.

#include "platform/core/File.h"
#include "stats/GameStatisticsDlg.h"
#include "tests/stats/StatsFixture.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Short, so that the tests do not sit out the game's own few seconds.
constexpr int kTestWaitMs = 200;
// Far beyond that, even on a busy machine: a wait still going then would never end.
constexpr auto kEndlessWait = std::chrono::seconds(5);

// Lets the other game's hold go after kEndlessWait, from a thread of its own, whatever the
// waiting side does meanwhile: a wait with no end then fails the test within seconds instead
// of running into CTest's time limit.
class HoldWatchdog {
public:
    explicit HoldWatchdog(std::atomic<int>& held)
        : m_thread([this, &held] {
              std::unique_lock lock(m_mutex);
              if (!m_woken.wait_for(lock, kEndlessWait, [this] { return m_stopped; })) {
                  m_expired = true;
                  const int fd = held.exchange(-1);
                  if (fd >= 0) {
                      ::close(fd);
                  }
              }
          }) {}
    ~HoldWatchdog() { Stop(); }
    HoldWatchdog(const HoldWatchdog&) = delete;
    HoldWatchdog& operator=(const HoldWatchdog&) = delete;

    // True when the hold had to be taken away: the wait did not end by itself.
    bool Stop() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_woken.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return m_expired;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    bool m_stopped = false;
    std::atomic<bool> m_expired = false;
    std::thread m_thread;
};

class PaintedWidget : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct BusyCase {
    const char* name;
    int hold;    // how the other game holds the file
    bool count;  // a count, or the statistics dialog's read
};

void PrintTo(const BusyCase& c, std::ostream* out) {
    *out << c.name;
}

class StatisticsBusy : public StatsFixture, public testing::WithParamInterface<BusyCase> {
protected:
    void SetUp() override {
        StatsFixture::SetUp();
        platform::SetLockWaitLimit(kTestWaitMs);
    }
    void TearDown() override {
        platform::SetLockWaitLimit(0);
        platform::SetLockWaitObserver(nullptr);
        const int held = m_held.exchange(-1);
        if (held >= 0) {
            ::close(held);
        }
        StatsFixture::TearDown();
    }

    std::atomic<int> m_held = -1;
};

TEST_P(StatisticsBusy, WaitsPaintedThenReportsTheFileAndChangesNothing) {
    const BusyCase& c = GetParam();
    WriteFile({Record(2878, 4, 1, 3, 25)});
    const QByteArray before = FileBytes();
    // Another game's hold: an open file of its own, so the lock is not this count's.
    m_held = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(m_held.load(), 0);
    ASSERT_EQ(::flock(m_held.load(), c.hold | LOCK_NB), 0);

    PaintedWidget window;
    window.resize(120, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    // The window asks to be painted once the wait has begun; nothing else runs the loop
    // until the operation returns.
    window.paints = 0;
    platform::SetLockWaitObserver([&window] { window.update(); });

    HoldWatchdog watchdog(m_held);
    if (c.count) {
        GameStatisticsAddWon(m_path);
    } else {
        GAMESTATISTICS gs = Record(2878, 9, 9, 9, 9);
        EXPECT_EQ(CGameStatisticsDlg::ReadStatistics(m_path, gs), -1);
        EXPECT_EQ(CountersOf(gs), (Counters{0, 0, 0, 0}));
    }
    ASSERT_FALSE(watchdog.Stop()) << "the wait for the busy file had no end";

    EXPECT_GT(window.paints, 0) << "the window was not painted while the count waited";
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Error in opening statistics file."));
    EXPECT_EQ(m_boxes[0].type, 16u);
    EXPECT_EQ(FileBytes(), before);

    // Once the other game lets go, counting goes on as ever.
    ::close(m_held.exchange(-1));
    GameStatisticsAddWon(m_path);
    EXPECT_EQ(CountersOf(FileRecord(0)), (Counters{5, 2, 3, 40}));
    EXPECT_EQ(m_boxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Holds, StatisticsBusy,
                         testing::Values(BusyCase{"CountWhileAnotherCounts", LOCK_EX, true},
                                         BusyCase{"CountWhileAnotherReads", LOCK_SH, true},
                                         BusyCase{"ReadWhileAnotherCounts", LOCK_EX, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

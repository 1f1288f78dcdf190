#include "platform/core/Clock.h"
#include "platform/remote/PublishedWindow.h"
#include "platform/remote/RemoteWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>

namespace {

using platform::FindRemoteWindow;
using platform::GetFirstRemoteChild;
using platform::PublishedWindow;
using platform::RemoteMessage;
using platform::SendRemoteMessage;

class RemoteWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    void TearDown() override { platform::SetTickSource(nullptr); }

    QString Folder() const { return runtime.path() + "/druno-windows"; }

    // A connected raw socket to the one published window in the folder.
    int ConnectRaw() {
        const QStringList names = QDir(Folder()).entryList(QDir::System);
        EXPECT_EQ(names.size(), 1);
        const QByteArray path = (Folder() + '/' + names.value(0)).toLocal8Bit();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        return fd;
    }

    QTemporaryDir runtime;
};

// Answers the message number plus the text's length, so a result shows what arrived.
platform::RemoteHandler Echo(QString* seen) {
    return [seen](const RemoteMessage& m) {
        *seen = QStringLiteral("%1 %2 %3 %4")
                    .arg(m.message)
                    .arg(m.wParam)
                    .arg(m.hasText ? "text:" + m.text : QString::number(m.lParam))
                    .arg(m.sender == ::getpid() ? "self" : "other");
        return platform::MessageResult{m.message + m.text.size()};
    };
}

TEST_F(RemoteWindowTest, FindsByExactTitleWalksFirstChildrenAndSendsInOrder) {
    QString top, child, grandchild, second;
    PublishedWindow window(QStringLiteral("Alpha"), Echo(&top));
    const int first = window.AddChild(PublishedWindow::kTopLevel, Echo(&child));
    window.AddChild(PublishedWindow::kTopLevel, Echo(&second));
    window.AddChild(first, Echo(&grandchild));
    PublishedWindow other(QStringLiteral("Beta"));
    ASSERT_TRUE(window.IsPublished());

    EXPECT_EQ(FindRemoteWindow(QStringLiteral("Alph")), nullptr);
    EXPECT_EQ(FindRemoteWindow(QStringLiteral("alpha")), nullptr);
    platform::RemoteWindow* alpha = FindRemoteWindow(QStringLiteral("Alpha"));
    ASSERT_NE(alpha, nullptr);
    platform::RemoteWindow* c1 = GetFirstRemoteChild(alpha);
    platform::RemoteWindow* c11 = GetFirstRemoteChild(c1);
    ASSERT_NE(c11, nullptr);
    EXPECT_EQ(GetFirstRemoteChild(c11), nullptr);
    EXPECT_EQ(GetFirstRemoteChild(nullptr), nullptr);

    EXPECT_EQ(SendRemoteMessage(c11, 12, 0, QStringLiteral("héllo")), 12 + 5);
    EXPECT_EQ(grandchild, QStringLiteral("12 0 text:héllo self"));
    EXPECT_EQ(SendRemoteMessage(alpha, 273, 32779, -7), 273);
    EXPECT_EQ(top, QStringLiteral("273 32779 -7 self"));
    EXPECT_EQ(SendRemoteMessage(c1, 12, 0, QString()), 12);
    EXPECT_EQ(child, QStringLiteral("12 0 text: self"));
    EXPECT_EQ(second, QString());
    EXPECT_EQ(SendRemoteMessage(nullptr, 12, 0, 0), 0);
}

TEST_F(RemoteWindowTest, LeftoverSocketsAreIgnoredAndRemoved) {
    PublishedWindow live(QStringLiteral("Live"));
    // A socket whose process died without removing it: bound once, nobody listening.
    const QByteArray stale = (Folder() + "/w-999999-1").toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, stale.constData(), static_cast<size_t>(stale.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);

    EXPECT_EQ(FindRemoteWindow(QStringLiteral("Dead")), nullptr);
    EXPECT_FALSE(QFile::exists(QString::fromLocal8Bit(stale)));
    EXPECT_NE(FindRemoteWindow(QStringLiteral("Live")), nullptr);
}

TEST_F(RemoteWindowTest, AFolderOpenToOthersIsNotUsed) {
    ASSERT_TRUE(QDir().mkdir(Folder()));
    QFile::setPermissions(Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::ExeOther);
    PublishedWindow window(QStringLiteral("Open"));
    EXPECT_FALSE(window.IsPublished());
    EXPECT_EQ(window.Problem(), "the folder " + Folder() + " is open to other users");
    EXPECT_EQ(FindRemoteWindow(QStringLiteral("Open")), nullptr);
}

TEST_F(RemoteWindowTest, AWindowPublishedLaterIsFoundOnlyWhenComplete) {
    QString field;
    PublishedWindow window(QStringLiteral("Later"), {}, PublishedWindow::When::Later);
    const int panel = window.AddChild(PublishedWindow::kTopLevel);
    EXPECT_FALSE(window.IsPublished());
    EXPECT_EQ(FindRemoteWindow(QStringLiteral("Later")), nullptr);
    window.AddChild(panel, Echo(&field));
    ASSERT_TRUE(window.Publish());
    EXPECT_TRUE(window.Publish());
    EXPECT_EQ(window.Problem(), QString());
    EXPECT_EQ(QDir(Folder()).entryList(QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(),
              1);
    platform::RemoteWindow* edit =
        GetFirstRemoteChild(GetFirstRemoteChild(FindRemoteWindow(QStringLiteral("Later"))));
    EXPECT_EQ(SendRemoteMessage(edit, 12, 0, QStringLiteral("line")), 12 + 4);
    EXPECT_EQ(field, QStringLiteral("12 0 text:line self"));
}

TEST_F(RemoteWindowTest, AHangingPeerCostsOneWaitThenFailsAtOnce) {
    std::atomic<bool> hang{true};
    PublishedWindow window(QStringLiteral("Slow"), [&hang](const RemoteMessage&) {
        while (hang) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return platform::MessageResult{1};
    });
    window.AddChild(PublishedWindow::kTopLevel);
    platform::RemoteWindow* slow = FindRemoteWindow(QStringLiteral("Slow"));
    platform::RemoteWindow* child = GetFirstRemoteChild(slow);
    ASSERT_NE(child, nullptr);

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(SendRemoteMessage(slow, 273, 0, 0), 0);
    EXPECT_GE(timer.elapsed(), 1000);
    EXPECT_LT(timer.elapsed(), 3000);
    timer.restart();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(SendRemoteMessage(child, 12, 0, QStringLiteral("late")), 0);
    }
    EXPECT_EQ(GetFirstRemoteChild(slow), nullptr);
    EXPECT_LT(timer.elapsed(), 100);
    hang = false;
}

TEST_F(RemoteWindowTest, APeerThatAnswersSlowlySpendsOneBudgetThenIsNeverReachedAgain) {
    std::atomic<int> reached{0};
    PublishedWindow window(QStringLiteral("Crawl"), [&reached](const RemoteMessage&) {
        ++reached;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return platform::MessageResult{1};
    });
    platform::RemoteWindow* crawl = FindRemoteWindow(QStringLiteral("Crawl"));
    ASSERT_NE(crawl, nullptr);

    QElapsedTimer timer;
    timer.start();
    int answered = 0;
    for (int i = 0; i < 20; ++i) {
        answered += SendRemoteMessage(crawl, 273, 0, 0) == 1;
    }
    // Each answer costs at least 400 ms of a 1.5 s budget: three are answered, and the fourth
    // request runs out of time. Every request after that fails without reaching the peer.
    EXPECT_LE(answered, 3);
    EXPECT_LE(reached.load(), 4);
    const int reachedWhenSpent = reached.load();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(SendRemoteMessage(crawl, 12, 0, QStringLiteral("late")), 0);
    }
    EXPECT_EQ(reached.load(), reachedWhenSpent);
    EXPECT_LT(timer.elapsed(), 5000);  // forty answers at 400 ms would take sixteen seconds
}

// A peer that answers every message a few milliseconds late, as a busy viewer does. With the
// tick count standing still no time of running is given back, so its waits add up until the
// budget is spent: then the peer is no longer reached. Each answer costs 8 ms or more of
// 1500, so it is cut off within 188 answers, however fast or slow the machine.
TEST_F(RemoteWindowTest, EveryWaitCountsEvenAnAnswerOfAFewMilliseconds) {
    platform::SetTickSource([] { return 1000u; });
    std::atomic<int> reached{0};
    PublishedWindow window(QStringLiteral("Busy"), [&reached](const RemoteMessage&) {
        ++reached;
        std::this_thread::sleep_for(std::chrono::milliseconds(8));
        return platform::MessageResult{1};
    });
    platform::RemoteWindow* busy = FindRemoteWindow(QStringLiteral("Busy"));
    ASSERT_NE(busy, nullptr);

    int answered = 0;
    for (int i = 0; i < 400 && SendRemoteMessage(busy, 273, 0, 0) == 1; ++i) {
        ++answered;
    }
    EXPECT_LE(answered, 1500 / 8);
    const int reachedWhenSpent = reached.load();
    EXPECT_EQ(SendRemoteMessage(busy, 12, 0, QStringLiteral("late")), 0);
    EXPECT_EQ(reached.load(), reachedWhenSpent);
}

// The budget grows back with the time the program runs: a fiftieth of it. A program that runs
// ten seconds between two messages buys back more than any one 8 ms answer costs, so a peer
// that keeps it waiting longer than the budget in all, spread that thin, stays in use.
TEST_F(RemoteWindowTest, TheBudgetGrowsBackWithTheTimeTheProgramRuns) {
    auto tick = std::make_shared<std::atomic<std::uint32_t>>(1000);
    platform::SetTickSource([tick] { return tick->fetch_add(10000); });
    PublishedWindow window(QStringLiteral("Busy"), [](const RemoteMessage&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(8));
        return platform::MessageResult{1};
    });
    platform::RemoteWindow* busy = FindRemoteWindow(QStringLiteral("Busy"));
    ASSERT_NE(busy, nullptr);

    int answered = 0;
    for (int i = 0; i < 1500 / 8 + 20; ++i) {
        answered += SendRemoteMessage(busy, 273, 0, 0) == 1;
    }
    EXPECT_EQ(answered, 1500 / 8 + 20);
}

TEST_F(RemoteWindowTest, SilentSocketsCostOneBoundedSearchInAll) {
    QString seen;
    PublishedWindow window(QStringLiteral("Kvo"), Echo(&seen));
    // Sockets that take connections and never answer, sorted before the real window.
    std::vector<int> silent;
    for (int i = 1; i <= 5; ++i) {
        const QByteArray path = (Folder() + "/w-0-" + QString::number(i)).toLocal8Bit();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
        silent.push_back(::socket(AF_UNIX, SOCK_STREAM, 0));
        ASSERT_EQ(::bind(silent.back(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::listen(silent.back(), 4), 0);
    }

    QElapsedTimer timer;
    timer.start();
    platform::RemoteWindow* kvo = FindRemoteWindow(QStringLiteral("Kvo"));
    ASSERT_NE(kvo, nullptr);
    EXPECT_EQ(SendRemoteMessage(kvo, 273, 32779, 0), 273);
    EXPECT_EQ(FindRemoteWindow(QStringLiteral("Absent")), nullptr);
    // One search waits about 1.5 s; one wait per silent socket would be 15 s for the two.
    EXPECT_LT(timer.elapsed(), 5000);
    // Silent but listening sockets are not leftovers: they stay.
    EXPECT_EQ(QDir(Folder()).entryList(QDir::System).size(), 6);
    for (int fd : silent) {
        ::close(fd);
    }
}

TEST_F(RemoteWindowTest, ATextLongerThanAFrameArrivesCutAndThePeerStaysInUse) {
    QString received;
    PublishedWindow window(QStringLiteral("Long"), [&received](const RemoteMessage& m) {
        received = m.text;
        return platform::MessageResult{1};
    });
    platform::RemoteWindow* peer = FindRemoteWindow(QStringLiteral("Long"));
    // Surrogate pairs only, so that a cut inside a pair would show.
    QString text;
    for (int i = 0; i < 300000; ++i) {
        text += QString::fromUtf8("\xF0\x9F\x98\x80");
    }
    ASSERT_EQ(SendRemoteMessage(peer, 12, 0, text), 1);
    EXPECT_GT(received.size(), 500000);
    EXPECT_EQ(received.size() % 2, 0);
    EXPECT_TRUE(text.startsWith(received));
    EXPECT_EQ(SendRemoteMessage(peer, 12, 0, QStringLiteral("next")), 1);
    EXPECT_EQ(received, QStringLiteral("next"));
}

TEST_F(RemoteWindowTest, APeerThatQuitsFailsAtOnceWithoutASignal) {
    auto window = std::make_unique<PublishedWindow>(QStringLiteral("Brief"),
                                                    [](const RemoteMessage&) { return 5; });
    platform::RemoteWindow* brief = FindRemoteWindow(QStringLiteral("Brief"));
    EXPECT_EQ(SendRemoteMessage(brief, 1, 0, 0), 5);
    window.reset();
    EXPECT_EQ(QDir(Folder()).entryList(QDir::System), QStringList());

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(SendRemoteMessage(brief, 12, 0, QString(1000, QLatin1Char('x'))), 0);
    }
    EXPECT_LT(timer.elapsed(), 100);
}

TEST_F(RemoteWindowTest, AMalformedSenderIsDroppedAndOthersAreStillServed) {
    PublishedWindow window(QStringLiteral("Robust"), [](const RemoteMessage&) { return 3; });
    const int junk = ConnectRaw();
    const unsigned char garbage[] = {5, 0, 0, 0, 99, 1, 2, 3, 4};
    ASSERT_EQ(::write(junk, garbage, sizeof garbage), static_cast<ssize_t>(sizeof garbage));
    const int huge = ConnectRaw();
    const unsigned char oversized[] = {0xff, 0xff, 0xff, 0x7f};
    ASSERT_EQ(::write(huge, oversized, sizeof oversized), static_cast<ssize_t>(sizeof oversized));

    char byte = 0;
    EXPECT_EQ(::read(junk, &byte, 1), 0);  // dropped without an answer
    EXPECT_EQ(::read(huge, &byte, 1), 0);
    ::close(junk);
    ::close(huge);
    EXPECT_EQ(SendRemoteMessage(FindRemoteWindow(QStringLiteral("Robust")), 1, 0, 0), 3);
}

}  // namespace

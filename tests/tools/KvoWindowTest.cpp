// The viewer's window, fed through its published window as a traced program would feed it.

#include "platform/core/Messages.h"
#include "platform/remote/RemoteWindow.h"
#include "tools/kvo/KvoWindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class KvoWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open({}); }

    void Open(TraceLimits limits) {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        window = std::make_unique<KvoWindow>(limits);
        ASSERT_TRUE(window->Inbox().IsListening());
        top = platform::FindRemoteWindow(QStringLiteral("Kvo"));
        field = platform::GetFirstRemoteChild(platform::GetFirstRemoteChild(top));
        ASSERT_NE(field, nullptr);
    }

    // The three messages of one trace line.
    void Deliver(const QStringList& lines) {
        for (const QString& line : lines) {
            platform::SendRemoteMessage(field, platform::kMsgSetText, 0, line);
            platform::SendRemoteMessage(top, platform::kMsgCommand, 32779, 0);
            platform::SendRemoteMessage(field, platform::kMsgSetText, 0,
                                        QStringLiteral("{VOQDBGLOG}"));
        }
    }

    void Send(const QStringList& lines) {
        Deliver(lines);
        window->TakeWaitingLines();
    }

    QString Label(const char* name) const {
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    int RunningTimers() const {
        int running = 0;
        for (const QTimer* timer : window->findChildren<QTimer*>()) {
            running += timer->isActive() ? 1 : 0;
        }
        return running;
    }

    QStringList Shown() const {
        QStringList rows;
        for (int row = 0; row < window->Model().rowCount(); ++row) {
            rows << window->Model().ShownText(row);
        }
        return rows;
    }

    QTemporaryDir runtime;
    std::unique_ptr<KvoWindow> window;
    platform::RemoteWindow* top = nullptr;
    platform::RemoteWindow* field = nullptr;
};

TEST_F(KvoWindowTest, ShowsLinesInOrderIndentedByOpenScopes) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kvo"));
    Send({"CMyDrunoDoc::OnNewGame() {", "CDrunoGame::Init() {", "m_strNumber=\"102\"",
          "} CDrunoGame::Init()", "", "} CMyDrunoDoc::OnNewGame() (0 /* OK */)", "} stray",
          "{VOQDBGLOG}"});
    EXPECT_EQ(Shown(),
              (QStringList{"CMyDrunoDoc::OnNewGame() {", "    CDrunoGame::Init() {",
                           "        m_strNumber=\"102\"", "    } CDrunoGame::Init()", "    ",
                           "} CMyDrunoDoc::OnNewGame() (0 /* OK */)", "} stray", "{VOQDBGLOG}"}));
    // Other commands and texts sent to the wrong window are not lines.
    platform::SendRemoteMessage(top, platform::kMsgCommand, 1, 0);
    platform::SendRemoteMessage(top, platform::kMsgSetText, 0, QStringLiteral("title"));
    window->TakeWaitingLines();
    EXPECT_EQ(window->Model().TotalLines(), 8);

    window->resize(560, 300);
    window->show();
    window->grab().save(QStringLiteral(DRUNO_SCREENSHOT));
}

TEST_F(KvoWindowTest, PauseHoldsLinesAndClearEmptiesTheView) {
    window->SetPaused(true);
    Send({"a", "b"});
    EXPECT_EQ(window->Model().TotalLines(), 0);
    EXPECT_EQ(window->Inbox().Waiting(), 2u);
    window->SetPaused(false);
    EXPECT_EQ(Shown(), (QStringList{"a", "b"}));

    window->Model().Clear();
    Send({"c"});
    EXPECT_EQ(Shown(), QStringList{"c"});
}

TEST_F(KvoWindowTest, FindWrapsAroundAndSaveWritesTheShownLines) {
    Send({"alpha {", "beta", "} alpha", "Beta again"});
    auto* find = window->findChild<QLineEdit*>();
    auto* view = window->findChild<QListView*>();
    find->setText(QStringLiteral("BETA"));
    window->FindNext();
    EXPECT_EQ(view->currentIndex().row(), 1);
    window->FindNext();
    EXPECT_EQ(view->currentIndex().row(), 3);
    window->FindNext();
    EXPECT_EQ(view->currentIndex().row(), 1);

    const QString path = runtime.filePath(QStringLiteral("saved.txt"));
    ASSERT_TRUE(window->SaveTo(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("alpha {\n    beta\n} alpha\nBeta again\n"));
    EXPECT_FALSE(window->SaveTo(runtime.filePath(QStringLiteral("missing/saved.txt"))));
}

TEST_F(KvoWindowTest, AnIdleViewerRunsNoTimerAndABatchIsTakenSoonAfterItArrives) {
    EXPECT_EQ(RunningTimers(), 0);
    Deliver({"a", "b"});
    // The first line of the batch asked for it to be taken shortly; the rest joined it.
    while (window->Model().TotalLines() < 2) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(Shown(), (QStringList{"a", "b"}));
    EXPECT_EQ(RunningTimers(), 0);

    window->SetPaused(true);
    Deliver({"c"});
    while (!Label("count").contains(QStringLiteral("1 waiting"))) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_EQ(RunningTimers(), 0);
}

TEST_F(KvoWindowTest, KeepsTheNewestLinesWithinItsLimitsAndSaysHowManyItDropped) {
    window.reset();
    Open({3, std::size_t{1} << 20});
    Send({"1", "2", "3", "4"});
    EXPECT_EQ(Shown(), (QStringList{"2", "3", "4"}));
    EXPECT_EQ(Label("count"), QStringLiteral("3 lines, 1 oldest dropped"));

    // Lines dropped while they wait count too.
    window->SetPaused(true);
    Send({"5", "6", "7", "8", "9"});
    EXPECT_EQ(window->Inbox().Waiting(), 3u);
    EXPECT_EQ(Label("count"), QStringLiteral("3 lines, paused: 3 waiting, 3 oldest dropped"));
    window->SetPaused(false);
    EXPECT_EQ(Shown(), (QStringList{"7", "8", "9"}));
    EXPECT_EQ(Label("count"), QStringLiteral("3 lines, 6 oldest dropped"));

    window->Model().Clear();
    Send({"10"});
    EXPECT_EQ(Shown(), QStringList{"10"});
}

TEST(KvoWindowProblem, NamesTheFolderAndTheCauseWholeAndApartFromTheLineCount) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString folder = runtime.filePath(QStringLiteral("druno-windows"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadOther | QFile::ExeOther);
    KvoWindow window;
    window.show();
    auto* problem = window.findChild<QLabel*>(QStringLiteral("problem"));
    auto* count = window.findChild<QLabel*>(QStringLiteral("count"));
    ASSERT_NE(problem, nullptr);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(problem->text(),
              "Cannot receive lines: the folder " + folder + " is open to other users.");
    EXPECT_EQ(count->text(), QStringLiteral("0 lines"));
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(count->isVisible());
    const auto inWindow = [&window](QWidget* widget) {
        return QRect(widget->mapTo(&window, QPoint()), widget->size());
    };
    EXPECT_FALSE(inWindow(problem).intersects(inWindow(count)));
    EXPECT_GE(problem->height(), problem->heightForWidth(problem->width()));
    window.grab().save(QStringLiteral(DRUNO_SCREENSHOT).replace(".png", "-problem.png"));
}

TEST(TraceModel, DropsTheOldestLinesPastTheByteLimitAndTellsTheViewRowByRow) {
    const std::size_t perLine = TraceLineCost(QStringLiteral("xxxx"));
    TraceModel model({100, 3 * perLine});
    QStringList events;
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&](auto&, int first, int last) {
        events << QStringLiteral("removed %1-%2 of %3").arg(first).arg(last).arg(model.rowCount());
    });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&](auto&, int first, int last) {
        events << QStringLiteral("inserted %1-%2 of %3").arg(first).arg(last).arg(model.rowCount());
    });
    model.Append({{1, "aaaa"}, {1, "bbbb"}});
    model.Append({{1, "cccc"}, {1, "dddd"}, {1, "eeee"}});
    EXPECT_EQ(model.RawLines(), (QStringList{"cccc", "dddd", "eeee"}));
    EXPECT_EQ(model.Dropped(), 2u);
    EXPECT_EQ(events, (QStringList{"inserted 0-1 of 2", "removed 0-1 of 0", "inserted 0-2 of 3"}));
    // A batch larger than the limit keeps its own newest lines.
    model.Append({{1, "ffff"}, {1, "gggg"}, {1, "hhhh"}, {1, "iiii"}});
    EXPECT_EQ(model.RawLines(), (QStringList{"gggg", "hhhh", "iiii"}));
    EXPECT_EQ(model.Dropped(), 6u);
}

TEST(TraceModel, CurrentRunShowsTheProcessThatStartedLast) {
    TraceModel model;
    model.Append({{100, "A::Run() {"}, {100, "old"}});
    model.Append({{200, "B::Run() {"}, {100, "still old"}, {200, "new"}});
    model.SetCurrentRunOnly(true);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.ShownText(0), QStringLiteral("B::Run() {"));
    EXPECT_EQ(model.ShownText(1), QStringLiteral("    new"));
    model.Append({{100, "} A::Run()"}, {300, "third"}});
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.ShownText(0), QStringLiteral("third"));
    EXPECT_EQ(model.TotalLines(), 7);
}

}  // namespace

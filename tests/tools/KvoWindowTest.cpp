// The viewer's window, fed through its published window as a traced program would feed it.

#include "tools/kvo/KvoWindow.h"

#include "platform/Messages.h"
#include "platform/RemoteWindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>

namespace {

class KvoWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        window = std::make_unique<KvoWindow>();
        ASSERT_TRUE(window->Inbox().IsListening());
        top = platform::FindRemoteWindow(QStringLiteral("Kvo"));
        field = platform::GetFirstRemoteChild(platform::GetFirstRemoteChild(top));
        ASSERT_NE(field, nullptr);
    }

    // The three messages of one trace line.
    void Send(const QStringList& lines) {
        for (const QString& line : lines) {
            platform::SendRemoteMessage(field, platform::kMsgSetText, 0, line);
            platform::SendRemoteMessage(top, platform::kMsgCommand, 32779, 0);
            platform::SendRemoteMessage(field, platform::kMsgSetText, 0,
                                        QStringLiteral("{VOQDBGLOG}"));
        }
        window->TakeWaitingLines();
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

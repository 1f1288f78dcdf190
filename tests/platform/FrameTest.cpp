// The frame: its command bar and the enabling of its items, its size, closing and help.

#include "FrameworkFixture.h"
#include "platform/core/Messages.h"
#include "platform/desktop/ListPanel.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "res/Resources.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

int fixture::TestFrame::OnCreate() {
    if (platform::Frame::OnCreate() == -1) {
        return -1;
    }
    if (!GetCommandBar()->AddButtons(IDB_TOOLBAR, res::kMainFrameButtons)) {
        return -1;
    }
    return GetCommandBar()->AddAdornments(0) ? 0 : -1;
}

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.HandleUpdate(ID_NEW_GAME);
        doc.HandleToggle(ID_NEW_GAME);
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &doc, &view));
    }
    void TearDown() override { platform::SetMessageBoxAnswerer(nullptr); }

    QToolBar* Bar() const { return frame.Widget()->findChild<QToolBar*>(); }
    // The menu item and the button that carry the command.
    QList<QAction*> Items(unsigned id) const {
        QList<QAction*> items;
        for (QAction* action : frame.Widget()->findChildren<QAction*>()) {
            if (action->data().toUInt() == id) {
                items << action;
            }
        }
        return items;
    }
    QMenu* Menu(const QString& text) const {
        for (auto* button : Bar()->findChildren<QToolButton*>()) {
            if (button->text() == text) {
                return button->menu();
            }
        }
        return nullptr;
    }

    fixture::TestApp app;
    fixture::TestDoc doc;
    fixture::TestView view;
    fixture::TestFrame frame;
};

TEST_F(FrameTest, CommandBarCarriesTheMenusTheButtonsAndTheAdornments) {
    QMenu* druno = Menu(QStringLiteral("&Druno"));
    QMenu* help = Menu(QStringLiteral("&Help"));
    ASSERT_NE(druno, nullptr);
    ASSERT_NE(help, nullptr);
    QStringList texts;
    for (QAction* action : druno->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(texts, QStringList({"&New Game", "&Abort Game", "Le&vel", "&Coach", "H&int", "-",
                                  "&Options...", "&Look and Feel...", "&Statistics...",
                                  "&Progress...", "&History", "-", "E&xit"}));
    // The level pop-up holds the three levels.
    QStringList levels;
    for (QAction* action : druno->actions().at(2)->menu()->actions()) {
        levels << action->text();
    }
    EXPECT_EQ(levels, QStringList({"&Three digits", "&Four digits", "Fi&ve digits"}));
    // New Game, Options, Statistics and About appear on the menu and as 16 x 16 buttons.
    for (unsigned id : {ID_NEW_GAME, ID_OPTIONS, ID_STATISTIC, ID_APP_ABOUT}) {
        const auto items = Items(id);
        ASSERT_EQ(items.size(), 2) << id;
        EXPECT_EQ(items.at(1)->icon().pixmap(16, 16).size(), QSize(16, 16));
    }
    EXPECT_FALSE(Bar()->isMovable());
    EXPECT_EQ(frame.GetWindowText(), QStringLiteral("Druno"));
    EXPECT_FALSE(frame.Widget()->windowIcon().isNull());
}

TEST_F(FrameTest, UpdatesEnableMenuItemsAndButtonsAlike) {
    frame.UpdateCommandItems();
    for (QAction* item : Items(ID_NEW_GAME)) {
        EXPECT_TRUE(item->isEnabled());
    }
    // Nobody carries out Options here: disabled. Exit and Help are the framework's own.
    for (QAction* item : Items(ID_OPTIONS)) {
        EXPECT_FALSE(item->isEnabled());
    }
    EXPECT_TRUE(Items(ID_APP_EXIT).at(0)->isEnabled());
    EXPECT_TRUE(Items(ID_HELP).at(0)->isEnabled());

    // A command from the bar toggles the state; the items follow once the program is idle.
    Items(ID_NEW_GAME).at(1)->trigger();
    EXPECT_TRUE(doc.m_bPlaying);
    QApplication::processEvents();
    for (QAction* item : Items(ID_NEW_GAME)) {
        EXPECT_FALSE(item->isEnabled());
    }

    // A menu that opens shows the state of that moment.
    doc.m_bPlaying = false;
    emit Menu(QStringLiteral("&Druno"))->aboutToShow();
    EXPECT_TRUE(Items(ID_NEW_GAME).at(0)->isEnabled());
}

// An update handler that sets a check gives the command's items a check mark that follows
// the state; the items of the other commands have none.
TEST_F(FrameTest, UpdatesCheckTheItemsOfACommandThatSwitches) {
    doc.HandleCheck(ID_HISTORY);
    frame.UpdateCommandItems();
    QAction* history = Items(ID_HISTORY).at(0);
    EXPECT_TRUE(history->isCheckable());
    EXPECT_FALSE(history->isChecked());
    EXPECT_FALSE(frame.IsCommandChecked(ID_HISTORY));
    doc.m_bPlaying = true;
    frame.UpdateCommandItems();
    EXPECT_TRUE(history->isChecked());
    EXPECT_TRUE(frame.IsCommandChecked(ID_HISTORY));
    for (QAction* item : Items(ID_NEW_GAME)) {
        EXPECT_FALSE(item->isCheckable());
    }
    EXPECT_FALSE(frame.IsCommandChecked(ID_NEW_GAME));
}

// A handler that shows a modal box and changes the state only after it closed (a won round)
// still leaves the items right once the program is idle again.
TEST_F(FrameTest, ItemsFollowAStateChangedAfterANestedLoop) {
    frame.ShowWindow(platform::kSwShow);
    doc.m_bPlaying = true;
    frame.UpdateCommandItems();
    QTimer::singleShot(0, [this] {
        QEventLoop modal;
        QTimer::singleShot(20, &modal, &QEventLoop::quit);
        modal.exec();
        doc.m_bPlaying = false;
    });
    QEventLoop running;
    QTimer::singleShot(100, &running, &QEventLoop::quit);
    running.exec();
    EXPECT_TRUE(Items(ID_NEW_GAME).at(1)->isEnabled());
}

TEST_F(FrameTest, OpensWithAGameScreenOf240By268AndResizes) {
    EXPECT_EQ(view.GetClientRect(), (platform::Rect{0, 0, 240, 268}));
    ASSERT_FALSE(view.m_sizes.isEmpty());
    EXPECT_EQ(view.m_sizes.last(), QSize(240, 268));
    frame.ShowWindow(platform::kSwShow);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.Widget()));
    EXPECT_EQ(view.GetClientRect(), (platform::Rect{0, 0, 240, 268}));

    frame.Widget()->resize(frame.Widget()->width() + 60, frame.Widget()->height() + 40);
    QApplication::processEvents();
    EXPECT_EQ(view.m_sizes.last(), QSize(300, 308));
}

// The side panel keeps its newest line in sight, whether the lines come to a shown window or
// before the window is first shown.
TEST_F(FrameTest, SidePanelShowsItsNewestLine) {
    platform::ListPanel panel;
    ASSERT_TRUE(panel.Create(&frame, 150, QStringLiteral("Lines")));
    auto* area = qobject_cast<QScrollArea*>(panel.Widget());
    ASSERT_NE(area, nullptr);
    QStringList lines;
    auto lineInSight = [&](const QString& text) {
        for (const QLabel* label : area->widget()->findChildren<QLabel*>()) {
            if (label->text() == text) {
                const int top = label->mapTo(area->viewport(), QPoint(0, 0)).y();
                return top >= 0 && top + label->height() <= area->viewport()->height();
            }
        }
        return false;
    };
    for (int i = 1; i <= 40; ++i) {
        lines << QStringLiteral("%1. a line long enough to be wrapped at the panel's width").arg(i);
    }
    panel.SetLines(lines);  // the window is not shown yet
    frame.ShowWindow(platform::kSwShow);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.Widget()));
    QApplication::processEvents();
    EXPECT_TRUE(lineInSight(lines.last()));
    EXPECT_FALSE(lineInSight(lines.first()));

    lines << QStringLiteral("41. one more");
    panel.SetLines(lines);
    EXPECT_TRUE(lineInSight(lines.last()));
}

TEST_F(FrameTest, CloseRequestAsksTheDocument) {
    frame.ShowWindow(platform::kSwShow);
    doc.m_bMayClose = false;
    frame.Widget()->close();
    EXPECT_TRUE(frame.IsWindowVisible());

    doc.m_bMayClose = true;
    frame.Widget()->close();
    EXPECT_FALSE(frame.IsWindowVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame.IsCreated());
    EXPECT_FALSE(view.IsCreated());
}

TEST_F(FrameTest, HelpSaysThereIsNone) {
    QStringList texts;
    platform::SetMessageBoxAnswerer([&](const QString& text, const QString&, unsigned type) {
        texts << text;
        EXPECT_EQ(type, platform::kMbIconInformation);
        return platform::kIdOk;
    });
    Items(ID_HELP).at(0)->trigger();
    frame.SendMessage(platform::kMsgHelp);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts.at(0).contains(QStringLiteral("No help")));
}

TEST(FrameCreation, ViewRefusingCreationFailsTheFrame) {
    fixture::TestDoc doc;
    fixture::TestView view;
    view.m_nCreateResult = -1;
    fixture::TestFrame frame;
    EXPECT_FALSE(frame.LoadFrame(IDR_MAINFRAME, &doc, &view));
    EXPECT_FALSE(frame.IsCreated());
    EXPECT_FALSE(view.IsCreated());
    platform::ViewPosition position = doc.GetFirstViewPosition();
    EXPECT_EQ(position, nullptr);
}

}  // namespace

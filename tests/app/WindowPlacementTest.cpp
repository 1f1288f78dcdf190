// The main window's size and place and the history's width, kept from one run to the next in
// a section of their own; the five game settings keep their sections and keys. Each run is a
// process of its own, started here from this test program.

#include "app/MyDrunoApp.h"
#include "platform/graphics/Screen.h"
#include "tests/app/DesktopFixture.h"

#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace desktop;

namespace {

const char* const kFolderVariable = "DRUNO_TEST_FOLDER";

// Runs one of the disabled tests below in a fresh process on the folder.
void RunChild(const QString& folder, const char* test) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromUtf8(kFolderVariable), folder);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=WindowRun.%1").arg(QString::fromUtf8(test))});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
}

QSplitter* Divider() {
    return FrameWindow()->findChild<QSplitter*>();
}

TEST(WindowPlacement, IsKeptInItsOwnSectionAndComesBackAtTheNextStart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RunChild(dir.path(), "DISABLED_MoveHideHistoryAndQuit");

    const QSettings ini(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")),
                        QSettings::IniFormat);
    EXPECT_EQ(ini.childGroups(), (QStringList{QStringLiteral("Init"), QStringLiteral("Init.LaF"),
                                              QStringLiteral("Window")}));
    EXPECT_EQ(ini.value("Init/Sound").toString(), "1");
    EXPECT_EQ(ini.value("Init/FontSize").toString(), "100");
    EXPECT_EQ(ini.value("Init/FontSizeStatus").toString(), "16");
    EXPECT_EQ(ini.value("Init.LaF/ShowCancelBtn").toString(), "1");
    EXPECT_EQ(ini.value("Init.LaF/NoFullScreenDlg").toString(), "1");
    QSettings init(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")), QSettings::IniFormat);
    init.beginGroup(QStringLiteral("Init"));
    EXPECT_EQ(init.childKeys().size(), 3);
    init.endGroup();
    EXPECT_EQ(ini.value("Window/Left").toString(), "30");
    EXPECT_EQ(ini.value("Window/Top").toString(), "40");
    EXPECT_EQ(ini.value("Window/Width").toString(), "520");
    EXPECT_EQ(ini.value("Window/Height").toString(), "400");
    EXPECT_EQ(ini.value("Window/HistoryWidth").toString(), "0");

    RunChild(dir.path(), "DISABLED_StartsAsItWasLeft");
}

// A settings file damaged by hand must not lose the window or the game screen.
TEST(WindowPlacement, NonsenseInTheStoreGivesAWindowOnTheScreen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QSettings ini(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")),
                      QSettings::IniFormat);
        ini.setValue("Window/Left", -50000);
        ini.setValue("Window/Top", 90000);
        ini.setValue("Window/Width", 70000);
        ini.setValue("Window/Height", 3);
        ini.setValue("Window/HistoryWidth", 999999);
    }
    RunChild(dir.path(), "DISABLED_StartsOnTheScreen");
}

// Where the desktop places windows itself (Wayland), the window's place is neither restored
// nor kept, so the place kept by another session survives; size and history width are kept.
TEST(WindowPlacement, PlaceIsLeftAloneWhereThePlatformCannotPlaceWindows) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("config/Brantel/Druno.ini"));
    {
        QSettings ini(file, QSettings::IniFormat);
        ini.setValue("Window/Left", 30);
        ini.setValue("Window/Top", 40);
        ini.setValue("Window/Width", 520);
        ini.setValue("Window/Height", 400);
        ini.setValue("Window/HistoryWidth", 0);
    }
    RunChild(dir.path(), "DISABLED_UnplacedMoveResizeAndQuit");
    const QSettings ini(file, QSettings::IniFormat);
    EXPECT_EQ(ini.value("Window/Left").toString(), "30");
    EXPECT_EQ(ini.value("Window/Top").toString(), "40");
    EXPECT_EQ(ini.value("Window/Width").toString(), "600");
    EXPECT_EQ(ini.value("Window/Height").toString(), "450");
    EXPECT_EQ(ini.value("Window/HistoryWidth").toString(), "0");
}

// The history's text grows with the game screen: a window twice the size of the game's own
// layout shows the history in a font twice as large, and back at the default size the panel
// has the desktop's font again.
TEST_F(DesktopTest, HistoryTextGrowsWithTheGameScreen) {
    using namespace desktop;
    QWidget* window = FrameWindow();
    QWidget* panel = HistoryPanel();
    ASSERT_NE(panel, nullptr);
    const QSize defaultSize = window->size();
    const QFont desktopFont = QApplication::font(panel);
    ASSERT_GT(desktopFont.pointSizeF(), 0);
    EXPECT_FALSE(panel->testAttribute(Qt::WA_SetFont));

    window->resize(defaultSize + GameView()->size());
    QApplication::processEvents();
    ASSERT_EQ(GameView()->size(), QSize(480, 536));
    EXPECT_DOUBLE_EQ(panel->font().pointSizeF(), 2 * desktopFont.pointSizeF());
    EXPECT_EQ(QFontInfo(panel->font()).pixelSize(), 2 * QFontInfo(desktopFont).pixelSize());

    window->resize(defaultSize);
    QApplication::processEvents();
    ASSERT_EQ(GameView()->size(), QSize(240, 268));
    EXPECT_EQ(panel->font(), desktopFont);
}

// Run by the tests above, each in a process of its own.

TEST(WindowRun, DISABLED_MoveHideHistoryAndQuit) {
    ASSERT_TRUE(StartProgram(qEnvironmentVariable(kFolderVariable)));
    // The window goes once the program has ended.
    const QPointer<QWidget> window = FrameWindow();
    window->move(30, 40);
    window->resize(520, 400);
    QApplication::processEvents();
    // The player drags the divider to the right edge: the history goes out of sight.
    QWidget* handle = Divider()->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(handle, grip + QPoint(window->width(), 0));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(window->width(), 0));
    QApplication::processEvents();
    ASSERT_EQ(HistoryPanel()->width(), 0);

    // Exit by its keys, between rounds: the window closes and the program ends.
    Activate();
    PressKeys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window.isNull() || !window->isVisible());
    EXPECT_TRUE(TakeBoxes().isEmpty());
    theApp.ExitInstance();
}

TEST(WindowRun, DISABLED_StartsAsItWasLeft) {
    ASSERT_TRUE(StartProgram(qEnvironmentVariable(kFolderVariable)));
    QWidget* window = FrameWindow();
    EXPECT_EQ(window->pos(), QPoint(30, 40));
    EXPECT_EQ(window->size(), QSize(520, 400));
    EXPECT_EQ(HistoryPanel()->width(), 0);
    // Without the history the game screen has the window's whole width but the divider's,
    // which stays at the right edge to bring the history back.
    EXPECT_EQ(GameView()->width(), 520 - Divider()->handleWidth());
    window->close();
    QApplication::processEvents();
}

TEST(WindowRun, DISABLED_UnplacedMoveResizeAndQuit) {
    platform::SetCanPlaceWindowsOverride(false);
    ASSERT_TRUE(StartProgram(qEnvironmentVariable(kFolderVariable)));
    const QPointer<QWidget> window = FrameWindow();
    EXPECT_NE(window->pos(), QPoint(30, 40));
    EXPECT_EQ(window->size(), QSize(520, 400));
    window->move(100, 120);
    window->resize(600, 450);
    QApplication::processEvents();
    Activate();
    PressKeys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window.isNull() || !window->isVisible());
    theApp.ExitInstance();
}

TEST(WindowRun, DISABLED_StartsOnTheScreen) {
    ASSERT_TRUE(StartProgram(qEnvironmentVariable(kFolderVariable)));
    QWidget* window = FrameWindow();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(window->frameGeometry()));
    EXPECT_LE(window->width(), screen.width());
    EXPECT_GE(window->height(), window->minimumSizeHint().height());
    EXPECT_GE(GameView()->width(), 120);
    EXPECT_GT(GameView()->height(), 0);
    window->close();
    QApplication::processEvents();
}

}  // namespace

// The whole program in one process, started as main() starts it: the one application object,
// InitInstance, the real main frame with its command bar, the game view and the dialogs. The
// tests of the DrunoApp suite share that one program and each leaves it between rounds, so
// they run in any order. Ending the program and starting it anew happen in child processes of
// their own.

#include "app/MyDrunoApp.h"
#include "platform/core/Debug.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/framework/Frame.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProfileStore.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "stats/GameStatisticsRecord.h"
#include "tests/dialogs/ModalDriver.h"
#include "tests/support/InOrder.h"
#include "tests/support/ScreenDrawing.h"
#include "tests/support/StatisticsBytes.h"
#include "tests/support/StripTaps.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace testing_support;

namespace {

// What the program wrote and showed, in order: trace lines and "box <type> <text>".
QStringList s_events;
int s_nextAnswer = platform::kIdOk;
bool s_started = false;
std::unique_ptr<QTemporaryDir> s_dir;

// What was there when the settings were read.
struct AtRegInit {
    bool seen = false;
    bool frame = false;
    bool view = false;
    bool visible = true;
} s_atRegInit;

QString StatFile(const QString& folder) {
    return folder + QStringLiteral("/Druno.sta");
}

QString StatFile() {
    return StatFile(s_dir->path());
}

QStringList TakeEvents() {
    QStringList events;
    events.swap(s_events);
    return events;
}

QStringList Boxes(const QStringList& events) {
    return events.filter(QRegularExpression(QStringLiteral("^box ")));
}

platform::Frame* MainFrame() {
    return theApp.GetMainWnd();
}

CMyDrunoDoc* Doc() {
    return dynamic_cast<CMyDrunoDoc*>(MainFrame()->GetActiveDocument());
}

platform::View* GameView() {
    return MainFrame()->GetActiveView();
}

void Command(unsigned id) {
    ASSERT_TRUE(theApp.OnCmdMsg(id, nullptr)) << "nobody took command " << id;
    QApplication::processEvents();
}

void TapDigits(const QString& digits) {
    TapStripDigits(GameView()->Widget(), digits);
}

// Three different digits that are not the secret.
QString WrongGuess(const QString& secret) {
    return secret == QStringLiteral("123") ? QStringLiteral("321") : QStringLiteral("123");
}

bool IsBlank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0)) {
                return false;
            }
        }
    }
    return true;
}

QImage GrabView() {
    return GameView()->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The enabling of a command as the user sees it: every menu item and every button of the
// command bar that carries it, after the update handlers ran.
struct ItemState {
    int items = 0;
    int enabled = 0;
};

ItemState ItemsFor(unsigned id) {
    MainFrame()->UpdateCommandItems();
    ItemState state;
    for (QAction* action : MainFrame()->Widget()->findChildren<QAction*>()) {
        if (action->data().toUInt() == id) {
            ++state.items;
            state.enabled += action->isEnabled() ? 1 : 0;
        }
    }
    return state;
}

void RecordEvents() {
    platform::SetDebugObserver([](const QString& text) {
        const QString line = text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text;
        s_events << line;
        if (line == QStringLiteral("fRead==true") && !s_atRegInit.seen) {
            platform::Frame* frame = theApp.GetMainWnd();
            s_atRegInit = {true, frame != nullptr,
                           frame != nullptr && frame->GetActiveView() != nullptr,
                           frame != nullptr && frame->IsWindowVisible()};
        }
    });
    platform::SetMessageBoxAnswerer([](const QString& text, const QString&, unsigned type) {
        s_events << QStringLiteral("box %1 %2").arg(type).arg(text);
        return s_nextAnswer;
    });
}

// Starts the program as main() does, with its settings and statistics in a private folder.
void StartProgram(const QString& folder) {
    platform::SetProfileFolder(folder + QStringLiteral("/config"));
    platform::SetModuleFileNameSource([folder] { return folder + QStringLiteral("/druno"); });
    RecordEvents();
    s_started = theApp.InitInstance();
    QApplication::processEvents();
}

// Runs one disabled test of this program in a child process on the folder; it passes there.
void RunInChild(const QString& test, const QString& folder) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DRUNO_TEST_FOLDER"), folder);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=") + test,
                 // Once, whatever repeat the parent was asked for: a program starts only once.
                 QStringLiteral("--gtest_repeat=1")});
    ASSERT_TRUE(child.waitForFinished(120000)) << test.toStdString();
    const std::string output = child.readAll().toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

QStringList s_startEvents;

class DrunoApp : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_dir->isValid());
        ASSERT_TRUE(WriteEmptyStatistics(StatFile(s_dir->path())));
        StartProgram(s_dir->path());
        s_startEvents = TakeEvents();
    }

    static void TearDownTestSuite() {
        if (s_started && MainFrame() != nullptr) {
            Doc()->StopPlaying();
            MainFrame()->Widget()->close();
            QApplication::processEvents();
            theApp.ExitInstance();
        }
        s_started = false;
        platform::SetDebugObserver(nullptr);
        platform::SetMessageBoxAnswerer(nullptr);
        s_dir.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(s_started);
        ASSERT_NE(MainFrame(), nullptr);
        s_nextAnswer = platform::kIdOk;
        TakeEvents();
    }

    // A test that failed during a round leaves none to the next one.
    void TearDown() override {
        if (MainFrame() != nullptr && Doc()->m_bPlaying) {
            Doc()->StopPlaying();
        }
    }
};

TEST_F(DrunoApp, StartsWithTheWindowShownAfterTheSettingsWereRead) {
    EXPECT_TRUE(InOrder(s_startEvents, {
                                           "CMyDrunoApp::InitInstance() {",
                                           "CMainFrame::CMainFrame() {",
                                           "} CMainFrame::CMainFrame()",
                                           "CMainFrame::PreCreateWindow() {",
                                           "} CMainFrame::PreCreateWindow()",
                                           "CMainFrame::OnCreate() {",
                                           "} CMyDrunoView::OnCreate() (0 /* OK */)",
                                           "} CMainFrame::OnCreate()",
                                           "CMyDrunoApp::RegInit() {",
                                           "fRead==true",
                                           "} CMyDrunoApp::RegInit()",
                                           // Shown, then painted at once.
                                           "CMyDrunoView::OnDraw() {",
                                           "} CMyDrunoView::OnDraw()",
                                           "} CMyDrunoApp::InitInstance()",
                                       }));
    // The view is painted once before the program is under way, however it took the focus.
    const qsizetype end = s_startEvents.indexOf(QStringLiteral("} CMyDrunoApp::InitInstance()"));
    ASSERT_GE(end, 0);
    EXPECT_EQ(s_startEvents.mid(0, end).count(QStringLiteral("CMyDrunoView::OnDraw() {")), 1);
    ASSERT_TRUE(s_atRegInit.seen);
    EXPECT_TRUE(s_atRegInit.frame);
    EXPECT_TRUE(s_atRegInit.view);
    EXPECT_FALSE(s_atRegInit.visible);

    EXPECT_TRUE(MainFrame()->IsWindowVisible());
    EXPECT_EQ(MainFrame()->GetWindowText(), "Druno");
    const platform::Rect client = GameView()->GetClientRect();
    EXPECT_EQ(client.Width(), 240);
    EXPECT_EQ(client.Height(), 268);
    EXPECT_FALSE(Doc()->m_bPlaying);
    EXPECT_TRUE(IsBlank(GrabView()));
}

// The first lines of a process come from the application object's constructor, during static
// initialisation, long before InitInstance: the real program shows it on its error stream.
TEST_F(DrunoApp, ConstructorTracesComeBeforeInitInstance) {
    QProcess druno;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), s_dir->filePath(QStringLiteral("child")));
    druno.setProcessEnvironment(env);
    druno.setReadChannel(QProcess::StandardError);
    druno.start(QStringLiteral(DRUNO_EXECUTABLE), {});
    ASSERT_TRUE(druno.waitForStarted());
    QByteArray out;
    while (!out.contains("} CMyDrunoApp::InitInstance()") && druno.waitForReadyRead(10000)) {
        out += druno.readAllStandardError();
    }
    druno.kill();
    druno.waitForFinished();
    const QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "CMyDrunoApp::CMyDrunoApp() {");
    EXPECT_EQ(lines[1], "} CMyDrunoApp::CMyDrunoApp()");
    EXPECT_TRUE(InOrder(
        lines, {"CMyDrunoApp::InitInstance() {", "fRead==true", "} CMyDrunoApp::InitInstance()"}));
}

TEST_F(DrunoApp, CommandsFollowTheRound) {
    struct Expect {
        const char* menuText;
        unsigned id;
        bool enabledBetweenRounds;
        int buttons;  // buttons of the command bar besides the menu item
    };
    const Expect items[] = {
        {"&New Game", ID_NEW_GAME, true, 1},      {"E&xit", ID_APP_EXIT, true, 0},
        {"&Abort Game", ID_ABORT_GAME, false, 0}, {"&Statistics...", ID_STATISTIC, true, 1},
        {"&Options...", ID_OPTIONS, true, 1},     {"&About Druno", ID_APP_ABOUT, true, 1},
    };
    for (bool playing : {false, true}) {
        if (playing) {
            Command(ID_NEW_GAME);
        }
        for (const Expect& item : items) {
            SCOPED_TRACE(item.menuText);
            const bool statistics =
                item.id == ID_STATISTIC || item.id == ID_OPTIONS || item.id == ID_APP_ABOUT;
            const bool enabled = statistics || item.enabledBetweenRounds != playing;
            const ItemState state = ItemsFor(item.id);
            EXPECT_EQ(state.items, 1 + item.buttons);
            EXPECT_EQ(state.enabled, enabled ? state.items : 0);
        }
    }
    s_nextAnswer = platform::kIdYes;
    Command(ID_ABORT_GAME);
}

TEST_F(DrunoApp, RoundWonByTaps) {
    const StatCounts before = ReadStatCounts(StatFile());
    Command(ID_NEW_GAME);
    const QString secret = Doc()->m_game.GetNumber();
    EXPECT_FALSE(IsBlank(GrabView()));
    ScreenDrawing shown = DrawGameScreen(*GameView());
    EXPECT_EQ(shown.status, QStringList{"1 / 10"});
    EXPECT_EQ(shown.result, QStringList{"? ?"});
    TapDigits(secret.left(2));
    shown = DrawGameScreen(*GameView());
    EXPECT_EQ(shown.status, QStringList{secret.left(2) + ", 1 / 10"});
    EXPECT_EQ(shown.result, QStringList{"? ?"});
    TapDigits(secret.mid(2));
    QApplication::processEvents();
    EXPECT_EQ(Boxes(TakeEvents()), QStringList{QStringLiteral("box 0 WON!")});
    EXPECT_EQ(ReadStatCounts(StatFile()),
              (StatCounts{before.played + 1, before.won + 1, before.lost}));
    EXPECT_FALSE(Doc()->m_bPlaying);
    EXPECT_TRUE(IsBlank(GrabView()));
}

// The coach writes no trace line and counts nothing: a round with it on, a hint taken, leaves
// the same trace, boxes and statistics as the same round without it. The statistics record's
// counts in the trace differ by the round counted in between, and are left out.
TEST_F(DrunoApp, TheCoachLeavesTheTraceAndTheFilesOfARoundAsTheyAre) {
    const auto playRound = [] {
        CDrunoGame::SetChosenSecret(QStringLiteral("123"));
        Command(ID_NEW_GAME);
        CDrunoGame::SetChosenSecret(QString());
        TapDigits(QStringLiteral("456145"));
        Command(ID_HINT);
        TapDigits(QStringLiteral("123"));
        QApplication::processEvents();
        const QRegularExpression count(QStringLiteral("^(gs\\.nGames[A-Za-z]*=).*"));
        return TakeEvents().replaceInStrings(count, QStringLiteral("\\1(count)"));
    };
    // A round first, so that both rounds find a statistics file of the same version.
    playRound();
    const StatCounts before = ReadStatCounts(StatFile());
    const QStringList off = playRound();
    const StatCounts afterOff = ReadStatCounts(StatFile());
    Command(ID_COACH);
    TakeEvents();
    const QStringList on = playRound();
    const StatCounts afterOn = ReadStatCounts(StatFile());
    Command(ID_COACH);
    EXPECT_FALSE(theApp.m_bCoach);

    EXPECT_TRUE(off.contains(QStringLiteral("box 0 WON!")));
    EXPECT_TRUE(off.contains(QStringLiteral("gs.nGamesWon=(count)")));
    EXPECT_EQ(on, off);
    // Each round counted one win, the same way.
    EXPECT_EQ(afterOff, (StatCounts{before.played + 1, before.won + 1, before.lost}));
    EXPECT_EQ(afterOn, (StatCounts{afterOff.played + 1, afterOff.won + 1, afterOff.lost}));
}

TEST_F(DrunoApp, RoundLostByTaps) {
    const StatCounts before = ReadStatCounts(StatFile());
    Command(ID_NEW_GAME);
    const QString secret = Doc()->m_game.GetNumber();
    for (int attempt = 0; attempt < 10; ++attempt) {
        TapDigits(WrongGuess(secret));
    }
    QApplication::processEvents();
    EXPECT_EQ(Boxes(TakeEvents()),
              QStringList{QStringLiteral("box 0 Game Over!\nSolution: ") + secret});
    EXPECT_EQ(ReadStatCounts(StatFile()),
              (StatCounts{before.played + 1, before.won, before.lost + 1}));
    EXPECT_FALSE(Doc()->m_bPlaying);
    EXPECT_TRUE(IsBlank(GrabView()));
}

TEST_F(DrunoApp, AbortGameCountsALossWhenConfirmed) {
    const StatCounts before = ReadStatCounts(StatFile());
    Command(ID_NEW_GAME);
    const QString secret = Doc()->m_game.GetNumber();
    s_nextAnswer = platform::kIdNo;
    Command(ID_ABORT_GAME);
    EXPECT_TRUE(Doc()->m_bPlaying);
    s_nextAnswer = platform::kIdYes;
    Command(ID_ABORT_GAME);
    EXPECT_EQ(Boxes(TakeEvents()), (QStringList{
                                       QStringLiteral("box 36 Really abort the game?"),
                                       QStringLiteral("box 36 Really abort the game?"),
                                       QStringLiteral("box 0 Game Over!\nSolution: ") + secret,
                                   }));
    EXPECT_EQ(ReadStatCounts(StatFile()),
              (StatCounts{before.played + 1, before.won, before.lost + 1}));
    EXPECT_FALSE(Doc()->m_bPlaying);
}

// OK in the Options dialog draws the game screen again with the new sizes; Cancel does not.
TEST_F(DrunoApp, OptionsRedrawTheGameView) {
    Command(ID_NEW_GAME);
    const QImage before = GrabView();
    const ModalRun cancelled = DriveModal([] { Command(ID_OPTIONS); }, {[](platform::Dialog& dlg) {
                                              SetText(dlg, IDC_FONT_SIZE, QStringLiteral("40"));
                                              PressCancel(dlg);
                                          }});
    EXPECT_EQ(cancelled.templateId, IDD_OPTIONS);
    QApplication::processEvents();
    TakeEvents();

    DriveModal([] { Command(ID_OPTIONS); }, {[](platform::Dialog& dlg) {
                   SetText(dlg, IDC_FONT_SIZE, QStringLiteral("40"));
                   PressDone(dlg);
               }});
    QApplication::processEvents();
    EXPECT_TRUE(TakeEvents().contains(QStringLiteral("CMyDrunoView::OnDraw() {")));
    EXPECT_EQ(theApp.m_nFontSize, 40);
    EXPECT_NE(GrabView(), before);

    s_nextAnswer = platform::kIdYes;
    Command(ID_ABORT_GAME);
    theApp.m_nFontSize = 100;
}

// The About box: the icon and the version text, closed with the Done button; a settings
// change leaves it where it is.
TEST_F(DrunoApp, AboutBox) {
    platform::Rect before;
    platform::Rect after;
    const ModalRun run = DriveModal([] { Command(ID_APP_ABOUT); }, {[&](platform::Dialog& dlg) {
                                        EXPECT_EQ(dlg.GetWindowText(), "About Druno");
                                        EXPECT_EQ(dlg.GetStyle() & platform::kWsSysMenu, 0u);
                                        before = dlg.GetWindowRect();
                                        dlg.SendMessage(platform::kMsgSettingChange, 0, 0);
                                        after = dlg.GetWindowRect();
                                        PressDone(dlg);
                                    }});
    EXPECT_EQ(run.templateId, IDD_ABOUTBOX);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(after, before);
    // Centred over the main window (template size: NoFullScreenDlg is on by default).
    const platform::Rect frame = MainFrame()->GetWindowRect();
    EXPECT_LE(std::abs((before.left + before.right) - (frame.left + frame.right)), 2);
    EXPECT_TRUE(Boxes(TakeEvents()).isEmpty());
}

// A dialog over the window, and the window's return to the front, leave the game screen as it
// is: nothing is drawn anew.
TEST_F(DrunoApp, ADialogOverTheWindowRepaintsNothing) {
    MainFrame()->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainFrame()->Widget()));
    QApplication::processEvents();
    TakeEvents();
    DriveModal([] { Command(ID_APP_ABOUT); }, {[](platform::Dialog& dlg) { PressDone(dlg); }});
    MainFrame()->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainFrame()->Widget()));
    QApplication::processEvents();
    EXPECT_FALSE(TakeEvents().contains(QStringLiteral("CMyDrunoView::OnDraw() {")));
}

// Statistics opens with no button in focus: Enter closes it as its Done does, and never asks
// to reset the statistics.
TEST_F(DrunoApp, EnterInStatisticsIsDone) {
    QString focused;
    const ModalRun run = DriveModal([] { Command(ID_STATISTIC); }, {[&](platform::Dialog& dlg) {
                                        QWidget* window = dlg.Widget()->window();
                                        window->activateWindow();
                                        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
                                        QWidget* focus = QApplication::focusWidget();
                                        ASSERT_NE(focus, nullptr);
                                        ASSERT_EQ(focus->window(), window);
                                        focused = focus->metaObject()->className();
                                        QTest::keyClick(focus, Qt::Key_Return);
                                    }});
    EXPECT_EQ(run.templateId, IDD_STATISTICS);
    EXPECT_FALSE(run.leftOpen) << focused.toStdString();
    EXPECT_NE(focused, QStringLiteral("QPushButton"));
    EXPECT_TRUE(Boxes(TakeEvents()).isEmpty());
}

TEST_F(DrunoApp, HelpContentsGoesToTheFramesHelp) {
    Command(ID_HELP);
    EXPECT_TRUE(Boxes(TakeEvents()).isEmpty());
    ASSERT_NE(MainFrame()->GetHelpWindow(), nullptr);
    MainFrame()->GetHelpWindow()->Widget()->close();
}

// The game screen follows the window when the player resizes it: the view grows, and the
// handheld's screen in it is drawn larger while its layout keeps its size.
TEST_F(DrunoApp, MainWindowCanBeResized) {
    QWidget* window = MainFrame()->Widget();
    const QSize size = window->size();
    window->resize(size + QSize(60, 40));
    QApplication::processEvents();
    EXPECT_EQ(GameView()->Widget()->size(), QSize(300, 308));
    const platform::Rect client = GameView()->GetClientRect();
    EXPECT_EQ(client.Width(), 240);
    EXPECT_EQ(client.Height(), 268);
    EXPECT_GT(GameView()->Scale().Factor(), 1.0);
    window->resize(size);
    QApplication::processEvents();
    EXPECT_EQ(GameView()->GetClientRect().Width(), 240);
}

// A close request during a round counts one loss, says so and lets the program end; settings
// changed in the dialogs reach the store at exit, and the next start works with them. Each
// program runs in a child process of its own, so that this suite's program stays open.
TEST(DrunoAppEnd, ClosingDuringARoundLosesItAndTheSettingsAreKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(WriteEmptyStatistics(StatFile(dir.path())));

    RunInChild(QStringLiteral("DrunoAppEnd.DISABLED_CloseDuringARound"), dir.path());

    EXPECT_EQ(ReadStatCounts(StatFile(dir.path())), (StatCounts{1, 0, 1}));
    const QSettings ini(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")),
                        QSettings::IniFormat);
    EXPECT_EQ(ini.value("Init/Sound").toString(), "0");
    EXPECT_EQ(ini.value("Init/FontSize").toString(), "150");
    EXPECT_EQ(ini.value("Init/FontSizeStatus").toString(), "20");
    EXPECT_EQ(ini.value("Init.LaF/ShowCancelBtn").toString(), "0");
    EXPECT_EQ(ini.value("Init.LaF/NoFullScreenDlg").toString(), "0");

    RunInChild(QStringLiteral("NextStart.DISABLED_UsesTheStoredSettings"), dir.path());
}

// Run only by the test above, in a fresh process: the settings are changed in the dialogs, a
// round is started and the main window is closed; then the exit step runs as main() runs it.
TEST(DrunoAppEnd, DISABLED_CloseDuringARound) {
    const QString folder = qEnvironmentVariable("DRUNO_TEST_FOLDER");
    ASSERT_FALSE(folder.isEmpty());
    StartProgram(folder);
    ASSERT_TRUE(s_started);
    DriveModal([] { Command(ID_OPTIONS); }, {[](platform::Dialog& dlg) {
                   Click(dlg, IDC_SOUND);
                   SetText(dlg, IDC_FONT_SIZE, QStringLiteral("150"));
                   SetText(dlg, IDC_FONT_SIZE_STATUS, QStringLiteral("20"));
                   PressDone(dlg);
               }});
    DriveModal([] { Command(ID_LOOK_AND_FEEL); }, {[](platform::Dialog& dlg) {
                   Click(dlg, IDC_NO_FULL_SCREEN_DLG);
                   Click(dlg, IDC_SHOW_CANCEL_BTN);
                   PressDone(dlg);
               }});

    Command(ID_NEW_GAME);
    TakeEvents();
    QPointer<QWidget> window = MainFrame()->Widget();
    window->close();
    QApplication::processEvents();
    const QStringList events = TakeEvents();
    EXPECT_EQ(Boxes(events), QStringList{QStringLiteral(
                                 "box 64 If the application is being closed you lose the game!")});
    EXPECT_TRUE(InOrder(events, {"CMainFrame::OnClose() {", "} CMainFrame::OnClose()",
                                 "CMainFrame::~CMainFrame() {", "} CMainFrame::~CMainFrame()"}));
    EXPECT_TRUE(window.isNull() || !window->isVisible());

    theApp.ExitInstance();
}

// Run only by the closing test, in a fresh process: the program started on the folder it left.
TEST(NextStart, DISABLED_UsesTheStoredSettings) {
    const QString folder = qEnvironmentVariable("DRUNO_TEST_FOLDER");
    ASSERT_FALSE(folder.isEmpty());
    StartProgram(folder);
    ASSERT_TRUE(s_started);
    EXPECT_FALSE(theApp.m_bSound);
    EXPECT_EQ(theApp.m_nFontSize, 150);
    EXPECT_EQ(theApp.m_nFontSizeStatus, 20);
    EXPECT_FALSE(theApp.m_bShowCancelBtn);
    EXPECT_FALSE(theApp.m_bNoFullScreenDlg);
    theApp.GetMainWnd()->Widget()->close();
    QApplication::processEvents();
}

}  // namespace

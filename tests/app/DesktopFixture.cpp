#include "tests/app/DesktopFixture.h"

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProfileStore.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"
#include "tests/support/PanelLines.h"
#include "tests/support/StatisticsBytes.h"
#include "tests/support/StripTaps.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <memory>

QStringList DesktopTest::s_startLines;

namespace desktop {

namespace {

QStringList s_boxes;
int s_answer = platform::kIdOk;
std::function<void()> s_whileBox;
std::unique_ptr<QTemporaryDir> s_dir;

// Ends the program the tests started, as the player would, once every test has run.
class ProgramEnvironment : public testing::Environment {
public:
    void TearDown() override {
        if (s_dir && MainFrame() != nullptr) {
            if (Doc()->m_bPlaying) {
                AbortGame(true);
            }
            FrameWindow()->close();
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

[[maybe_unused]] testing::Environment* const s_environment =
    testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// The cell's centre where the game screen shows it, enlarged or not.
void TapCell(int cell) {
    QTest::mouseClick(GameView(), Qt::LeftButton, Qt::NoModifier,
                      ShownAt(MainFrame()->GetActiveView()->Scale(), StripCellCentre(cell)));
}

}  // namespace

bool StartProgram(const QString& folder) {
    platform::SetProfileFolder(folder + QStringLiteral("/config"));
    platform::SetModuleFileNameSource([folder] { return folder + QStringLiteral("/druno"); });
    // An empty statistics record, so that counting a round shows no open error.
    const QString statFile = folder + QStringLiteral("/Druno.sta");
    if (!QFile::exists(statFile) && !WriteEmptyStatistics(statFile)) {
        return false;
    }
    platform::SetMessageBoxAnswerer([](const QString& text, const QString&, unsigned type) {
        s_boxes << QStringLiteral("box %1 %2").arg(type).arg(text);
        if (s_whileBox) {
            s_whileBox();
        }
        return s_answer;
    });
    const bool started = theApp.InitInstance();
    QApplication::processEvents();
    return started && MainFrame() != nullptr;
}

CMainFrame* MainFrame() {
    return dynamic_cast<CMainFrame*>(theApp.GetMainWnd());
}

CMyDrunoDoc* Doc() {
    return dynamic_cast<CMyDrunoDoc*>(MainFrame()->GetActiveDocument());
}

QWidget* FrameWindow() {
    return MainFrame()->Widget();
}

QWidget* GameView() {
    return MainFrame()->GetActiveView()->Widget();
}

QWidget* HistoryPanel() {
    return HistoryPanelOf(FrameWindow());
}

QStringList HistoryLines() {
    return ShownHistoryLines(FrameWindow());
}

namespace {

QAction* ItemOfMenu(const QMenu* menu, unsigned command) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            if (QAction* item = ItemOfMenu(action->menu(), command)) {
                return item;
            }
        } else if (action->data().toUInt() == command) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

QAction* MenuItem(unsigned command) {
    for (QToolButton* button : FrameWindow()->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr) {
            continue;
        }
        if (QAction* item = ItemOfMenu(button->menu(), command)) {
            return item;
        }
    }
    return nullptr;
}

void Activate() {
    QWidget* window = FrameWindow();
    // What the window system still has to say (a popup of the test before, closed, hands the
    // activation back and forth) is heard first: the window must be active after it.
    QApplication::processEvents();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    GameView()->setFocus();
}

void PressKeys(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : FrameWindow(),
        static_cast<Qt::Key>(key), modifiers);
    QApplication::processEvents();
}

void NewGame(const QString& secret) {
    CDrunoGame::SetChosenSecret(secret);
    MainFrame()->ExecuteCommand(ID_NEW_GAME);
    CDrunoGame::SetChosenSecret(QString());
    QApplication::processEvents();
    ASSERT_TRUE(Doc()->m_bPlaying);
    ASSERT_EQ(Doc()->m_game.GetNumber(), secret);
}

void Play(const QString& moves) {
    for (QChar move : moves) {
        TapCell(move == QLatin1Char('<') ? 10 : move.digitValue());
    }
    QApplication::processEvents();
}

void AbortGame(bool confirm) {
    s_answer = confirm ? platform::kIdYes : platform::kIdNo;
    MainFrame()->ExecuteCommand(ID_ABORT_GAME);
    s_answer = platform::kIdOk;
    QApplication::processEvents();
}

void WhileBoxesShow(std::function<void()> action) {
    s_whileBox = std::move(action);
}

QStringList TakeBoxes() {
    QStringList boxes;
    boxes.swap(s_boxes);
    return boxes;
}

void SaveShot(const QString& name, QWidget* widget) {
    const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(folder);
    (widget != nullptr ? widget : FrameWindow())
        ->grab()
        .save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace desktop

void DesktopTest::SetUp() {
    using namespace desktop;
    if (!s_dir) {
        s_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_dir->isValid());
        ASSERT_TRUE(StartProgram(s_dir->path()));
        s_startLines = HistoryLines();
        SaveShot(QStringLiteral("start"));
    }
    ASSERT_NE(MainFrame(), nullptr);
    ASSERT_FALSE(Doc()->m_bPlaying);
    TakeBoxes();
}

void DesktopTest::TearDown() {
    using namespace desktop;
    WhileBoxesShow(nullptr);
    if (MainFrame() == nullptr) {
        return;
    }
    if (Doc()->m_bPlaying) {
        AbortGame(true);
    }
    if (platform::HelpWindow* help = MainFrame()->GetHelpWindow()) {
        help->Widget()->close();
    }
    TakeBoxes();
    // A menu a test opened is closed, what it left to the event loop lands before the next
    // test begins, and every test starts with the history shown.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
    MainFrame()->ShowSidePanel(true);
}

// A phone held upright: a screen taller than wide, the window maximised on it. The history goes
// below the game screen, which takes the full width; the menus, the bar, every dialog, box and
// the help window fit the screen's width, in English and German and at every level. Each
// screen is a process of its own on Qt's offscreen platform, given the screen's size and scale.

#include "app/MyDrunoApp.h"
#include "platform/framework/FrameKeys.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "platform/services/Translation.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"
#include "tests/support/ModalLook.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace desktop;

namespace {

const char* const kFolderVariable = "DRUNO_TEST_FOLDER";

struct Phone {
    const char* name;
    int width;  // logical pixels
    int height;
    double scale;
    const char* language;
    // The player's choice of full-screen dialogs, with the Cancel button shown.
    bool fullScreenDialogs;
};

void PrintTo(const Phone& phone, std::ostream* os) {
    *os << phone.name;
}

// The offscreen platform's description of one screen of the phone's size and scale.
QString WriteScreen(const QTemporaryDir& dir, const Phone& phone) {
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(QStringLiteral(
                   R"({"windowFrameMargins": false, "screens": [{"name": "phone", "x": 0, "y": 0,
        "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3}]})")
                   .arg(phone.width)
                   .arg(phone.height)
                   .arg(phone.scale)
                   .toUtf8());
    return path;
}

class PortraitLayout : public testing::TestWithParam<Phone> {};

TEST_P(PortraitLayout, EverythingFitsTheScreen) {
    const Phone& phone = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString screen = WriteScreen(dir, phone);
    ASSERT_FALSE(screen.isEmpty());
    if (phone.fullScreenDialogs) {
        QSettings ini(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")),
                      QSettings::IniFormat);
        ini.setValue("Init.LaF/NoFullScreenDlg", 0);
        ini.setValue("Init.LaF/ShowCancelBtn", 1);
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromUtf8(kFolderVariable), dir.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screen);
    const QString language = QString::fromUtf8(phone.language);
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANGUAGE"), language);
    env.insert(QStringLiteral("LANG"), language == QStringLiteral("de")
                                           ? QStringLiteral("de_DE.UTF-8")
                                           : QStringLiteral("en_US.UTF-8"));
    if (const QString shots = qEnvironmentVariable("DRUNO_SCREENSHOTS"); !shots.isEmpty()) {
        env.insert(QStringLiteral("DRUNO_SCREENSHOTS"),
                   shots + QLatin1Char('/') + QString::fromUtf8(phone.name));
    }
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_also_run_disabled_tests"),
         QStringLiteral("--gtest_filter=PortraitRun.DISABLED_PlayEveryLevelAndOpenEveryWindow")});
    ASSERT_TRUE(child.waitForFinished(180000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Phones, PortraitLayout,
    testing::Values(Phone{"360x720_en", 360, 720, 1.0, "en", false},
                    Phone{"360x720_de", 360, 720, 1.0, "de", false},
                    Phone{"360x640_en_full_screen_dialogs", 360, 640, 1.0, "en", true},
                    Phone{"360x640_de_full_screen_dialogs", 360, 640, 1.0, "de", true},
                    Phone{"720x1440_at_2_en", 360, 720, 2.0, "en", false},
                    Phone{"720x1440_at_2_de", 360, 720, 2.0, "de", true}),
    [](const testing::TestParamInfo<Phone>& info) { return std::string(info.param.name); });

// On a desktop the window taken tall and narrow has the history below; taken back, the history
// is beside the game screen again as wide as it was, and that width is what the program keeps.
// Below, Up and Down move the divider.
TEST_F(DesktopTest, ATallNarrowWindowHasTheHistoryBelowUntilItIsWideAgain) {
    QWidget* window = FrameWindow();
    const QSize landscape = window->size();
    const int panelWidth = HistoryPanel()->width();
    const QSize view = GameView()->size();

    window->resize(360, 700);
    QApplication::processEvents();
    EXPECT_EQ(GameView()->width(), 360);
    EXPECT_EQ(HistoryPanel()->width(), 360);
    EXPECT_GT(HistoryPanel()->mapTo(window, QPoint(0, 0)).y(), GameView()->height());
    EXPECT_EQ(MainFrame()->GetPlacement().sidePanelWidth, panelWidth);

    // A screen reader hears what the divider now sets: the history's height.
    QSplitterHandle* divider = window->findChild<QSplitter*>()->handle(1);
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(divider);
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(told->text(QAccessible::Name), QStringLiteral("Height of the guesses"));
    EXPECT_EQ(told->text(QAccessible::Value),
              QStringLiteral("%1 pixels").arg(HistoryPanel()->height()));
    Activate();
    divider->setFocus(Qt::TabFocusReason);
    const int height = HistoryPanel()->height();
    PressKeys(Qt::Key_Down);
    EXPECT_EQ(HistoryPanel()->height(), height - platform::KeyboardSplitter::kStep);
    PressKeys(Qt::Key_Up);
    EXPECT_EQ(HistoryPanel()->height(), height);
    GameView()->setFocus();

    // The window below the panel needed more height; it keeps what it has.
    window->resize(landscape);
    QApplication::processEvents();
    EXPECT_EQ(HistoryPanel()->width(), panelWidth);
    EXPECT_EQ(GameView()->width(), view.width());
    EXPECT_EQ(MainFrame()->GetActiveView()->Scale().Factor(), 1.0);
    EXPECT_EQ(MainFrame()->GetPlacement().sidePanelWidth, panelWidth);
    EXPECT_EQ(told->text(QAccessible::Name), QStringLiteral("Width of the guesses"));
    window->resize(landscape);
    QApplication::processEvents();
    EXPECT_EQ(GameView()->size(), view);
}

// --- Run in a process of its own by the test above. ---

// The text a label or button shows on one line, without its shortcut mark; empty for others.
QString OneLineText(const QWidget* widget) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText) {
            return {};
        }
        text = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        const auto* tool = qobject_cast<const QToolButton*>(widget);
        if (tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonIconOnly) {
            return {};
        }
        text = button->text();
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        text = combo->currentText();
    }
    return text.remove(QLatin1Char('&'));
}

// A widget the player sees in full: inside the top-level window it belongs to, and as wide as
// the text it shows on one line.
void ExpectShownInFull(const QWidget* widget) {
    const QWidget* window = widget->window();
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(window->rect().contains(inWindow))
        << widget->metaObject()->className() << " " << widget->objectName().toStdString() << " at "
        << inWindow.x() << "," << inWindow.y() << " " << inWindow.width() << "x"
        << inWindow.height() << " outside " << window->width() << "x" << window->height();
    const QString text = OneLineText(widget);
    if (!text.isEmpty() && !text.contains(QLatin1Char('\n'))) {
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(text), widget->contentsRect().width())
            << widget->metaObject()->className() << " cut: " << text.toStdString();
    }
}

// The window inside the screen's available area, and every widget of it shown in full.
void ExpectFitsTheScreen(const QWidget* window) {
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->geometry()))
        << window->metaObject()->className() << " " << window->width() << "x" << window->height()
        << " on a screen of " << screen.width() << "x" << screen.height();
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (child->isVisibleTo(window) && child->window() == window) {
            ExpectShownInFull(child);
        }
    }
}

void LookAtDialog(unsigned command, const QString& shot) {
    bool seen = false;
    WhenModalOpens([&seen, shot](QWidget* window) {
        seen = true;
        SaveShot(shot, window);
        ExpectFitsTheScreen(window);
    });
    MainFrame()->ExecuteCommand(command);
    EXPECT_TRUE(seen) << shot.toStdString();
}

// The game screen over the full width, scaled as a whole; the history below it, as wide.
void ExpectGameAboveHistory() {
    QWidget* window = FrameWindow();
    const QRect view(GameView()->mapTo(window, QPoint(0, 0)), GameView()->size());
    const QRect history(HistoryPanel()->mapTo(window, QPoint(0, 0)), HistoryPanel()->size());
    const double factor = MainFrame()->GetActiveView()->Scale().Factor();
    EXPECT_EQ(view.width(), window->width());
    EXPECT_DOUBLE_EQ(factor, window->width() / 240.0);
    EXPECT_EQ(view.height(), qRound(268 * factor));
    EXPECT_EQ(history.left(), 0);
    EXPECT_EQ(history.width(), window->width());
    EXPECT_GT(history.top(), view.bottom());
    EXPECT_EQ(history.bottom(), window->rect().bottom());
    EXPECT_GE(history.height(), 3 * HistoryPanel()->fontMetrics().height());
    EXPECT_FALSE(HistoryLines().isEmpty());
}

TEST(PortraitRun, DISABLED_PlayEveryLevelAndOpenEveryWindow) {
    // As the program's run does, the desktop's language first.
    const bool german = platform::InstallTranslations(QStringLiteral("druno"));
    ASSERT_EQ(german, qEnvironmentVariable("LANGUAGE") == QStringLiteral("de"));
    ASSERT_TRUE(StartProgram(qEnvironmentVariable(kFolderVariable)));
    QWidget* window = FrameWindow();
    // Phone shells show every window maximised.
    window->showMaximized();
    const QRect screen = window->screen()->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == screen.size(); }))
        << window->width() << "x" << window->height();
    Activate();
    SaveShot(QStringLiteral("start"));
    ExpectGameAboveHistory();
    ExpectFitsTheScreen(window);
    // The bar keeps every button in view: none is left to an overflow menu.
    for (const QToolButton* button : window->findChildren<QToolButton*>()) {
        EXPECT_FALSE(button->objectName() == QStringLiteral("qt_toolbar_ext_button") &&
                     button->isVisible())
            << "the bar overflows";
    }

    const struct {
        unsigned command;
        QString secret;
        QString guesses;
    } levels[] = {{ID_LEVEL_3, QStringLiteral("407"), QStringLiteral("123470")},
                  {ID_LEVEL_4, QStringLiteral("4072"), QStringLiteral("12344072")},
                  {ID_LEVEL_5, QStringLiteral("40729"), QStringLiteral("1234540729")}};
    for (const auto& level : levels) {
        MainFrame()->ExecuteCommand(level.command);
        NewGame(level.secret);
        Play(level.guesses.left(level.secret.size()));
        SaveShot(QStringLiteral("level%1").arg(level.secret.size()));
        ExpectGameAboveHistory();
        ExpectFitsTheScreen(window);
        AbortGame(true);
        TakeBoxes();
    }
    MainFrame()->ExecuteCommand(ID_LEVEL_3);

    // The menus open within the screen.
    for (QToolButton* button : window->findChildren<QToolButton*>()) {
        if (QMenu* menu = button->menu()) {
            menu->popup(button->mapToGlobal(QPoint(0, button->height())));
            ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
            SaveShot(QStringLiteral("menu_") + button->text().remove(QLatin1Char('&')), menu);
            EXPECT_TRUE(screen.contains(menu->geometry()));
            menu->hide();
        }
    }

    // Each dialog and a box: the box's answerer of the tests gives way to the real box.
    LookAtDialog(ID_STATISTIC, QStringLiteral("statistics"));
    LookAtDialog(ID_OPTIONS, QStringLiteral("options"));
    LookAtDialog(ID_LOOK_AND_FEEL, QStringLiteral("look_and_feel"));
    LookAtDialog(ID_APP_ABOUT, QStringLiteral("about"));
    platform::SetMessageBoxAnswerer(nullptr);
    NewGame(QStringLiteral("407"));
    LookAtDialog(ID_ABORT_GAME, QStringLiteral("box"));
    // The game's longest box, with a copy's name as long as a player's data folder makes it.
    bool seen = false;
    WhenModalOpens([&seen](QWidget* box) {
        seen = true;
        SaveShot(QStringLiteral("long_box"), box);
        ExpectFitsTheScreen(box);
    });
    platform::MessageBox(
        platform::LoadString(german ? IDS_STAT_DAMAGED_DE : IDS_STAT_DAMAGED)
            .arg(QStringLiteral("/home/player/.local/share/Brantel/Druno/Druno.sta.damaged-2")),
        platform::kMbIconWarning);
    EXPECT_TRUE(seen);
    ASSERT_TRUE(Doc()->m_bPlaying);
    platform::SetMessageBoxAnswerer([](const QString&, const QString&, unsigned type) {
        return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    });
    AbortGame(true);
    ASSERT_FALSE(Doc()->m_bPlaying);

    LookAtDialog(ID_PROGRESS, QStringLiteral("progress"));

    // The help window.
    MainFrame()->OnHelp();
    platform::HelpWindow* help = MainFrame()->GetHelpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([help] { return help->Widget()->isVisible(); }));
    SaveShot(QStringLiteral("help"), help->Widget());
    ExpectFitsTheScreen(help->Widget());
    help->Widget()->close();

    // Hiding the history gives the game screen the whole client area, at the same width.
    MainFrame()->ExecuteCommand(ID_HISTORY);
    EXPECT_FALSE(HistoryPanel()->isVisible());
    EXPECT_EQ(GameView()->width(), window->width());
    MainFrame()->ExecuteCommand(ID_HISTORY);
    ExpectGameAboveHistory();
    EXPECT_EQ(window->size(), screen.size());
    QApplication::processEvents();
    SaveShot(QStringLiteral("end"));
}

}  // namespace

// Help: the menu's Help > Contents, F1 and the bar's ? button open the "How to play" page in a
// window of its own.

#include "platform/framework/HelpWindow.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <functional>

using namespace desktop;

namespace {

// The menu item as the player picks it: from the open Help menu.
void PickHelpContents() {
    for (QToolButton* button : FrameWindow()->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr || button->text() != QStringLiteral("&Help")) {
            continue;
        }
        for (QAction* action : button->menu()->actions()) {
            if (action->data().toUInt() == ID_HELP) {
                ASSERT_EQ(action->text(), QStringLiteral("&Contents"));
                action->trigger();
                return;
            }
        }
    }
    FAIL() << "no Help > Contents";
}

void PressF1() {
    Activate();
    PressKeys(Qt::Key_F1);
}

void ClickBarHelpButton() {
    auto* bar = FrameWindow()->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    for (QAction* action : bar->actions()) {
        if (action->text() == QStringLiteral("Help")) {
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    FAIL() << "no ? button on the bar";
}

struct HelpWay {
    const char* name;
    std::function<void()> open;
};

class HelpOpens : public DesktopTest, public testing::WithParamInterface<HelpWay> {};

TEST_P(HelpOpens, TheHowToPlayPageInAWindowOfItsOwn) {
    GetParam().open();
    QApplication::processEvents();
    EXPECT_TRUE(TakeBoxes().isEmpty());
    platform::HelpWindow* help = MainFrame()->GetHelpWindow();
    ASSERT_NE(help, nullptr);
    QWidget* window = help->Widget();
    EXPECT_TRUE(window->isWindow());
    EXPECT_NE(window, FrameWindow());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("How to play Druno"));
    // The rules, the two numbers, the keys, and where statistics and settings are kept.
    const QString page = help->GetPageText();
    for (const char* part :
         {"three different digits", "ten attempts", "in the right place", "but somewhere else",
          "Backspace", "Ctrl+N", "F1", "Ctrl+Q", "Druno.sta",
          "~/.local/share/Brantel/Druno/Druno.sta", "~/.config/Brantel/Druno.ini"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(part))) << part;
    }
    SaveShot(QStringLiteral("help"), window);

    // Asking again brings the same window back rather than a second one.
    GetParam().open();
    QApplication::processEvents();
    EXPECT_EQ(MainFrame()->GetHelpWindow(), help);
}

INSTANTIATE_TEST_SUITE_P(Ways, HelpOpens,
                         testing::Values(HelpWay{"MenuContents", PickHelpContents},
                                         HelpWay{"F1", PressF1},
                                         HelpWay{"BarButton", ClickBarHelpButton}),
                         [](const testing::TestParamInfo<HelpWay>& info) {
                             return std::string(info.param.name);
                         });

// A screen reader reads the page as a document, line by line: each key stands on one line with
// what it does.
TEST_F(DesktopTest, TheHelpPageIsADocumentWhereEachKeyReadsOnOneLineWithWhatItDoes) {
    MainFrame()->ExecuteCommand(ID_HELP);
    platform::HelpWindow* help = MainFrame()->GetHelpWindow();
    ASSERT_NE(help, nullptr);
    auto* browser = help->Widget()->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(browser);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->role(), QAccessible::Document);
    EXPECT_TRUE(page->state().readOnly);
    EXPECT_EQ(page->text(QAccessible::Name), QStringLiteral("How to play Druno"));
    QAccessibleTextInterface* text = page->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), help->GetPageText());

    const QStringList lines = help->GetPageText().split(QLatin1Char('\n'));
    for (const auto& [key, action] : {std::pair{"0 to 9", "type a digit"},
                                      {"Backspace, Delete", "take back the last digit"},
                                      {"Ctrl+N", "New Game"},
                                      {"F1", "this page"},
                                      {"F9", "shows or hides the panel of guesses"},
                                      {"Ctrl+Q", "Exit"},
                                      {"Esc", "closes this page"}}) {
        const bool together = std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
            return line.contains(QString::fromUtf8(key)) &&
                   line.contains(QString::fromUtf8(action));
        });
        EXPECT_TRUE(together) << key;
    }
    help->Widget()->close();
    QApplication::processEvents();
}

TEST_F(DesktopTest, EscapeClosesTheHelpWindow) {
    MainFrame()->ExecuteCommand(ID_HELP);
    platform::HelpWindow* help = MainFrame()->GetHelpWindow();
    ASSERT_NE(help, nullptr);
    help->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help->Widget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(MainFrame()->GetHelpWindow(), nullptr);
}

}  // namespace

// Help: the menu's Help > Contents, F1 and the bar's ? button open the "How to play" page in a
// window of its own.

#include "platform/framework/HelpWindow.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
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

// The keys of each line of a page's key list, as the page writes them in bold.
QList<QStringList> KeyLines(const QString& page, const QString& heading) {
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString html = QString::fromUtf8(file.readAll());
    const qsizetype start = html.indexOf(QStringLiteral("<h3>%1</h3>").arg(heading));
    const qsizetype end = start < 0 ? -1 : html.indexOf(QStringLiteral("</ul>"), start);
    if (end < 0) {
        return {};
    }
    static const QRegularExpression line(QStringLiteral("<li>(.*?)</li>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
    QList<QStringList> lines;
    for (const auto& item : line.globalMatch(html.mid(start, end - start))) {
        QStringList keys;
        for (const auto& key : bold.globalMatch(item.captured(1))) {
            keys << key.captured(1);
        }
        lines << keys;
    }
    return lines;
}

// A key as a German keyboard labels it.
QString GermanKeyName(QString key) {
    static const std::pair<const char*, const char*> names[] = {
        {"Backspace", "Rücktaste"}, {"Delete", "Entf"}, {"Home", "Pos1"}, {"End", "Ende"}};
    for (const auto& [english, german] : names) {
        if (key == QLatin1String(english)) {
            return QString::fromUtf8(german);
        }
    }
    return key.replace(QStringLiteral("Ctrl+"), QStringLiteral("Strg+"));
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

// The German page, which the program opens when it speaks German: a German title for its
// window, the same files, and every key of the English key list on the same line, in the names
// of a German keyboard. The letters after Alt+D follow the menu's own words and so differ.
TEST_F(DesktopTest, TheGermanHelpPageHasAGermanTitleAndTheKeysOfTheEnglishOne) {
    platform::HelpWindow help;
    ASSERT_TRUE(help.Open(QStringLiteral(":/help/Druno_de.html"), QStringLiteral("Druno")));
    EXPECT_EQ(help.Widget()->windowTitle(), QStringLiteral("So spielt man Druno"));
    const QString page = help.GetPageText();
    for (const char* part :
         {"Strg+N", "Strg+Q", "Druno.sta", "~/.local/share/Brantel/Druno/Druno.sta",
          "~/.config/Brantel/Druno.ini"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(part))) << part;
    }
    help.Widget()->close();

    const QList<QStringList> english = KeyLines(QStringLiteral(":/help/Druno.html"), "Keys");
    const QList<QStringList> german = KeyLines(QStringLiteral(":/help/Druno_de.html"), "Tasten");
    ASSERT_FALSE(english.isEmpty());
    ASSERT_EQ(german.size(), english.size());
    for (qsizetype i = 0; i < english.size(); ++i) {
        for (const QString& key : english[i]) {
            if (key.size() == 1 && key[0].isLetter()) {
                continue;
            }
            EXPECT_TRUE(german[i].contains(GermanKeyName(key)))
                << key.toStdString() << " on line " << i + 1 << ": "
                << german[i].join(QStringLiteral(", ")).toStdString();
        }
    }
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

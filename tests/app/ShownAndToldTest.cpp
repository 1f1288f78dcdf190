// What the player reads and hears of the level, the history and the bar's keys, in English
// and German: the level marked in the menu, named on the game screen and told as a round
// begins; the history's lines whole in a maximised window; the focus of the menu buttons
// seen; the divider before the history named and telling its width.

#include "platform/desktop/ListPanel.h"
#include "platform/framework/View.h"
#include "platform/services/Translation.h"
#include "res/Resource.h"
#include "tests/app/DesktopFixture.h"
#include "tests/support/ScreenDrawing.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <vector>

using namespace desktop;

namespace {

// The program's texts in German for the length of a test, English again afterwards.
class LanguageScope {
public:
    explicit LanguageScope(bool german) : m_german(german) {
        if (german) {
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            EXPECT_TRUE(platform::InstallTranslations(QStringLiteral("druno")));
        }
    }
    ~LanguageScope() {
        if (m_german) {
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
            platform::InstallTranslations(QStringLiteral("druno"));
        }
    }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    bool m_german;
};

constexpr unsigned kLevelCommands[] = {ID_LEVEL_3, ID_LEVEL_4, ID_LEVEL_5};
const char* const kSecrets[] = {"123", "1234", "12345"};

struct LevelCase {
    int level;
    bool german;
    const char* name;  // on the game screen; none at three digits
    const char* told;  // to a screen reader as the round begins; nothing at three digits
};

void PrintTo(const LevelCase& c, std::ostream* out) {
    *out << "level " << c.level << (c.german ? " German" : " English");
}

class LevelShown : public DesktopTest, public testing::WithParamInterface<LevelCase> {
protected:
    void TearDown() override {
        platform::SetAccessibilityObserver({});
        DesktopTest::TearDown();
        MainFrame()->ExecuteCommand(ID_LEVEL_3);
    }
};

// The radio dot of each level item, as the menu shows it when it opens.
std::vector<bool> LevelMarks() {
    MainFrame()->UpdateCommandItems();
    std::vector<bool> marks;
    for (const unsigned command : kLevelCommands) {
        const QAction* item = MenuItem(command);
        EXPECT_TRUE(item != nullptr && item->isCheckable() && item->actionGroup() != nullptr &&
                    item->actionGroup()->isExclusive())
            << command;
        marks.push_back(item != nullptr && item->isChecked());
    }
    return marks;
}

}  // namespace

TEST_P(LevelShown, IsMarkedNamedAndTold) {
    const LevelCase& c = GetParam();
    const LanguageScope language(c.german);
    MainFrame()->ExecuteCommand(kLevelCommands[c.level - 1]);
    std::vector<bool> expectedMarks(3, false);
    expectedMarks[c.level - 1] = true;
    EXPECT_EQ(LevelMarks(), expectedMarks);
    for (QObject* holder : MenuItem(ID_LEVEL_3)->associatedObjects()) {
        if (auto* levelMenu = qobject_cast<QMenu*>(holder)) {
            levelMenu->popup(FrameWindow()->mapToGlobal(QPoint(0, 0)));
            SaveShot(QStringLiteral("levelmenu%1-%2").arg(c.level).arg(c.german ? "de" : "en"),
                     levelMenu);
            levelMenu->close();
        }
    }

    QStringList told;
    platform::SetAccessibilityObserver([&told](QAccessibleEvent* event) {
        if (event->type() == QAccessible::ObjectShow && event->accessibleInterface() != nullptr) {
            told << event->accessibleInterface()->text(QAccessible::Name);
        }
    });
    NewGame(QString::fromLatin1(kSecrets[c.level - 1]));
    const QStringList expectedTold =
        *c.told != '\0' ? QStringList{QString::fromUtf8(c.told)} : QStringList();
    EXPECT_EQ(told, expectedTold);

    // The game screen: status and result lines as ever, and the level's name beside them at
    // four and five digits, drawn and read out.
    platform::View* view = MainFrame()->GetActiveView();
    const testing_support::ScreenDrawing drawn = testing_support::DrawGameScreen(*view);
    EXPECT_EQ(drawn.status, QStringList{QStringLiteral("1 / 10")});
    EXPECT_EQ(drawn.result, QStringList{QStringLiteral("? ?")});
    QStringList named;
    for (const platform::Drawing& drawing : drawn.otherTexts) {
        named << drawing.text;
    }
    QStringList shown = {QStringLiteral("1 / 10"), QStringLiteral("? ?")};
    if (*c.name != '\0') {
        EXPECT_EQ(named, QStringList{QString::fromUtf8(c.name)});
        shown << QString::fromUtf8(c.name);
    } else {
        EXPECT_TRUE(named.isEmpty()) << named.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_EQ(view->GetShownTexts(), shown);
    // Still named after a guess, and the dot stays on the level being played.
    Play(QStringLiteral("9"));
    EXPECT_EQ(view->GetShownTexts().mid(2), shown.mid(2));
    EXPECT_EQ(LevelMarks(), expectedMarks);
    SaveShot(QStringLiteral("level%1-%2").arg(c.level).arg(c.german ? "de" : "en"));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, LevelShown,
    testing::Values(LevelCase{1, false, "", ""},
                    LevelCase{2, false, "Four digits", "New round: four digits, ten attempts."},
                    LevelCase{3, false, "Five digits", "New round: five digits, ten attempts."},
                    LevelCase{1, true, "", ""},
                    LevelCase{2, true, "Vier Ziffern", "Neue Runde: vier Ziffern, zehn Versuche."},
                    LevelCase{3, true, "Fünf Ziffern",
                              "Neue Runde: fünf Ziffern, zehn Versuche."}));

namespace {

// Whether a line of the history shows whole: inside the panel's width, every word within the
// line's width, and its wrapped lines within its height.
bool ShowsWhole(const QLabel* line, int panelWidth) {
    const QFontMetrics metrics(line->font());
    const QRect room = line->contentsRect();
    if (line->geometry().right() >= panelWidth) {
        return false;
    }
    for (const QString& word : line->text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > room.width()) {
            return false;
        }
    }
    return metrics.boundingRect(room, Qt::TextWordWrap, line->text()).height() <= room.height();
}

class MaximisedHistory : public DesktopTest, public testing::WithParamInterface<bool> {};

}  // namespace

// A maximised window draws the game large and the history's font grows with it, while the
// panel keeps its width: its lines still show whole, at five digits, in both languages.
TEST_P(MaximisedHistory, ShowsEveryLineWhole) {
    const bool german = GetParam();
    const LanguageScope language(german);
    MainFrame()->ExecuteCommand(ID_LEVEL_5);
    NewGame(QStringLiteral("56789"));
    Play(QStringLiteral("01234"));
    Play(QStringLiteral("98765"));
    QWidget* window = FrameWindow();
    const QSize normal = window->size();
    window->resize(1920, 1050);
    QApplication::processEvents();
    const auto* panel = qobject_cast<QScrollArea*>(HistoryPanel());
    ASSERT_NE(panel, nullptr);
    const int panelWidth = panel->viewport()->width();
    EXPECT_LT(panelWidth, 300);
    const QList<QLabel*> lines = panel->widget()->findChildren<QLabel*>();
    ASSERT_EQ(lines.size(), 2);
    for (const QLabel* line : lines) {
        EXPECT_TRUE(ShowsWhole(line, panelWidth)) << line->text().toStdString();
        // The font still grew with the game screen.
        EXPECT_GT(line->font().pointSizeF(), QApplication::font().pointSizeF() * 1.5);
    }
    SaveShot(QStringLiteral("history-maximised-%1").arg(german ? "de" : "en"));
    window->resize(normal);
    QApplication::processEvents();
    AbortGame(true);
    MainFrame()->ExecuteCommand(ID_LEVEL_3);
}

INSTANTIATE_TEST_SUITE_P(Languages, MaximisedHistory, testing::Bool());

// Tab reaches the bar's two menu buttons; the one that has the keys looks different.
TEST_F(DesktopTest, MenuButtonsShowTheFocus) {
    Activate();
    int menuButtons = 0;
    for (QToolButton* button : FrameWindow()->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr) {
            continue;
        }
        ++menuButtons;
        EXPECT_EQ(button->focusPolicy(), Qt::TabFocus);
        const QImage before = button->grab().toImage();
        button->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(button->hasFocus());
        const QImage focused = button->grab().toImage();
        ASSERT_EQ(before.size(), focused.size());
        int changed = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                changed += before.pixel(x, y) != focused.pixel(x, y) ? 1 : 0;
            }
        }
        // Not a dotted hint: the whole button shows it.
        EXPECT_GT(changed, before.width() * before.height() / 2) << button->text().toStdString();
    }
    EXPECT_EQ(menuButtons, 2);
    GameView()->setFocus();
}

// A screen reader names the divider and hears the history's width, also after the keys have
// moved it.
TEST_F(DesktopTest, TheDividerIsNamedAndTellsTheHistorysWidth) {
    auto* splitter = FrameWindow()->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    QSplitterHandle* divider = splitter->handle(1);
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(divider);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(QAccessible::Name), QStringLiteral("Width of the guesses"));
    EXPECT_EQ(item->role(), QAccessible::Splitter);
    QAccessibleValueInterface* value = item->valueInterface();
    ASSERT_NE(value, nullptr);
    const int width = HistoryPanel()->width();
    EXPECT_EQ(value->currentValue().toInt(), width);
    EXPECT_EQ(item->text(QAccessible::Value), QStringLiteral("%1 pixels").arg(width));

    Activate();
    divider->setFocus(Qt::TabFocusReason);
    // The game screen has no room to give: the divider goes right, then back.
    PressKeys(Qt::Key_Right);
    EXPECT_EQ(HistoryPanel()->width(), width - 16);
    EXPECT_EQ(value->currentValue().toInt(), width - 16);
    EXPECT_EQ(item->text(QAccessible::Value), QStringLiteral("%1 pixels").arg(width - 16));
    PressKeys(Qt::Key_Left);
    EXPECT_EQ(value->currentValue().toInt(), width);
    GameView()->setFocus();
}

// The statistics dialog: texts by language, the level list, choosing a level and resetting.

#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"
#include "res/Resource.h"
#include "stats/GameStatisticsDlg.h"
#include "tests/stats/StatsFixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace {

// What the open dialog shows.
struct Shown {
    QString caption;
    std::map<int, QString> texts;  // control id: text
    QStringList levels;
    int selected = -2;
    bool levelEnabled = false;
};

class StatisticsDialog : public StatsFixture {
protected:
    // Shows the dialog with GameStatisticsShow; while it is open, act runs on it, then the
    // Done button closes it. Answers the dialog's result.
    int ShowWith(int nLanguage, const std::function<void(CGameStatisticsDlg&)>& act) {
        QTimer::singleShot(0, [this, act] {
            auto* dlg = dynamic_cast<CGameStatisticsDlg*>(
                platform::Window::FromWidget(QApplication::activeModalWidget()));
            if (dlg == nullptr) {
                ADD_FAILURE() << "no statistics dialog open";
                return;
            }
            act(*dlg);
            dlg->EndDialog(platform::kIdOk);
        });
        return GameStatisticsShow(m_path, nLanguage);
    }

    static Shown Look(CGameStatisticsDlg& dlg) {
        Shown shown;
        shown.caption = dlg.GetWindowText();
        for (int id : {IDC_RESET_STATISTICS, IDC_GAMES_PLAYED, IDC_GAMES_WON, IDC_GAMES_LOST,
                       IDC_GAMES_WON_PERCENT, IDC_LABEL_PLAYED, IDC_LABEL_WON, IDC_LABEL_LOST,
                       IDC_LABEL_PERCENT, IDC_LABEL_LEVEL}) {
            shown.texts[id] = dlg.GetDlgItem(id)->GetWindowText();
        }
        for (int i = 0; i < dlg.m_cbLevel.GetCount(); ++i) {
            shown.levels << dlg.m_cbLevel.GetItemText(i);
        }
        shown.selected = dlg.m_cbLevel.GetCurSel();
        shown.levelEnabled = dlg.m_cbLevel.IsWindowEnabled();
        return shown;
    }

    Shown ShowAndLook(int nLanguage) {
        Shown shown;
        ShowWith(nLanguage, [&](CGameStatisticsDlg& dlg) { shown = Look(dlg); });
        return shown;
    }

    static void Click(CGameStatisticsDlg& dlg, int id) {
        auto* button = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id)->Widget());
        ASSERT_NE(button, nullptr);
        button->click();
    }
    static void ChooseLevel(CGameStatisticsDlg& dlg, int index) {
        auto* combo = qobject_cast<QComboBox*>(dlg.m_cbLevel.Widget());
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

// Every text of the dialog in each language it speaks, and the values of record 0.
struct DialogLanguage {
    const char* name;
    int language;
    const char* caption;
    const char* labels[6];  // played, won, lost, percent, level, the reset button
    const char* all;
    const char* languageLine;
};

void PrintTo(const DialogLanguage& c, std::ostream* out) {
    *out << c.name;
}

class StatisticsDialogLanguages : public StatisticsDialog,
                                  public testing::WithParamInterface<DialogLanguage> {};

TEST_P(StatisticsDialogLanguages, ShowRecordZeroInEveryText) {
    const DialogLanguage& c = GetParam();
    WriteFile({Record(2878, 3, 1, 2, 33)});
    const Shown shown = ShowAndLook(c.language);
    EXPECT_EQ(shown.caption, QString::fromUtf8(c.caption));
    const int labels[] = {IDC_LABEL_PLAYED,  IDC_LABEL_WON,   IDC_LABEL_LOST,
                          IDC_LABEL_PERCENT, IDC_LABEL_LEVEL, IDC_RESET_STATISTICS};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(shown.texts.at(labels[i]), QString::fromUtf8(c.labels[i])) << labels[i];
    }
    EXPECT_EQ(shown.texts.at(IDC_GAMES_PLAYED), QStringLiteral("3"));
    EXPECT_EQ(shown.texts.at(IDC_GAMES_WON), QStringLiteral("1"));
    EXPECT_EQ(shown.texts.at(IDC_GAMES_LOST), QStringLiteral("2"));
    EXPECT_EQ(shown.texts.at(IDC_GAMES_WON_PERCENT), QStringLiteral("33"));
    EXPECT_EQ(shown.levels, QStringList{QString::fromUtf8(c.all)});
    EXPECT_EQ(shown.selected, 0);
    EXPECT_TRUE(shown.levelEnabled);
    EXPECT_EQ(s_nLanguage, c.language);
    EXPECT_TRUE(m_lines.contains(QString::fromLatin1(c.languageLine)));
    EXPECT_TRUE(m_boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StatisticsDialogLanguages,
    testing::Values(DialogLanguage{"English",
                                   0,
                                   "Statistics",
                                   {"Games Played:", "Games Won:", "Games Lost:", "% Games Won:",
                                    "Level:", "Reset Statistics"},
                                   "All",
                                   "language==english"},
                    DialogLanguage{"German",
                                   1,
                                   "Statistik",
                                   {"Gespielt:", "Gewonnen:", "Verloren:", "Spiele gewonnen (%):",
                                    "Ebene:", "Zurücksetzen"},
                                   "Alle",
                                   "language==german"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatisticsDialog, OpeningTracesItsSteps) {
    WriteFile({Record(2878, 3, 1, 2, 33)});
    ShowAndLook(0);
    // The trace of an opening, up to the first read.
    ASSERT_GE(m_lines.size(), 8);
    EXPECT_EQ(m_lines.mid(0, 6),
              QStringList({QStringLiteral("GameStatisticsShow() {"), PathLine(),
                           QStringLiteral("nLanguage=0"),
                           QStringLiteral("CGameStatisticsDlg::CGameStatisticsDlg() {"),
                           QStringLiteral("} CGameStatisticsDlg::CGameStatisticsDlg()"),
                           QStringLiteral("CGameStatisticsDlg::OnInitDialog() {")}));
    EXPECT_TRUE(m_lines.contains(QStringLiteral("CGameStatisticsDlg::DoDataExchange() {")));
    EXPECT_EQ(m_lines.last(), QStringLiteral("} GameStatisticsShow()"));
}

// No file yet: zeros, and nothing to complain about.
TEST_F(StatisticsDialog, NoFileShowsZeros) {
    const Shown shown = ShowAndLook(1);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(shown.texts.at(IDC_GAMES_PLAYED), QStringLiteral("0"));
}

TEST_F(StatisticsDialog, UnknownLanguageKeepsEnglishWithoutAll) {
    WriteFile({Record(2878, 0, 0, 0, 0)});
    const Shown shown = ShowAndLook(2);
    EXPECT_EQ(shown.caption, QStringLiteral("Statistics"));
    EXPECT_TRUE(shown.levels.isEmpty());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Unsupported language!"));
    EXPECT_EQ(m_boxes[0].type, 64u);
    const qsizetype unknown = m_lines.indexOf(QStringLiteral("language==unknown!"));
    EXPECT_GE(unknown, 0);
    EXPECT_EQ(m_lines.value(unknown + 1), QStringLiteral("s_nMaxLevels=0"));
}

struct LevelList {
    const char* name;
    int maxLevels;
    int currLevel;
    const char* custom;
    QStringList levels;
    int selected;
    bool enabled;
};

class StatisticsDialogLevels : public StatisticsDialog,
                               public testing::WithParamInterface<LevelList> {};

TEST_P(StatisticsDialogLevels, ListsAndSelects) {
    const LevelList& c = GetParam();
    WriteFile({Record(2878, 0, 0, 0, 0)});
    s_nMaxLevels = c.maxLevels;
    s_nCurrLevel = c.currLevel;
    s_strCustomLevels = QString::fromUtf8(c.custom);
    const Shown shown = ShowAndLook(0);
    EXPECT_EQ(shown.levels, c.levels);
    EXPECT_EQ(shown.selected, c.selected);
    EXPECT_EQ(shown.levelEnabled, c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatisticsDialogLevels,
    testing::Values(LevelList{"ThreeLevels", 3, 2, "", {"All", "01", "02", "03"}, 2, true},
                    LevelList{"NoLevelsDisabled", -1, 0, "", {"All"}, 0, false},
                    LevelList{"CustomNames", 2, 1, "Easy|Hard", {"All", "Easy", "Hard"}, 1, true},
                    LevelList{"TrailingSeparator", 0, 0, "Easy|", {"All", "Easy", ""}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatisticsDialog, ChoosingALevelShowsItsRecordAndStays) {
    WriteFile({Record(2878, 3, 1, 2, 33), Record(2878, 1, 1, 0, 100), Record(2878, 2, 1, 1, 50)});
    s_nMaxLevels = 2;
    Shown shown;
    ShowWith(0, [&](CGameStatisticsDlg& dlg) {
        ChooseLevel(dlg, 2);
        shown = Look(dlg);
    });
    EXPECT_EQ(shown.texts.at(IDC_GAMES_PLAYED), QStringLiteral("2"));
    EXPECT_EQ(shown.texts.at(IDC_GAMES_WON_PERCENT), QStringLiteral("50"));
    EXPECT_EQ(s_nCurrLevel, 2);
    EXPECT_TRUE(m_lines.contains(QStringLiteral("CGameStatisticsDlg::OnSelChangeLevel() {")));
}

TEST_F(StatisticsDialog, ResetAnsweredNoLeavesTheFile) {
    WriteFile({Record(2878, 3, 1, 2, 33)});
    const QByteArray before = FileBytes();
    m_answer = platform::kIdNo;
    ShowWith(0, [&](CGameStatisticsDlg& dlg) { Click(dlg, IDC_RESET_STATISTICS); });
    EXPECT_EQ(FileBytes(), before);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Really delete statistics?"));
    EXPECT_EQ(m_boxes[0].type, 36u);
    const qsizetype canceled = m_lines.indexOf(QStringLiteral("canceled"));
    ASSERT_GE(canceled, 1);
    EXPECT_EQ(m_lines[canceled - 1], QStringLiteral("CGameStatisticsDlg::OnResetStatistics() {"));
    EXPECT_EQ(m_lines[canceled + 1], QStringLiteral("} CGameStatisticsDlg::OnResetStatistics()"));
}

// Return in the real question answers No: pressing Return twice after opening the dialog
// never wipes the counts.
TEST_F(StatisticsDialog, ResetQuestionDefaultsToNo) {
    WriteFile({Record(2878, 3, 1, 2, 33)});
    const QByteArray before = FileBytes();
    platform::SetMessageBoxAnswerer(nullptr);
    QString question;
    bool noIsDefault = false;
    ShowWith(0, [&](CGameStatisticsDlg& dlg) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            question = box->text();
            noIsDefault =
                static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No);
            // Return goes where the player's keys go: the button with the focus, if any.
            QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        });
        Click(dlg, IDC_RESET_STATISTICS);
    });
    EXPECT_EQ(question, QStringLiteral("Really delete statistics?"));
    EXPECT_TRUE(noIsDefault);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_TRUE(m_lines.contains(QStringLiteral("canceled")));
}

TEST_F(StatisticsDialog, ResetAnsweredYesZeroesEveryRecord) {
    WriteFile({Record(2877, 3, 1, 2, 33), Record(2878, 1, 1, 0, 100), Record(2878, 2, 1, 1, 50),
               Record(2878, 4, 4, 0, 100)});
    s_nMaxLevels = 3;
    s_nCurrLevel = 1;
    s_nLanguage = 1;
    m_answer = platform::kIdYes;
    Shown shown;
    ShowWith(1, [&](CGameStatisticsDlg& dlg) {
        Click(dlg, IDC_RESET_STATISTICS);
        shown = Look(dlg);
    });
    EXPECT_EQ(m_boxes.at(0).text, QStringLiteral("Statistik wirklich löschen?"));
    for (int k = 0; k <= 3; ++k) {
        EXPECT_EQ(CountersOf(FileRecord(k)), (Counters{0, 0, 0, 0})) << "record " << k;
        EXPECT_EQ(FileRecord(k).Get(GAMESTATISTICS::nVersion), 2878) << "record " << k;
    }
    EXPECT_EQ(s_nMaxLevels, 3);
    EXPECT_EQ(s_nCurrLevel, 1);
    for (int id : {IDC_GAMES_PLAYED, IDC_GAMES_WON, IDC_GAMES_LOST, IDC_GAMES_WON_PERCENT}) {
        EXPECT_EQ(shown.texts.at(id), QStringLiteral("0")) << id;
    }
    EXPECT_TRUE(m_lines.contains(QStringLiteral("reset")));
}

TEST_F(StatisticsDialog, SettingsChangeIsIgnored) {
    ShowWith(0, [&](CGameStatisticsDlg& dlg) {
        const platform::Rect before = dlg.GetWindowRect();
        platform::SetScreenOverride({0, 0, 240, 320}, {0, 26, 240, 294});
        EXPECT_EQ(dlg.SendMessage(platform::kMsgSettingChange, 0, 0), 0);
        EXPECT_EQ(dlg.GetWindowRect(), before);
        platform::ClearScreenOverride();
    });
}

// A screen reader reads every number and the level list with the caption before it, in
// either language.
TEST_F(StatisticsDialog, NumbersAreLabelledByTheirCaptions) {
    for (const int nLanguage : {0, 1}) {
        ShowWith(nLanguage, [&](CGameStatisticsDlg& dlg) {
            for (const auto& [label, control] : {std::pair{IDC_LABEL_PLAYED, IDC_GAMES_PLAYED},
                                                 {IDC_LABEL_WON, IDC_GAMES_WON},
                                                 {IDC_LABEL_LOST, IDC_GAMES_LOST},
                                                 {IDC_LABEL_PERCENT, IDC_GAMES_WON_PERCENT},
                                                 {IDC_LABEL_LEVEL, IDC_LEVEL}}) {
                QAccessibleInterface* iface =
                    QAccessible::queryAccessibleInterface(dlg.GetDlgItem(control)->Widget());
                ASSERT_NE(iface, nullptr);
                const auto relations = iface->relations(QAccessible::Label);
                ASSERT_EQ(relations.size(), 1) << control;
                EXPECT_EQ(relations[0].first->text(QAccessible::Name),
                          dlg.GetDlgItem(label)->GetWindowText())
                    << control << " " << nLanguage;
            }
        });
    }
}

}  // namespace

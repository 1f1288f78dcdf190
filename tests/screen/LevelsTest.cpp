// Levels of three, four and five digits: rounds at each level, by keys and by taps, counted in
// the level's own record of the statistics file with the overall record weighted by level;
// the file of a player who never changed the level stays a single record.

#include "app/MyDrunoApp.h"
#include "res/Resource.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsDlg.h"
#include "tests/dialogs/ModalDriver.h"
#include "tests/screen/GameScreenFixture.h"
#include "tests/support/StatisticsBytes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

void ExpectCounts(const QByteArray& bytes, int k, StatCounts expected) {
    EXPECT_EQ(StatCountsAt(bytes, k), expected) << "record " << k;
}

// A record of version 2878, as the game writes it.
GAMESTATISTICS Record(int played, int won, int lost, int percent) {
    return StatisticsRecord(2878, played, won, lost, percent);
}

// The one record of a 36-byte file of today's game: 5 played, 2 won, 3 lost.
GAMESTATISTICS OldRecord() {
    return Record(5, 2, 3, 40);
}

constexpr unsigned kLevelCommands[] = {ID_LEVEL_3, ID_LEVEL_4, ID_LEVEL_5};
const char* const kSecrets[] = {"407", "4073", "40731"};
const char* const kWrong[] = {"470", "4701", "47013"};
const char* const kWrongResult[] = {"1 2", "1 2", "1 4"};

}  // namespace

class LevelsTest : public GameScreenTest {
protected:
    void SetUp() override {
        ResetLevels();
        GameScreenTest::SetUp();
    }
    void TearDown() override {
        GameScreenTest::TearDown();
        ResetLevels();
    }
    static void ResetLevels() {
        theApp.m_nLevel = 1;
        s_nMaxLevels = 0;
        s_nCurrLevel = 0;
        s_strCustomLevels.clear();
    }

    // Opens the statistics through the menu command; act runs on the open dialog, which then
    // closes.
    void ShowStatistics(const std::function<void(CGameStatisticsDlg&)>& act) {
        const testing_support::ModalRun run = testing_support::DriveModal(
            [this] { ASSERT_TRUE(m_doc->OnCmdMsg(ID_STATISTIC, nullptr)); },
            {[&](platform::Dialog& dialog) {
                auto* dlg = dynamic_cast<CGameStatisticsDlg*>(&dialog);
                ASSERT_NE(dlg, nullptr);
                act(*dlg);
                dlg->EndDialog(platform::kIdOk);
            }});
        EXPECT_EQ(run.stepsRun, 1);
        EXPECT_FALSE(run.leftOpen);
    }

    // The level list, the chosen entry and the four numbers: played, won, lost, percent.
    struct Shown {
        QStringList levels;
        int selected = -1;
        QStringList numbers;
    };
    static Shown Look(CGameStatisticsDlg& dlg) {
        Shown shown;
        for (int i = 0; i < dlg.m_cbLevel.GetCount(); ++i) {
            shown.levels << dlg.m_cbLevel.GetItemText(i);
        }
        shown.selected = dlg.m_cbLevel.GetCurSel();
        for (int id : {IDC_GAMES_PLAYED, IDC_GAMES_WON, IDC_GAMES_LOST, IDC_GAMES_WON_PERCENT}) {
            shown.numbers << dlg.GetDlgItem(id)->GetWindowText();
        }
        return shown;
    }
    static void ChooseLevel(CGameStatisticsDlg& dlg, int index) {
        auto* combo = qobject_cast<QComboBox*>(dlg.m_cbLevel.Widget());
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void PickLevel(int level) { ASSERT_TRUE(m_doc->OnCmdMsg(kLevelCommands[level - 1], nullptr)); }

    void Enter(bool keys, const QString& digits) {
        for (const QChar digit : digits) {
            if (keys) {
                QTest::keyClick(m_view->Widget(),
                                static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()));
            } else {
                TapCell(digit.digitValue());
            }
            QApplication::processEvents();
        }
    }

    // Plays a round at the level to its end: won after one wrong guess, or lost after ten.
    void PlayRound(int level, bool keys, bool win) {
        NewGame(QString::fromLatin1(kSecrets[level - 1]));
        const QString wrong = QString::fromLatin1(kWrong[level - 1]);
        // The guess is judged only once it has all its digits.
        Enter(keys, wrong.left(wrong.size() - 1));
        EXPECT_EQ(DrawnScreen().result, QStringList{QStringLiteral("? ?")}) << level;
        EXPECT_EQ(DrawnScreen().status,
                  QStringList{wrong.left(wrong.size() - 1) + QStringLiteral(", 1 / 10")});
        Enter(keys, wrong.right(1));
        EXPECT_EQ(DrawnScreen().result, QStringList{QString::fromLatin1(kWrongResult[level - 1])})
            << level;
        for (int guess = 1; !win && guess < 10; ++guess) {
            Enter(keys, wrong);
        }
        if (win) {
            Enter(keys, QString::fromLatin1(kSecrets[level - 1]));
        }
        EXPECT_FALSE(m_doc->m_bPlaying);
    }
};

// Every level by keys and by taps, won and lost: the round's level record counts it, the
// others stay at zero and record 0 weighs each level by its number.
TEST_F(LevelsTest, RoundsCountInTheirLevelsRecord) {
    AnswerBoxes([](const QString&, unsigned) { return 1; });
    OpenScreen();
    for (const int level : {2, 3, 1}) {
        for (const bool keys : {false, true}) {
            for (const bool win : {true, false}) {
                QFile::remove(StatFile());
                ResetLevels();
                PickLevel(level);
                PlayRound(level, keys, win);
                const QByteArray bytes = StatisticsFileBytes(StatFile());
                SCOPED_TRACE(testing::Message()
                             << "level " << level << " keys " << keys << " win " << win);
                const StatCounts round{1, win ? 1 : 0, win ? 0 : 1};
                if (level == 1) {
                    // The default game: one record, as it always was.
                    EXPECT_EQ(bytes.size(), 36);
                    ExpectCounts(bytes, 0, round);
                    continue;
                }
                ASSERT_EQ(bytes.size(), 4 * 36);
                for (int k = 1; k <= 3; ++k) {
                    ExpectCounts(bytes, k, k == level ? round : StatCounts{0, 0, 0});
                }
                ExpectCounts(bytes, 0, {level, round.won * level, round.lost * level});
            }
        }
    }
}

// Today's single record becomes the three-digit record before the first level count, so
// "All" keeps its numbers; later default rounds count into that record too.
TEST_F(LevelsTest, ASingleRecordFileBecomesTheThreeDigitRecord) {
    AnswerBoxes([](const QString&, unsigned) { return 1; });
    ASSERT_TRUE(WriteStatisticsFile(StatFile(), StatisticsBytes({OldRecord()})));
    OpenScreen();

    PickLevel(2);
    PlayRound(2, false, true);
    QByteArray bytes = StatisticsFileBytes(StatFile());
    ASSERT_EQ(bytes.size(), 4 * 36);
    ExpectCounts(bytes, 1, {5, 2, 3});
    EXPECT_EQ(StatisticsRecordAt(bytes, 1)
                  .value_or(GAMESTATISTICS{})
                  .Get(GAMESTATISTICS::nGamesWonPercent),
              40);
    ExpectCounts(bytes, 2, {1, 1, 0});
    ExpectCounts(bytes, 3, {0, 0, 0});
    ExpectCounts(bytes, 0, {5 + 2, 2 + 2, 3});

    PickLevel(1);
    PlayRound(1, true, false);
    bytes = StatisticsFileBytes(StatFile());
    ExpectCounts(bytes, 1, {6, 2, 4});
    ExpectCounts(bytes, 2, {1, 1, 0});
    ExpectCounts(bytes, 0, {6 + 2, 2 + 2, 4});
}

// A file with level records switches the levels on at once, even at the default level.
TEST_F(LevelsTest, AFileWithLevelRecordsCountsTheDefaultLevelApart) {
    AnswerBoxes([](const QString&, unsigned) { return 1; });
    ASSERT_TRUE(WriteStatisticsFile(StatFile(), StatisticsBytes({OldRecord(), GAMESTATISTICS{},
                                                                 GAMESTATISTICS{}, OldRecord()})));
    OpenScreen();
    PlayRound(1, false, true);
    const QByteArray bytes = StatisticsFileBytes(StatFile());
    ExpectCounts(bytes, 1, {1, 1, 0});
    ExpectCounts(bytes, 3, {5, 2, 3});
    ExpectCounts(bytes, 0, {1 + 15, 1 + 6, 9});
}

// The level is chosen between rounds only, and a new level waits for the next round.
TEST_F(LevelsTest, LevelIsRefusedDuringARound) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TakeEvents();
    platform::CommandUpdate update;
    ASSERT_TRUE(m_doc->OnCmdMsg(ID_LEVEL_5, &update));
    EXPECT_FALSE(update.IsEnabled());
    PickLevel(3);
    EXPECT_EQ(theApp.m_nLevel, 1);
    EXPECT_EQ(m_doc->GetLevel(), 1);
    EXPECT_TRUE(TakeEvents().contains(QStringLiteral("beep %1").arg(platform::kSoundStop)));
    Enter(false, QStringLiteral("123"));
    EXPECT_NE(DrawnScreen().result, QStringList{QStringLiteral("? ?")});

    m_doc->StopPlaying();
    update = {};
    ASSERT_TRUE(m_doc->OnCmdMsg(ID_LEVEL_5, &update));
    EXPECT_TRUE(update.IsEnabled());
    PickLevel(3);
    EXPECT_EQ(theApp.m_nLevel, 3);
}

// The dialog lists "All" and the level names, opens on the level being chosen and shows each
// level's numbers; looking at another level does not move later counts there.
TEST_F(LevelsTest, StatisticsDialogShowsEachLevel) {
    AnswerBoxes([](const QString&, unsigned) { return 1; });
    ASSERT_TRUE(WriteStatisticsFile(
        StatFile(), StatisticsBytes({Record(7, 3, 4, 42), Record(2, 1, 1, 50), Record(1, 1, 0, 100),
                                     Record(1, 0, 1, 0)})));
    OpenScreen();
    PickLevel(2);

    const QStringList kNames = {QStringLiteral("All"), QStringLiteral("Three digits"),
                                QStringLiteral("Four digits"), QStringLiteral("Five digits")};
    // "All" counts each game once; the file's weighted record 0 (7, 3, 4) is not shown as
    // counts. The score, 1 x 1 + 2 x 1 + 3 x 0 wins, stays whichever level is looked at.
    const QStringList kNumbers[] = {
        {"4", "2", "2", "50"}, {"2", "1", "1", "50"}, {"1", "1", "0", "100"}, {"1", "0", "1", "0"}};
    const QByteArray before = StatisticsFileBytes(StatFile());
    ShowStatistics([&](CGameStatisticsDlg& dlg) {
        const Shown opened = Look(dlg);
        EXPECT_EQ(opened.levels, kNames);
        EXPECT_EQ(opened.selected, 2);
        EXPECT_EQ(opened.numbers, kNumbers[2]);
        for (const int index : {1, 3, 0}) {
            ChooseLevel(dlg, index);
            EXPECT_EQ(Look(dlg).numbers, kNumbers[index]) << index;
            EXPECT_EQ(dlg.GetDlgItem(IDC_SCORE)->GetWindowText(), QStringLiteral("3")) << index;
        }
    });
    EXPECT_EQ(StatisticsFileBytes(StatFile()), before);

    // "All" was the last one looked at; the round still counts as four digits.
    PlayRound(2, false, true);
    const QByteArray bytes = StatisticsFileBytes(StatFile());
    ExpectCounts(bytes, 2, {2, 2, 0});
    ExpectCounts(bytes, 0, {2 + 2 * 2 + 3 * 1, 1 + 2 * 2, 1 + 3 * 1});
}

// The default game keeps the single overall record and a dialog with "All" only: no score,
// the template's size, and no control with the keys.
TEST_F(LevelsTest, DefaultGameDialogListsAllOnly) {
    OpenScreen();
    ShowStatistics([&](CGameStatisticsDlg& dlg) {
        const Shown shown = Look(dlg);
        EXPECT_EQ(shown.levels, QStringList{QStringLiteral("All")});
        EXPECT_EQ(shown.selected, 0);
        for (const int id : {IDC_LABEL_SCORE, IDC_SCORE, IDC_SCORE_NOTE}) {
            EXPECT_FALSE(dlg.GetDlgItem(id)->IsWindowVisible()) << id;
        }
        EXPECT_NE(dlg.m_cbLevel.Widget()->window()->focusWidget(), dlg.m_cbLevel.Widget());
        // The template's 95 units: the parked score lies below the dialog's bottom.
        platform::Rect score = dlg.GetDlgItem(IDC_LABEL_SCORE)->GetWindowRect();
        dlg.ScreenToClient(&score);
        EXPECT_GE(score.top, dlg.GetClientRect().bottom);
    });
    EXPECT_EQ(StatisticsFileBytes(StatFile()), EmptyStatisticsBytes());
    EXPECT_EQ(s_nMaxLevels, 0);
}

// Whatever shape the file has, the counts it holds survive the first level count and the
// dialog that comes before it. The reader takes record 0 from the first 36 bytes whatever
// follows, so stray bytes after it leave its counts to the three-digit record; bytes that hold
// no readable counts (a record cut short, counts that cannot be) are kept aside under a name of
// their own, and the player is told, before anything is written over them.
struct FileShape {
    const char* name;
    QByteArray bytes;
    QStringList threeDigits;  // the three-digit record as the dialog then shows it
    bool keptAside;
};

void PrintTo(const FileShape& shape, std::ostream* out) {
    *out << shape.name;
}

class LevelsFileShapes : public LevelsTest, public testing::WithParamInterface<FileShape> {};

TEST_P(LevelsFileShapes, CountsSurviveTheFirstLevelCount) {
    const FileShape& shape = GetParam();
    std::vector<QString> boxes;
    AnswerBoxes([&boxes](const QString& text, unsigned) {
        boxes.push_back(text);
        return 1;
    });
    ASSERT_TRUE(WriteStatisticsFile(StatFile(), shape.bytes));
    OpenScreen();
    PickLevel(2);

    ShowStatistics([&](CGameStatisticsDlg& dlg) {
        ChooseLevel(dlg, 1);
        EXPECT_EQ(Look(dlg).numbers, shape.threeDigits);
    });
    PlayRound(2, false, true);

    const QByteArray bytes = StatisticsFileBytes(StatFile());
    ASSERT_GE(bytes.size(), 4 * 36);
    const StatCounts three{shape.threeDigits[0].toInt(), shape.threeDigits[1].toInt(),
                           shape.threeDigits[2].toInt()};
    ExpectCounts(bytes, 1, three);
    ExpectCounts(bytes, 2, {1, 1, 0});
    ExpectCounts(bytes, 3, {0, 0, 0});
    ExpectCounts(bytes, 0, {three.played + 2, three.won + 2, three.lost});
    // Records beyond the game's levels are no business of this game's: they stay as they were.
    EXPECT_EQ(bytes.mid(4 * 36), shape.bytes.mid(4 * 36));

    const QString copy = StatFile() + QStringLiteral(".damaged");
    EXPECT_EQ(QFile::exists(copy), shape.keptAside);
    const bool told = std::any_of(boxes.begin(), boxes.end(), [&copy](const QString& text) {
        return text.contains(QStringLiteral("damaged")) && text.contains(copy);
    });
    EXPECT_EQ(told, shape.keptAside);
    if (shape.keptAside) {
        EXPECT_EQ(StatisticsFileBytes(copy), shape.bytes);
    }
}

const QByteArray kTen = StatisticsBytes({Record(10, 4, 6, 40)});
const QStringList kTenShown = {"10", "4", "6", "40"};
const QStringList kNoneShown = {"0", "0", "0", "0"};

INSTANTIATE_TEST_SUITE_P(
    Shapes, LevelsFileShapes,
    testing::Values(FileShape{"Short20", kTen.left(20), kNoneShown, true},
                    FileShape{"One36", kTen, kTenShown, false},
                    FileShape{"Stray37", kTen + QByteArray(1, '\x01'), kTenShown, false},
                    FileShape{"Stray40", kTen + QByteArray(4, '\x5a'), kTenShown, false},
                    FileShape{"Stray71", kTen + kTen.left(35), kTenShown, false},
                    FileShape{"Two72", kTen + kTen, kTenShown, false},
                    FileShape{"Full144",
                              StatisticsBytes({Record(10, 4, 6, 40), Record(10, 4, 6, 40),
                                               GAMESTATISTICS{}, GAMESTATISTICS{}}),
                              kTenShown, false},
                    FileShape{
                        "Five180",
                        StatisticsBytes({Record(10, 4, 6, 40), Record(10, 4, 6, 40),
                                         GAMESTATISTICS{}, GAMESTATISTICS{}, Record(3, 3, 0, 100)}),
                        kTenShown, false},
                    // Zero bytes on disk: every word reads as 1,515,870,810.
                    FileShape{"Garbage36", QByteArray(36, '\0'), kNoneShown, true}),
    [](const auto& info) { return std::string(info.param.name); });

// At the default level a damaged record is never shown as counts; the round counted after it
// starts the record again, with the old bytes kept aside.
TEST_F(LevelsTest, ADamagedRecordIsNeverShownAsCounts) {
    std::vector<QString> boxes;
    AnswerBoxes([&boxes](const QString& text, unsigned) {
        boxes.push_back(text);
        return 1;
    });
    ASSERT_TRUE(WriteStatisticsFile(StatFile(), QByteArray(36, '\0')));
    OpenScreen();
    ShowStatistics([&](CGameStatisticsDlg& dlg) {
        EXPECT_EQ(Look(dlg).numbers, QStringList({"????", "????", "????", "????"}));
    });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(StatisticsFileBytes(StatFile()), QByteArray(36, '\0'));

    PlayRound(1, true, true);
    EXPECT_EQ(StatisticsFileBytes(StatFile() + QStringLiteral(".damaged")), QByteArray(36, '\0'));
    const QByteArray bytes = StatisticsFileBytes(StatFile());
    EXPECT_EQ(bytes.size(), 36);
    ExpectCounts(bytes, 0, {1, 1, 0});
}
namespace {

// Whether a text control shows its text whole: every word within its width, and its lines,
// wrapped at its width, within its height (the glyphs of the last line, not the leading below
// them).
bool ShowsWhole(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const QStringList words = label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (metrics.horizontalAdvance(word) > room.width()) {
            return false;
        }
    }
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, label->text());
    if (needed.width() > room.width()) {
        return false;
    }
    const long lines = std::max(1L, std::lround(double(needed.height()) / metrics.lineSpacing()));
    return (lines - 1) * metrics.lineSpacing() + metrics.ascent() + metrics.descent() <=
           room.height();
}

// The closed list's text field against each entry.
QStringList EntriesCutOff(QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    QStringList cut;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > field.width()) {
            cut << combo->itemText(i);
        }
    }
    return cut;
}

struct WorkedExampleCase {
    int language;
    const char* levels;
    const char* scoreLabel;
    const char* note;
};

class StatisticsOfLevels : public LevelsTest,
                           public testing::WithParamInterface<WorkedExampleCase> {};

}  // namespace

// The worked example's levels (4 played, 2 won, 2 lost; 2 played, 1 won, 1 lost) with its
// weighted record 0 (8, 4, 4, 50): "All" reads 6 games, 3 won, 3 lost, 50 %, and the score is
// the weighted wins, 4, named as such. The dialog opens on the level list, nothing in it is
// cut off, and the file is left as it was.
TEST_P(StatisticsOfLevels, AllShowsTrueTotalsAndTheScore) {
    const WorkedExampleCase& c = GetParam();
    AnswerBoxes([](const QString&, unsigned) { return 1; });
    ASSERT_TRUE(WriteStatisticsFile(
        StatFile(), StatisticsBytes({Record(8, 4, 4, 50), Record(4, 2, 2, 50), Record(2, 1, 1, 50),
                                     Record(0, 0, 0, 0)})));
    const QByteArray before = StatisticsFileBytes(StatFile());
    GameStatisticsSetCustomLevels(QString::fromUtf8(c.levels));
    GameStatisticsSetLevelInfo(3, 0);

    const testing_support::ModalRun run = testing_support::DriveModal(
        [&] { GameStatisticsShow(StatFile(), c.language); }, {[&](platform::Dialog& dialog) {
            auto* dlg = dynamic_cast<CGameStatisticsDlg*>(&dialog);
            ASSERT_NE(dlg, nullptr);
            EXPECT_EQ(Look(*dlg).numbers, (QStringList{"6", "3", "3", "50"}));
            EXPECT_EQ(dlg->GetDlgItem(IDC_SCORE)->GetWindowText(), QStringLiteral("4"));
            EXPECT_EQ(dlg->GetDlgItem(IDC_LABEL_SCORE)->GetWindowText(),
                      QString::fromUtf8(c.scoreLabel));
            EXPECT_EQ(dlg->GetDlgItem(IDC_SCORE_NOTE)->GetWindowText(), QString::fromUtf8(c.note));
            auto* combo = qobject_cast<QComboBox*>(dlg->m_cbLevel.Widget());
            ASSERT_NE(combo, nullptr);
            // The widget that has the keys once the dialog's window is active.
            EXPECT_EQ(combo->window()->focusWidget(), combo);

            // Every text of the dialog shows whole, inside the dialog.
            const QRect client = dlg->ClientWidget()->rect();
            for (const QLabel* label : dlg->ClientWidget()->findChildren<QLabel*>()) {
                if (label->isVisible()) {
                    EXPECT_TRUE(ShowsWhole(label))
                        << label->text().toStdString() << " " << label->contentsRect().width()
                        << "x" << label->contentsRect().height() << " needs "
                        << QFontMetrics(label->font()).horizontalAdvance(label->text()) << "x"
                        << QFontMetrics(label->font())
                               .boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text())
                               .height();
                    EXPECT_TRUE(client.contains(label->geometry())) << label->text().toStdString();
                }
            }
            EXPECT_EQ(EntriesCutOff(combo), QStringList());
            for (const QWidget* control : dlg->ClientWidget()->findChildren<QWidget*>()) {
                if (control->isVisible() && control != combo) {
                    EXPECT_FALSE(control->geometry().intersects(combo->geometry()) &&
                                 qobject_cast<const QLabel*>(control) != nullptr)
                        << control->objectName().toStdString();
                }
            }

            // Down goes to the first level, whose own numbers show; the score stays.
            QTest::keyClick(combo, Qt::Key_Down);
            EXPECT_EQ(Look(*dlg).numbers, (QStringList{"4", "2", "2", "50"}));
            EXPECT_EQ(dlg->GetDlgItem(IDC_SCORE)->GetWindowText(), QStringLiteral("4"));
            // With DRUNO_SCREENSHOTS naming a folder, the dialog as a picture there.
            if (const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
                !folder.isEmpty()) {
                dlg->Widget()->grab().save(
                    QStringLiteral("%1/statistics-%2.png").arg(folder).arg(c.language));
            }
            dlg->EndDialog(platform::kIdOk);
        }});
    EXPECT_EQ(run.stepsRun, 1);
    EXPECT_EQ(StatisticsFileBytes(StatFile()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StatisticsOfLevels,
    testing::Values(
        WorkedExampleCase{0, "Three digits|Four digits|Five digits",
                          "Score:", "A win scores 1 point at three digits, 2 at four, 3 at five."},
        WorkedExampleCase{1, "Drei Ziffern|Vier Ziffern|Fünf Ziffern", "Punkte:",
                          "Ein Sieg zählt 1 Punkt bei drei Ziffern, 2 bei vier, 3 bei fünf."}));

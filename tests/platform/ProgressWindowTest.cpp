// The Progress window over a small fixture journal: the figures, the charts as a screen reader
// reads them, the rounds and their guesses, the empty journal, Forget all rounds, the texts in
// German, and the colours of a light and a dark theme.

#include "platform/core/Messages.h"
#include "platform/desktop/ProgressChart.h"
#include "platform/desktop/ProgressWindow.h"
#include "platform/graphics/Palette.h"
#include "platform/services/MessageBox.h"
#include "tests/screen/Themes.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTranslator>

#include <map>
#include <optional>

using platform::Journal;
using platform::JournalStatus;
using platform::ProgressChart;
using platform::ProgressWindow;
using platform::RoundOutcome;

namespace {

const QStringList kLevelNames = {QStringLiteral("Three digits"), QStringLiteral("Four digits"),
                                 QStringLiteral("Five digits")};

struct FixtureRound {
    int level;
    RoundOutcome outcome;
    int attempts;
};

// Oldest first. Three digits: won in 3, 4, lost, won in 2, 5, 3, given up, won in 1, 2; four
// digits between them: won in 7, then lost by closing.
const std::vector<FixtureRound> kFixture = {
    {1, RoundOutcome::Won, 3},    {1, RoundOutcome::Won, 4},     {1, RoundOutcome::Lost, 10},
    {2, RoundOutcome::Won, 7},    {1, RoundOutcome::Won, 2},     {1, RoundOutcome::Won, 5},
    {1, RoundOutcome::Won, 3},    {1, RoundOutcome::GivenUp, 4}, {1, RoundOutcome::Won, 1},
    {2, RoundOutcome::Closed, 2}, {1, RoundOutcome::Won, 2},
};

class ProgressWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { platform::SetMessageBoxAnswerer(nullptr); }

    QString JournalFile() const { return m_dir.filePath(QStringLiteral("Journal.sqlite")); }

    // The fixture, a minute apart, and a round of this game still being played.
    void MakeFixture() {
        Journal journal(JournalFile());
        ASSERT_EQ(journal.Open(Journal::Mode::Write), JournalStatus::Ok);
        const std::int64_t start = QDateTime::currentMSecsSinceEpoch() - 3600000;
        std::int64_t minute = 0;
        for (const FixtureRound& round : kFixture) {
            std::int64_t id = 0;
            const std::int64_t at = start + 60000 * minute++;
            ASSERT_EQ(journal.BeginRound(at, round.level, round.level + 2, &id), JournalStatus::Ok);
            for (int attempt = 1; attempt <= round.attempts; ++attempt) {
                const bool last = attempt == round.attempts && round.outcome == RoundOutcome::Won;
                ASSERT_EQ(journal.AddGuess(id, attempt,
                                           {last ? QStringLiteral("147") : QStringLiteral("258"),
                                            last ? 3 : 0, last ? 0 : 1}),
                          JournalStatus::Ok);
            }
            ASSERT_EQ(journal.EndRound(id, round.outcome, round.attempts, at + 30000, 42000,
                                       QStringLiteral("147")),
                      JournalStatus::Ok);
        }
        std::int64_t playing = 0;
        ASSERT_EQ(journal.BeginRound(start + 60000 * minute, 1, 3, &playing), JournalStatus::Ok);
    }

    std::unique_ptr<ProgressWindow> Open() {
        return std::make_unique<ProgressWindow>(JournalFile(), kLevelNames, QStringLiteral("All"));
    }

    // Each figure by the name a screen reader gives it.
    static std::map<QString, QString> Figures(const ProgressWindow& window) {
        std::map<QString, QString> figures;
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (!label->accessibleName().isEmpty()) {
                figures[label->accessibleName()] = label->text();
            }
        }
        return figures;
    }

    static std::vector<ProgressChart*> Charts(const ProgressWindow& window) {
        const QList<ProgressChart*> charts = window.findChildren<ProgressChart*>();
        return {charts.begin(), charts.end()};
    }

    static QStringList Row(const ProgressWindow& window, int row) {
        const QAbstractItemModel* model = window.findChild<QTableView*>()->model();
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            cells << model->index(row, column).data().toString();
        }
        return cells;
    }

    static QStringList Guesses(const ProgressWindow& window) {
        QStringList lines;
        const QListWidget* list = window.findChild<QListWidget*>();
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

    QTemporaryDir m_dir;
};

struct LevelFigures {
    int level;
    std::map<QString, QString> figures;
    QString attempts;  // the attempts chart, as a screen reader reads it
    QString recent;    // the win-rate chart
};

// The figures count the rounds that ended, at the level chosen; the round being played counts
// nowhere. Every number of the charts is there as text.
TEST_F(ProgressWindowTest, ShowsTheFiguresOfEachLevel) {
    MakeFixture();
    const auto window = Open();
    const std::vector<LevelFigures> cases = {
        {0,
         {{"Rounds played:", "11"},
          {"Won:", "8"},
          {"Win rate:", "73 %"},
          {"Current streak:", "1"},
          {"Best streak:", "4"},
          {"Average attempts of a win:", "3.4"}},
         "Won at attempt 1: 1\nWon at attempt 2: 2\nWon at attempt 3: 2\nWon at attempt 4: 1\n"
         "Won at attempt 5: 1\nWon at attempt 6: 0\nWon at attempt 7: 1\nWon at attempt 8: 0\n"
         "Won at attempt 9: 0\nWon at attempt 10: 0\nLost: 3",
         "Rounds 1 to 1: 100 % won\nRounds 2 to 11: 70 % won"},
        {1,
         {{"Rounds played:", "9"},
          {"Won:", "7"},
          {"Win rate:", "78 %"},
          {"Current streak:", "2"},
          {"Best streak:", "3"},
          {"Average attempts of a win:", "2.9"}},
         "Won at attempt 1: 1\nWon at attempt 2: 2\nWon at attempt 3: 2\nWon at attempt 4: 1\n"
         "Won at attempt 5: 1\nWon at attempt 6: 0\nWon at attempt 7: 0\nWon at attempt 8: 0\n"
         "Won at attempt 9: 0\nWon at attempt 10: 0\nLost: 2",
         "Rounds 1 to 9: 78 % won"},
        {2,
         {{"Rounds played:", "2"},
          {"Won:", "1"},
          {"Win rate:", "50 %"},
          {"Current streak:", "0"},
          {"Best streak:", "1"},
          {"Average attempts of a win:", "7.0"}},
         "Won at attempt 1: 0\nWon at attempt 2: 0\nWon at attempt 3: 0\nWon at attempt 4: 0\n"
         "Won at attempt 5: 0\nWon at attempt 6: 0\nWon at attempt 7: 1\nWon at attempt 8: 0\n"
         "Won at attempt 9: 0\nWon at attempt 10: 0\nLost: 1",
         "Rounds 1 to 2: 50 % won"},
    };
    for (const LevelFigures& c : cases) {
        SCOPED_TRACE(c.level);
        window->SetLevel(c.level);
        std::map<QString, QString> expected;
        for (const auto& [name, value] : c.figures) {
            expected[name] = value;
        }
        std::map<QString, QString> shown = Figures(*window);
        for (const auto& [name, value] : expected) {
            EXPECT_EQ(shown[name], value) << name.toStdString();
        }
        const std::vector<ProgressChart*> charts = Charts(*window);
        ASSERT_EQ(charts.size(), 2u);
        EXPECT_EQ(charts[0]->accessibleDescription(), c.attempts);
        EXPECT_EQ(charts[1]->accessibleDescription(), c.recent);
    }
}

// Newest first, the round being played among them; choosing a round shows its guesses with
// their counts, the secret and the time it took.
TEST_F(ProgressWindowTest, ListsTheRoundsAndTheGuessesOfTheOneChosen) {
    MakeFixture();
    const auto window = Open();
    const QTableView* list = window->findChild<QTableView*>();
    ASSERT_EQ(list->model()->rowCount(), 12);
    EXPECT_EQ(Row(*window, 0).mid(1), (QStringList{"Three digits", "Being played", "0"}));
    EXPECT_EQ(Row(*window, 1).mid(1), (QStringList{"Three digits", "Won", "2"}));
    EXPECT_EQ(Row(*window, 2).mid(1), (QStringList{"Four digits", "Lost by closing", "2"}));
    EXPECT_EQ(Row(*window, 4).mid(1), (QStringList{"Three digits", "Given up", "4"}));
    EXPECT_EQ(Row(*window, 9).mid(1), (QStringList{"Three digits", "Lost", "10"}));

    window->findChild<QTableView*>()->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(Guesses(*window),
              (QStringList{"1.  258   0 in place, 1 elsewhere", "2.  147   3 in place, 0 elsewhere",
                           "The number was 147.", "Time taken: 0:42"}));

    window->SetLevel(2);
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(Row(*window, 1).mid(1), (QStringList{"Four digits", "Won", "7"}));
}

// No journal yet, or one just emptied: a friendly text in place of empty charts. Forget asks
// first and does nothing on No.
TEST_F(ProgressWindowTest, AnEmptyJournalShowsAFriendlyText) {
    {
        const auto window = Open();
        const QStackedWidget* pages = window->findChild<QStackedWidget*>();
        const auto* text = qobject_cast<QLabel*>(pages->currentWidget());
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->text().startsWith(QStringLiteral("No rounds yet.")));
        EXPECT_FALSE(QFile::exists(JournalFile())) << "looking made a journal";
    }
    MakeFixture();
    const auto window = Open();
    QStringList asked;
    int answer = platform::kIdNo;
    platform::SetMessageBoxAnswerer([&](const QString& text, const QString&, unsigned type) {
        asked << QStringLiteral("%1 %2").arg(type).arg(text);
        return answer;
    });
    EXPECT_FALSE(window->ForgetAllRounds());
    EXPECT_EQ(window->findChild<QTableView*>()->model()->rowCount(), 12);
    answer = platform::kIdYes;
    EXPECT_TRUE(window->ForgetAllRounds());
    EXPECT_EQ(asked, QStringList(2, QStringLiteral("36 Forget every round in the journal? The "
                                                   "statistics stay as they are.")));
    // The round being played stays for its game to finish.
    EXPECT_EQ(window->findChild<QTableView*>()->model()->rowCount(), 1);
}

// On a German desktop every text of the window is German.
TEST_F(ProgressWindowTest, SpeaksGerman) {
    MakeFixture();
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/druno_de.qm")));
    struct Installed {
        explicit Installed(QTranslator* t) : translator(t) {
            QCoreApplication::installTranslator(t);
        }
        ~Installed() { QCoreApplication::removeTranslator(translator); }
        QTranslator* translator;
    } installed(&german);
    const auto window = Open();
    const std::map<QString, QString> figures = Figures(*window);

    const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
    if (!folder.isEmpty()) {
        window->show();
        window->grab().save(QDir(folder).filePath(QStringLiteral("progress-de.png")));
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Fortschritt"));
    EXPECT_EQ(figures.count(QStringLiteral("Gespielte Runden:")), 1u);
    EXPECT_EQ(figures.count(QStringLiteral("Beste Serie:")), 1u);
    EXPECT_EQ(Row(*window, 1)[2], QStringLiteral("Gewonnen"));
    EXPECT_EQ(Row(*window, 2)[2], QStringLiteral("Verloren durch Schließen"));
    EXPECT_TRUE(Charts(*window)[0]->accessibleDescription().startsWith(
        QStringLiteral("Gewonnen beim 1. Versuch: 1\n")));
    EXPECT_EQ(Guesses(*window), QStringList(QStringLiteral("Kein Versuch gemacht.")));
    QTableView* list = window->findChild<QTableView*>();
    list->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(Guesses(*window).first(), QStringLiteral("1.  258   0 am Platz, 1 woanders"));
}

// The charts draw in the theme's colours: its highlight for the wins on its window colour,
// light or dark. With DRUNO_SCREENSHOTS naming a folder the window is saved there as well.
TEST_F(ProgressWindowTest, FollowsTheLightAndTheDarkTheme) {
    MakeFixture();
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        std::optional<ScopedPalette> theme;
        if (dark) {
            theme.emplace(DarkPalette());
        }
        const auto window = Open();
        window->show();
        const QImage shot = window->grab().toImage();
        const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
        if (!folder.isEmpty()) {
            shot.save(QDir(folder).filePath(dark ? QStringLiteral("progress-dark.png")
                                                 : QStringLiteral("progress-light.png")));
        }
        ProgressChart* chart = Charts(*window)[0];
        const QImage picture = chart->grab().toImage();
        const QColor highlight = chart->palette().color(QPalette::Highlight);
        const QColor background = chart->palette().color(QPalette::Window);
        int highlighted = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                highlighted += picture.pixelColor(x, y) == highlight ? 1 : 0;
            }
        }
        EXPECT_GT(highlighted, 100) << "no bar in the highlight colour";
        EXPECT_EQ(picture.pixelColor(picture.width() - 2, picture.height() / 2), background);
        EXPECT_EQ(platform::IsDarkPalette(chart->palette()), dark);
    }
}

}  // namespace

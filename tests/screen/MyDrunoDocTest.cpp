// The game document: commands and their enabling, aborting a round, sounds, the frame-close
// answer and where the statistics file lies.

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/services/Sound.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

struct Enabling {
    bool newGame;
    bool abortGame;
    bool appExit;
};

// Runs the update handlers the way the frame does before a menu opens.
Enabling QueryEnabling(CMyDrunoDoc& doc) {
    auto enabled = [&doc](unsigned id) {
        platform::CommandUpdate update;
        EXPECT_TRUE(doc.OnCmdMsg(id, &update)) << id;
        return update.IsEnabled();
    };
    return {enabled(ID_NEW_GAME), enabled(ID_ABORT_GAME), enabled(ID_APP_EXIT)};
}

}  // namespace

TEST_F(GameScreenTest, DocumentAndViewAreCreatableByClassName) {
    for (const char* name : {"CMyDrunoDoc", "CMyDrunoView"}) {
        const platform::RuntimeClass* record =
            platform::FindRuntimeClass(QString::fromLatin1(name));
        ASSERT_NE(record, nullptr) << name;
        const std::unique_ptr<platform::CommandTarget> object = record->create();
        EXPECT_NE(object, nullptr) << name;
    }
}

TEST_F(GameScreenTest, NewGameTogglesTheCommandsAndStartsARound) {
    OpenScreen();
    Enabling before = QueryEnabling(*m_doc);
    EXPECT_TRUE(before.newGame);
    EXPECT_FALSE(before.abortGame);
    EXPECT_TRUE(before.appExit);
    // Statistics has no update entry: it stays enabled whatever the state.
    platform::CommandUpdate statistics;
    m_doc->OnCmdMsg(ID_STATISTIC, &statistics);
    EXPECT_TRUE(statistics.IsEnabled());
    m_events.clear();

    ASSERT_TRUE(m_doc->OnCmdMsg(ID_NEW_GAME, nullptr));
    EXPECT_TRUE(m_doc->m_bPlaying);
    const QString secret = m_doc->m_game.GetNumber();
    ASSERT_EQ(secret.size(), 3);
    EXPECT_TRUE(secret[0] != secret[1] && secret[0] != secret[2] && secret[1] != secret[2]);
    EXPECT_EQ(m_doc->m_game.GetResult(), QStringLiteral("? ?"));
    EXPECT_TRUE(
        InOrder(TakeEvents(), {"CMyDrunoDoc::OnNewGame() {", "CDrunoGame::Init() {",
                               "} CDrunoGame::Init()", "CMyDrunoDoc::RepaintDoc() {",
                               "} CMyDrunoDoc::RepaintDoc()", "} CMyDrunoDoc::OnNewGame()"}));

    Enabling during = QueryEnabling(*m_doc);
    EXPECT_FALSE(during.newGame);
    EXPECT_TRUE(during.abortGame);
    EXPECT_FALSE(during.appExit);
}

TEST_F(GameScreenTest, StatisticsCommandShowsTheProgramsStatisticsFile) {
    OpenScreen();
    // The dialog is modal: close it as soon as it shows.
    std::function<void()> closeDialog = [&closeDialog] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        } else {
            QTimer::singleShot(10, closeDialog);
        }
    };
    QTimer::singleShot(0, closeDialog);

    ASSERT_TRUE(m_doc->OnCmdMsg(ID_STATISTIC, nullptr));

    EXPECT_TRUE(InOrder(TakeEvents(), {"CMyDrunoDoc::OnStatistic() {", "GameStatisticsShow() {",
                                       "lpStatFile=\"" + StatFile() + "\"",
                                       "} GameStatisticsShow()", "} CMyDrunoDoc::OnStatistic()"}));
}

TEST_F(GameScreenTest, FrameMayCloseOnlyBetweenRounds) {
    OpenScreen();
    EXPECT_TRUE(m_doc->CanCloseFrame(nullptr));
    NewGame(QStringLiteral("407"));
    EXPECT_FALSE(m_doc->CanCloseFrame(nullptr));
    m_doc->StopPlaying();
    EXPECT_TRUE(m_doc->CanCloseFrame(nullptr));
}

TEST_F(GameScreenTest, AbortAnsweredNoChangesNothing) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    AnswerBoxes([](const QString&, unsigned) { return platform::kIdNo; });

    ASSERT_TRUE(m_doc->OnCmdMsg(ID_ABORT_GAME, nullptr));

    EXPECT_TRUE(m_doc->m_bPlaying);
    EXPECT_EQ(TakeEvents(), QStringList{"box 36 Really abort the game?"});
    EXPECT_EQ(ReadStatCounts(StatFile()).lost, 0);
}

TEST_F(GameScreenTest, AbortAnsweredYesCountsTheLossBeforeShowingTheSolution) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    StatCounts whileShown;
    bool blankWhileShown = false;
    AnswerBoxes([&](const QString&, unsigned type) {
        if (type == platform::kMbYesNoQuestion) {
            return platform::kIdYes;
        }
        whileShown = ReadStatCounts(StatFile());
        blankWhileShown = IsBlank(GrabView());
        return platform::kIdOk;
    });

    ASSERT_TRUE(m_doc->OnCmdMsg(ID_ABORT_GAME, nullptr));

    EXPECT_FALSE(m_doc->m_bPlaying);
    EXPECT_TRUE(
        InOrder(TakeEvents(), {"box 36 Really abort the game?", "CMyDrunoDoc::RepaintDoc() {",
                               "GameStatisticsAddLost() {", "box 0 Game Over!\nSolution: 407"}));
    EXPECT_EQ(whileShown.lost, 1);
    EXPECT_EQ(whileShown.played, 1);
    EXPECT_TRUE(blankWhileShown);
    EXPECT_EQ(ReadStatCounts(StatFile()).lost, 1);
}

TEST_F(GameScreenTest, SoundsFollowTheSoundSetting) {
    struct Case {
        bool sound;
        int code;
        QStringList heard;
    };
    const std::vector<Case> cases = {
        {true, 100, {"beep 16"}}, {true, 101, {"beep 0"}}, {true, 102, {}},
        {false, 100, {}},         {false, 101, {}},
    };
    const bool saved = theApp.m_bSound;
    CMyDrunoDoc doc;
    for (const Case& c : cases) {
        theApp.m_bSound = c.sound;
        m_events.clear();
        doc.PlaySound(c.code);
        QStringList heard = TakeEvents().filter(QStringLiteral("beep"));
        EXPECT_EQ(heard, c.heard) << c.sound << " " << c.code;
    }
    theApp.m_bSound = saved;
}

TEST_F(GameScreenTest, StatisticsFileLiesInTheProgramsDirectory) {
    struct Case {
        QString module;
        QString directory;
    };
    const QString longDir =
        QStringLiteral("/home/player/") + QString(300, QLatin1Char('d')) + QStringLiteral("/");
    // Only "/" separates folders: a backslash belongs to the name.
    const std::vector<Case> cases = {
        {"/usr/games/druno", "/usr/games/"},
        {"a/b/Druno.exe", "a/b/"},
        {"\\x/y\\z/Druno.exe", "\\x/y\\z/"},
        {"\\Windows\\Druno.exe", "\\"},
        {"Druno.exe", "\\"},
        // Long paths are whole: a shortened one would put the statistics elsewhere.
        {longDir + QStringLiteral("druno"), longDir},
    };
    for (const Case& c : cases) {
        platform::SetModuleFileNameSource([&c] { return c.module; });
        EXPECT_EQ(GetModuleDirectory(nullptr), c.directory) << c.module.toStdString();
    }

    // A folder the player can write keeps the file, whatever its name; one that does not
    // exist (or cannot be written) leaves it to the player's data folder.
    CMyDrunoDoc doc;
    const QString games = m_dir.filePath(QStringLiteral("my\\games")) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(games));
    const std::vector<Case> places = {
        {games + QStringLiteral("druno"), games},
        {QStringLiteral("/nowhere/druno"),
         platform::GetDataHome() + QStringLiteral("/Brantel/Druno/")},
    };
    for (const Case& c : places) {
        platform::SetModuleFileNameSource([&c] { return c.module; });
        EXPECT_EQ(doc.GetStatFile(), c.directory + QStringLiteral("Druno.sta"));
    }
}

// A journal of rounds that is damaged when the game starts never stops it: the statistics count
// as ever, the damaged file is kept aside, and the player hears of it once, before the next
// round begins, not in the middle of one.
TEST_F(GameScreenTest, ADamagedJournalIsToldOnceBeforeARound) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("Brantel/Druno"))));
    QFile damaged(data.filePath(QStringLiteral("Brantel/Druno/Journal.sqlite")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("not a journal at all\n").repeated(100));
    damaged.close();

    OpenScreen();
    qputenv("XDG_DATA_HOME", savedData);
    m_doc->FinishJournal();
    AnswerBoxes([](const QString&, unsigned type) {
        return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    });
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_doc->OnCmdMsg(ID_NEW_GAME, nullptr));
        ASSERT_TRUE(m_doc->OnCmdMsg(ID_ABORT_GAME, nullptr));
    }

    QStringList told;
    for (const QString& event : TakeEvents()) {
        if (event.contains(QStringLiteral("journal"))) {
            told << event;
        }
    }
    const QString aside = QDir(data.filePath(QStringLiteral("Brantel/Druno")))
                              .entryList({QStringLiteral("Journal-damaged-*.sqlite")}, QDir::Files)
                              .value(0);
    ASSERT_FALSE(aside.isEmpty());
    EXPECT_EQ(told, QStringList(QStringLiteral("box 64 The journal of your rounds was damaged. It "
                                               "is kept as %1, and a new journal has been started.")
                                    .arg(data.filePath(QStringLiteral("Brantel/Druno/") + aside))));
    EXPECT_EQ(ReadStatCounts(StatFile()).lost, 2);
}

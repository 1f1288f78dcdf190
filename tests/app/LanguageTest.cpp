// What the player reads, in the desktop's language: the real program is started with the
// environment a desktop session gives it, goes through every screen (menus, bar, history
// panel, what a screen reader is sent, every kind of box, the four dialogs, a box of Qt's own,
// a text field's menu, the help window) and writes what each shows. The statistics and
// settings files it leaves are the same in every language.

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::ChildEnd;
using testing_support::ChildOptions;
using testing_support::ChildProcess;
using testing_support::ErrorStream;

// The variables Qt looks the language up in, most wanted first.
struct Locale {
    const char* name;
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
};

const Locale kGerman{"German", "de", "", "", "de_DE.UTF-8"};
const Locale kAustrianByLang{"AustrianByLang", "", "", "", "de_AT.UTF-8"};
const Locale kSwissMessages{"SwissMessagesOverEnglish", "", "", "de_CH.UTF-8", "en_GB.UTF-8"};
const Locale kEnglish{"English", "", "", "", "en_US.UTF-8"};
const Locale kC{"C", "", "C", "", ""};
const Locale kFrench{"FrenchWithoutTranslation", "fr", "", "", "fr_FR.UTF-8"};
const Locale kEnglishBeforeGerman{"EnglishBeforeGerman", "en:de", "", "", "de_DE.UTF-8"};
// A language without a translation first: the next one of the desktop's list is taken.
const Locale kFrenchBeforeGerman{"FrenchBeforeGerman", "fr:de", "", "", "fr_FR.UTF-8"};

// "<screen>\t<text>" lines, as the program wrote them.
using Texts = std::vector<std::string>;

struct ProgramRun {
    Texts texts;
    QByteArray statistics;  // the statistics file before it was made unusable
    QByteArray settings;    // the settings file the program wrote at its end
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// One run of the program per locale, shared by every row that asks for it.
const ProgramRun& RunIn(const Locale& locale) {
    static std::map<std::string, ProgramRun> runs;
    const auto known = runs.find(locale.name);
    if (known != runs.end()) {
        return known->second;
    }
    ProgramRun& run = runs[locale.name];
    Texts& texts = run.texts;
    QTemporaryDir dir;
    EXPECT_TRUE(dir.isValid());
    ChildOptions options;
    options.program = DRUNO_SCRIPTED;
    options.environment = {"QT_QPA_PLATFORM=offscreen",
                           "DRUNO_SCRIPT=texts",
                           "DRUNO_TEST_FOLDER=" + dir.path().toStdString(),
                           std::string("LANGUAGE=") + locale.language,
                           std::string("LC_ALL=") + locale.all,
                           std::string("LC_MESSAGES=") + locale.messages,
                           std::string("LANG=") + locale.lang};
    options.errorStream = ErrorStream::Collected;
    ChildProcess druno;
    EXPECT_TRUE(druno.Start(options));
    EXPECT_TRUE(druno.WaitForOutput("end\t.\n"));
    const ChildEnd end = druno.Wait();
    EXPECT_TRUE(end.exited && end.exitCode == 0) << druno.ErrorOutput();
    std::istringstream lines(druno.Output());
    for (std::string line; std::getline(lines, line);) {
        texts.push_back(line);
    }
    run.statistics = Contents(dir.filePath(QStringLiteral("Druno.sta.kept")));
    run.settings = Contents(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")));
    return run;
}

const Texts& TextsIn(const Locale& locale) {
    return RunIn(locale).texts;
}

bool Shows(const Texts& texts, const std::string& line) {
    return std::find(texts.begin(), texts.end(), line) != texts.end();
}

struct ScreenCase {
    const Locale* locale;
    const char* screen;
    const char* text;
};

void PrintTo(const ScreenCase& c, std::ostream* out) {
    *out << c.locale->name << " " << c.screen << " \"" << c.text << '"';
}

class ScreenText : public testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenText, IsShown) {
    const ScreenCase& c = GetParam();
    const Texts& texts = TextsIn(*c.locale);
    EXPECT_TRUE(Shows(texts, std::string(c.screen) + '\t' + c.text))
        << testing::PrintToString(texts);
}

// Each row a text the player reads, on its screen, in German and in English.
INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenText,
    testing::Values(
        // The menus with their mnemonics and the names of their keys, and the bar's tips.
        ScreenCase{&kGerman, "menu", "&Neues Spiel\tStrg+N"},
        ScreenCase{&kEnglish, "menu", "&New Game\tCtrl+N"},
        ScreenCase{&kGerman, "menu", "Spiel &abbrechen"}, ScreenCase{&kGerman, "menu", "&Ebene"},
        ScreenCase{&kEnglish, "menu", "Le&vel"}, ScreenCase{&kGerman, "menu", "&Fünf Ziffern"},
        ScreenCase{&kEnglish, "menu", "Fi&ve digits"},
        // Each item with its command (hexadecimal ids of res/Resource.h).
        ScreenCase{&kGerman, "command", "8003\t&Neues Spiel"},
        ScreenCase{&kGerman, "command", "8004\tSpiel &abbrechen"},
        ScreenCase{&kGerman, "command", "8010\t&Drei Ziffern"},
        ScreenCase{&kGerman, "command", "8011\t&Vier Ziffern"},
        ScreenCase{&kGerman, "command", "8012\t&Fünf Ziffern"},
        ScreenCase{&kGerman, "command", "8006\t&Optionen..."},
        ScreenCase{&kGerman, "command", "8007\t&Statistik..."},
        ScreenCase{&kEnglish, "command", "8010\t&Three digits"},
        ScreenCase{&kEnglish, "command", "8011\t&Four digits"},
        ScreenCase{&kEnglish, "command", "8012\tFi&ve digits"},
        ScreenCase{&kGerman, "menu", "&Beenden\tStrg+Q"},
        ScreenCase{&kEnglish, "menu", "E&xit\tCtrl+Q"}, ScreenCase{&kGerman, "menu", "&Über Druno"},
        ScreenCase{&kEnglish, "menu", "&About Druno"}, ScreenCase{&kGerman, "tip", "Statistik"},
        ScreenCase{&kEnglish, "tip", "Statistics"}, ScreenCase{&kGerman, "tip", "Schließen"},
        // The history panel, and what a screen reader is told.
        ScreenCase{&kGerman, "history-name", "Versuche dieser Runde"},
        ScreenCase{&kEnglish, "history-name", "Guesses of this round"},
        ScreenCase{&kGerman, "history",
                   "Zum Beginnen Druno > Neues Spiel wählen oder Strg+N drücken."},
        ScreenCase{&kEnglish, "history", "To start, choose Druno > New Game or press Ctrl+N."},
        ScreenCase{&kGerman, "history", "10.  456   0 am Platz, 0 woanders"},
        ScreenCase{&kEnglish, "history", "10.  456   0 in place, 0 elsewhere"},
        ScreenCase{&kGerman, "history", "Keine Versuche mehr. Die Zahl war 123."},
        ScreenCase{&kGerman, "spoken", "456: 0 am Platz, 0 woanders"},
        ScreenCase{&kEnglish, "spoken", "456: 0 in place, 0 elsewhere"},
        ScreenCase{&kGerman, "spoken", "Runde aufgegeben. Die Zahl war 123."},
        ScreenCase{&kGerman, "spoken", "Beim ersten Versuch gefunden!"},
        // A round of four digits: marked in the menu, named on the game screen, told as it
        // begins; and the divider before the history with the width it tells.
        ScreenCase{&kGerman, "mark", "&Vier Ziffern"},
        ScreenCase{&kEnglish, "mark", "&Four digits"},
        ScreenCase{&kGerman, "screen", "Vier Ziffern"},
        ScreenCase{&kEnglish, "screen", "Four digits"},
        ScreenCase{&kGerman, "spoken", "Neue Runde: vier Ziffern, zehn Versuche."},
        ScreenCase{&kEnglish, "spoken", "New round: four digits, ten attempts."},
        ScreenCase{&kGerman, "divider", "Breite der Versuche"},
        ScreenCase{&kEnglish, "divider", "Width of the guesses"},
        ScreenCase{&kGerman, "divider", "230 Pixel"},
        ScreenCase{&kEnglish, "divider", "230 pixels"},
        // The coach: its menu items, its lines in the history and what a screen reader hears.
        ScreenCase{&kGerman, "menu", "&Trainer"}, ScreenCase{&kEnglish, "menu", "&Coach"},
        ScreenCase{&kGerman, "menu", "&Hinweis\tStrg+H"},
        ScreenCase{&kEnglish, "menu", "H&int\tCtrl+H"},
        ScreenCase{&kGerman, "history", "210 Zahlen passen noch"},
        ScreenCase{&kEnglish, "history", "210 numbers still fit"},
        ScreenCase{&kGerman, "history", "1 Zahl passt noch"},
        ScreenCase{&kGerman, "history",
                   "145 kann nicht die geheime Zahl sein: Versuch 1 (456) bekam 0 am Platz, "
                   "0 woanders, gegen 145 bekäme er aber 0 am Platz, 2 woanders."},
        ScreenCase{&kEnglish, "history",
                   "145 cannot be the secret: guess 1 (456) got 0 in place, 0 elsewhere, "
                   "but against 145 it would get 0 in place, 2 elsewhere."},
        ScreenCase{&kGerman, "history",
                   "112 kann nicht die geheime Zahl sein: Die geheime Zahl hat keine Ziffer "
                   "doppelt."},
        ScreenCase{&kGerman, "history",
                   "456 kann nicht die geheime Zahl sein: Das war schon Versuch 1."},
        ScreenCase{&kGerman, "history", "Hinweis: 123 passt zu allen bisherigen Antworten."},
        ScreenCase{&kGerman, "history", "In dieser Runde wurde ein Hinweis genommen."},
        ScreenCase{&kGerman, "spoken", "456: 0 am Platz, 0 woanders. 210 Zahlen passen noch."},
        ScreenCase{&kEnglish, "spoken", "456: 0 in place, 0 elsewhere. 210 numbers still fit."},
        ScreenCase{&kGerman, "spoken",
                   "456: 0 am Platz, 0 woanders. 456 kann nicht die geheime Zahl sein: Das war "
                   "schon Versuch 1. 5 Zahlen passen noch."},
        ScreenCase{&kGerman, "spoken", "Hinweis: 123 passt zu allen bisherigen Antworten."},
        ScreenCase{&kGerman, "spoken",
                   "Runde aufgegeben. Die Zahl war 123. In dieser Runde wurde ein Hinweis "
                   "genommen."},
        // One box of each kind: the abort question, the end of a round, the close warning,
        // the statistics file that cannot be opened; and a box of Qt's own buttons.
        ScreenCase{&kGerman, "box", "36 Spiel wirklich abbrechen?"},
        ScreenCase{&kEnglish, "box", "36 Really abort the game?"},
        ScreenCase{&kGerman, "box", "0 GEWONNEN!"}, ScreenCase{&kEnglish, "box", "0 WON!"},
        ScreenCase{&kGerman, "box", "0 Spiel vorbei!\\nLösung: 123"},
        ScreenCase{&kEnglish, "box", "0 Game Over!\\nSolution: 123"},
        ScreenCase{&kGerman, "box",
                   "64 Wenn das Programm jetzt beendet wird, ist das Spiel verloren!"},
        ScreenCase{&kEnglish, "box", "64 If the application is being closed you lose the game!"},
        ScreenCase{&kGerman, "box", "16 Fehler beim Öffnen der Statistik-Datei"},
        ScreenCase{&kEnglish, "box", "16 Error in opening statistics file."},
        ScreenCase{&kGerman, "qtbox", "&Ja"}, ScreenCase{&kGerman, "qtbox", "&Nein"},
        ScreenCase{&kEnglish, "qtbox", "&Yes"},
        // The statistics dialog in the statistics' own German, and its level names.
        ScreenCase{&kGerman, "statistics", "Statistik"},
        ScreenCase{&kGerman, "statistics", "Zurücksetzen"},
        ScreenCase{&kGerman, "statistics", "Spiele gewonnen (%):"},
        ScreenCase{&kGerman, "statistics", "Gewonnen:"},
        ScreenCase{&kGerman, "statistics", "Gespielt:"},
        ScreenCase{&kGerman, "statistics", "Verloren:"},
        ScreenCase{&kGerman, "statistics", "Ebene:"}, ScreenCase{&kGerman, "statistics", "Alle"},
        ScreenCase{&kGerman, "statistics", "Vier Ziffern"},
        ScreenCase{&kEnglish, "statistics", "Statistics"},
        ScreenCase{&kEnglish, "statistics", "Reset Statistics"},
        ScreenCase{&kEnglish, "statistics", "% Games Won:"},
        ScreenCase{&kEnglish, "statistics", "All"},
        ScreenCase{&kEnglish, "statistics", "Four digits"},
        ScreenCase{&kGerman, "statistics", "Punkte:"},
        ScreenCase{&kGerman, "statistics",
                   "Ein Sieg zählt 1 Punkt bei drei Ziffern, 2 bei vier, 3 bei fünf."},
        ScreenCase{&kEnglish, "statistics", "Score:"},
        ScreenCase{&kEnglish, "statistics",
                   "A win scores 1 point at three digits, 2 at four, 3 at five."},
        // The settings dialogs, About, and a text field's menu of Qt's own.
        ScreenCase{&kGerman, "options", "Optionen"}, ScreenCase{&kGerman, "options", "&Ton"},
        ScreenCase{&kGerman, "options", "Schrift:"},
        ScreenCase{&kEnglish, "options", "Font sizes:"},
        ScreenCase{&kGerman, "lookandfeel", "Look & Feel"},
        ScreenCase{&kGerman, "lookandfeel", "Keine &Vollbild-Dialoge"},
        ScreenCase{&kGerman, "lookandfeel", "A&bbruch-Taste zeigen"},
        ScreenCase{&kGerman, "lookandfeel", "&Abbruch"},
        ScreenCase{&kEnglish, "lookandfeel", "&No full screen dialogs"},
        ScreenCase{&kEnglish, "lookandfeel", "Cancel"}, ScreenCase{&kGerman, "about", "Über Druno"},
        ScreenCase{&kEnglish, "about", "About Druno"},
        ScreenCase{&kGerman, "help", "So spielt man Druno"},
        ScreenCase{&kEnglish, "help", "How to play Druno"},
        ScreenCase{&kGerman, "qt", "&Rückgängig\tStrg+Z"},
        ScreenCase{&kEnglish, "qt", "&Undo\tCtrl+Z"}));

// The history's first look explains the level the player stored, which is read only after
// the panel has been made.
struct StoredLevelCase {
    const Locale* locale;
    int level;
    const char* explained;
};

void PrintTo(const StoredLevelCase& c, std::ostream* out) {
    *out << c.locale->name << " level " << c.level;
}

class StoredLevel : public testing::TestWithParam<StoredLevelCase> {};

TEST_P(StoredLevel, IsTheOneTheHistoryExplainsAtStart) {
    const StoredLevelCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("config/Brantel")));
    QFile settings(dir.filePath(QStringLiteral("config/Brantel/Druno.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QStringLiteral("[Game]\nLevel=%1\n").arg(c.level).toUtf8());
    settings.close();
    ChildOptions options;
    options.program = DRUNO_SCRIPTED;
    options.environment = {"QT_QPA_PLATFORM=offscreen", "DRUNO_SCRIPT=history",
                           "DRUNO_TEST_FOLDER=" + dir.path().toStdString(),
                           std::string("LANGUAGE=") + c.locale->language,
                           std::string("LANG=") + c.locale->lang};
    options.errorStream = ErrorStream::Collected;
    ChildProcess druno;
    ASSERT_TRUE(druno.Start(options));
    EXPECT_TRUE(druno.WaitForOutput(c.explained)) << druno.Output();
    const ChildEnd end = druno.Wait();
    EXPECT_TRUE(end.exited && end.exitCode == 0) << druno.ErrorOutput();
}

INSTANTIATE_TEST_SUITE_P(
    Levels, StoredLevel,
    testing::Values(StoredLevelCase{&kEnglish, 3, "of five different digits"},
                    StoredLevelCase{&kGerman, 3, "aus fünf verschiedenen Ziffern"},
                    StoredLevelCase{&kEnglish, 2, "of four different digits"}));

// Every way a desktop says German gives the same screens; every locale without a translation
// gives the program's English, exactly as an English desktop does.
TEST(Languages, EachLocaleShowsTheScreensOfItsLanguage) {
    const Texts& german = TextsIn(kGerman);
    const Texts& english = TextsIn(kEnglish);
    ASSERT_FALSE(german.empty());
    ASSERT_FALSE(english.empty());
    for (const Locale* locale : {&kAustrianByLang, &kSwissMessages, &kFrenchBeforeGerman}) {
        EXPECT_EQ(TextsIn(*locale), german) << locale->name;
    }
    for (const Locale* locale : {&kC, &kFrench, &kEnglishBeforeGerman}) {
        EXPECT_EQ(TextsIn(*locale), english) << locale->name;
    }
}

// The rounds of the runs were the same, and so are the files they left, byte for byte, in
// every language.
TEST(Languages, TheFilesAreTheSameInEveryLanguage) {
    const ProgramRun& english = RunIn(kEnglish);
    ASSERT_EQ(english.statistics.size(), 36 * 4) << "a record per level and the overall one";
    ASSERT_TRUE(english.settings.contains("[Init]"));
    for (const Locale* locale : {&kGerman, &kC, &kFrench}) {
        EXPECT_EQ(RunIn(*locale).statistics, english.statistics) << locale->name;
        EXPECT_EQ(RunIn(*locale).settings, english.settings) << locale->name;
    }
}

// Nothing the German player reads is left in English, but for the names and numbers that
// read the same in both.
TEST(Languages, NoEnglishIsLeftOnTheGermanScreens) {
    const std::set<std::string> same = {
        "menu\t&Druno",
        "menu\t&Look and Feel...",
        "command\t800a\t&Look and Feel...",
        "qtbox\tDruno",
        "lookandfeel\tLook & Feel",
        "about\tDruno Version 1.2 ",
        "statistics\tOK",
        "options\tOK",
        "lookandfeel\tOK",
        "about\tOK",
        "menu\t&Verlauf\tF9",
        "menu\t&Inhalt\tF1",
        "end\t.",
    };
    const Texts& english = TextsIn(kEnglish);
    for (const std::string& line : TextsIn(kGerman)) {
        const bool number =
            line.find_first_not_of("0123456789", line.find('\t') + 1) == std::string::npos;
        if (!number && same.count(line) == 0) {
            EXPECT_FALSE(Shows(english, line)) << line;
        }
    }
}

}  // namespace

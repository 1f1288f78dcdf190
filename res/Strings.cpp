// The string table. The statistics module carries its texts in English and German and
// chooses between them itself; every text marked QT_TRANSLATE_NOOP("StringTable", ...) is
// shown in the desktop's language (translations/).

#include "platform/services/Strings.h"

#include "res/Resource.h"

namespace res {

namespace {

// A text of the table that is translated.
QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

platform::StringTable StringTable() {
    return {
        {IDS_STAT_CAPTION_DE, QStringLiteral("Statistik")},
        {IDS_STAT_RESET_DE, QStringLiteral("Zurücksetzen")},
        {IDS_STAT_PERCENT_DE, QStringLiteral("Spiele gewonnen (%):")},
        {IDS_STAT_WON_DE, QStringLiteral("Gewonnen:")},
        {IDS_STAT_PLAYED_DE, QStringLiteral("Gespielt:")},
        {IDS_STAT_LOST_DE, QStringLiteral("Verloren:")},
        {IDS_STAT_REALLY_DELETE_DE, QStringLiteral("Statistik wirklich löschen?")},
        {IDS_STAT_REALLY_DELETE, Tr(QT_TRANSLATE_NOOP("StringTable", "Really delete statistics?"))},
        {IDS_STAT_LEVEL_DE, QStringLiteral("Ebene:")},
        {IDS_STAT_ALL, Tr(QT_TRANSLATE_NOOP("StringTable", "All"))},
        {IDS_STAT_ALL_DE, QStringLiteral("Alle")},
        {IDS_STAT_OPEN_ERROR,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Error in opening statistics file."))},
        {IDS_STAT_OPEN_ERROR_DE, QStringLiteral("Fehler beim Öffnen der Statistik-Datei")},
        {IDS_STAT_DAMAGED,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "The statistics file was damaged: some of its counts could not be "
                              "read. A copy of the file is kept as %1, and the damaged counts "
                              "start again from zero."))},
        {IDS_STAT_DAMAGED_DE,
         QStringLiteral("Die Statistik-Datei war beschädigt: Einige Zähler konnten nicht gelesen "
                        "werden. Eine Kopie der Datei liegt unter %1, und die beschädigten Zähler "
                        "beginnen wieder bei null.")},
        {IDR_MAINFRAME, QStringLiteral("Druno\n\nMyDruno\n\n\nMyDruno.Document\nMyDruno Document")},
        {IDS_REALLY_ABORT, Tr(QT_TRANSLATE_NOOP("StringTable", "Really abort the game?"))},
        {IDS_WON, Tr(QT_TRANSLATE_NOOP("StringTable", "WON!"))},
        {IDS_GAME_OVER, Tr(QT_TRANSLATE_NOOP("StringTable", "Game Over!\nSolution: %1"))},
        {IDS_CLOSE_LOSES,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "If the application is being closed you lose the game!"))},
        {IDS_SETTINGS_NOT_SAVED,
         Tr(QT_TRANSLATE_NOOP("StringTable", "The settings could not be saved in %1."))},
        {IDS_SETTINGS_NO_HOME,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "The settings could not be saved: there is no home folder."))},
        {IDS_NAME_FONT_SIZE_STATUS,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Font size of the line at the top"))},
        {IDS_NAME_FONT_SIZE, Tr(QT_TRANSLATE_NOOP("StringTable", "Font size of the two numbers"))},
        {IDS_LEVEL_NAMES,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Three digits|Four digits|Five digits"))},
        {IDS_LEVEL_DIGITS, Tr(QT_TRANSLATE_NOOP("StringTable", "three|four|five"))},
        {IDS_HISTORY_NAME, Tr(QT_TRANSLATE_NOOP("StringTable", "Guesses of this round"))},
        {IDS_HISTORY_START,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "To start, choose Druno > New Game or press Ctrl+N."))},
        {IDS_HISTORY_RULES,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "Find the secret number of %1 different digits in ten tries. "
                              "Tap or type a guess of %1 digits: you see how many of them are "
                              "in the right place and how many are right but elsewhere."))},
        {IDS_HISTORY_LINE,
         Tr(QT_TRANSLATE_NOOP("StringTable", "%1.  %2   %3 in place, %4 elsewhere"))},
        {IDS_HISTORY_SPOKEN, Tr(QT_TRANSLATE_NOOP("StringTable", "%1: %2 in place, %3 elsewhere"))},
        {IDS_HISTORY_EMPTY,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Your guesses will be listed here."))},
        {IDS_HISTORY_FOUND_FIRST,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Found at the first attempt!"))},
        {IDS_HISTORY_FOUND, Tr(QT_TRANSLATE_NOOP("StringTable", "Found in %1 attempts."))},
        {IDS_HISTORY_LOST,
         Tr(QT_TRANSLATE_NOOP("StringTable", "No attempts left. The number was %1."))},
        {IDS_HISTORY_GIVEN_UP,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Round given up. The number was %1."))},
        {IDS_STRIP_DELETE, Tr(QT_TRANSLATE_NOOP("StringTable", "Delete"))},
        {IDS_HISTORY_DIVIDER, Tr(QT_TRANSLATE_NOOP("StringTable", "Width of the guesses"))},
        {IDS_HISTORY_DIVIDER_BELOW, Tr(QT_TRANSLATE_NOOP("StringTable", "Height of the guesses"))},
        {IDS_NEW_ROUND,
         Tr(QT_TRANSLATE_NOOP("StringTable", "New round: %1 digits, ten attempts."))},
        {IDS_STAT_SCORE_DE, QStringLiteral("Punkte:")},
        {IDS_STAT_SCORE_NOTE_DE,
         QStringLiteral("Ein Sieg zählt 1 Punkt bei drei Ziffern, 2 bei vier, 3 bei fünf.")},
        {IDS_COACH_FIT, Tr(QT_TRANSLATE_NOOP("StringTable", "%1 numbers still fit"))},
        {IDS_COACH_FIT_ONE, Tr(QT_TRANSLATE_NOOP("StringTable", "1 number still fits"))},
        {IDS_COACH_REPEATED_DIGIT,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "%1 cannot be the secret: the secret has no digit twice."))},
        {IDS_COACH_GUESSED_BEFORE,
         Tr(QT_TRANSLATE_NOOP("StringTable", "%1 cannot be the secret: it was guess %2 already."))},
        {IDS_COACH_EARLIER_ANSWER,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "%1 cannot be the secret: guess %2 (%3) got %4 in place, %5 "
                              "elsewhere, but against %1 it would get %6 in place, %7 "
                              "elsewhere."))},
        {IDS_COACH_HINT,
         Tr(QT_TRANSLATE_NOOP("StringTable", "Hint: %1 fits every answer so far."))},
        {IDS_COACH_HINTED, Tr(QT_TRANSLATE_NOOP("StringTable", "A hint was taken in this round."))},
        {IDS_JOURNAL_DAMAGED,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "The journal of your rounds was damaged. It is kept as %1, and "
                              "a new journal has been started."))},
        {IDS_JOURNAL_CANNOT_WRITE,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "Your rounds cannot be written to their journal %1 just now "
                              "(is the disk full?). They are kept and written as soon as it "
                              "takes them again, while the game runs."))},
        {IDS_JOURNAL_NEWER,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "The journal of your rounds, %1, comes from a newer version of "
                              "Druno. It is left as it is, and this game records no rounds."))},
        {IDS_JOURNAL_UNUSABLE,
         Tr(QT_TRANSLATE_NOOP("StringTable",
                              "The journal of your rounds, %1, cannot be used: it must be a "
                              "file of your own that you can write. The game and its "
                              "statistics go on as ever, but no rounds are recorded."))},
    };
}

}  // namespace res

// The string table, English and German.

#include "platform/services/Strings.h"

#include "res/Resource.h"

namespace res {

platform::StringTable StringTable() {
    return {
        {IDS_STAT_CAPTION_DE, QStringLiteral("Statistik")},
        {IDS_STAT_RESET_DE, QStringLiteral("Zurücksetzen")},
        {IDS_STAT_PERCENT_DE, QStringLiteral("Spiele gewonnen (%):")},
        {IDS_STAT_WON_DE, QStringLiteral("Gewonnen:")},
        {IDS_STAT_PLAYED_DE, QStringLiteral("Gespielt:")},
        {IDS_STAT_LOST_DE, QStringLiteral("Verloren:")},
        {IDS_STAT_REALLY_DELETE_DE, QStringLiteral("Statistik wirklich löschen?")},
        {IDS_STAT_REALLY_DELETE, QStringLiteral("Really delete statistics?")},
        {IDS_STAT_LEVEL_DE, QStringLiteral("Ebene:")},
        {IDS_STAT_ALL, QStringLiteral("All")},
        {IDS_STAT_ALL_DE, QStringLiteral("Alle")},
        {IDS_STAT_OPEN_ERROR, QStringLiteral("Error in opening statistics file.")},
        {IDS_STAT_OPEN_ERROR_DE, QStringLiteral("Fehler beim Öffnen der Statistik-Datei")},
        {IDR_MAINFRAME, QStringLiteral("Druno\n\nMyDruno\n\n\nMyDruno.Document\nMyDruno Document")},
        {IDS_REALLY_ABORT, QStringLiteral("Really abort the game?")},
        {IDS_WON, QStringLiteral("WON!")},
        {IDS_GAME_OVER, QStringLiteral("Game Over!\nSolution: %1")},
        {IDS_CLOSE_LOSES, QStringLiteral("If the application is being closed you lose the game!")},
        {IDS_SETTINGS_NOT_SAVED, QStringLiteral("The settings could not be saved in %1.")},
        {IDS_SETTINGS_NO_HOME,
         QStringLiteral("The settings could not be saved: there is no home folder.")},
        {IDS_NAME_FONT_SIZE_STATUS, QStringLiteral("Font size of the line at the top")},
        {IDS_NAME_FONT_SIZE, QStringLiteral("Font size of the two numbers")},
        {IDS_LEVEL_NAMES, QStringLiteral("Three digits|Four digits|Five digits")},
        {IDS_LEVEL_DIGITS, QStringLiteral("three|four|five")},
        {IDS_LEVEL_MENU, QStringLiteral("Le&vel")},
        {IDS_LEVEL_3_MENU, QStringLiteral("&Three digits")},
        {IDS_LEVEL_4_MENU, QStringLiteral("&Four digits")},
        {IDS_LEVEL_5_MENU, QStringLiteral("Fi&ve digits")},
    };
}

}  // namespace res

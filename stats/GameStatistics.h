#pragma once

// The statistics service: counts won and lost games in the statistics file, shows the
// statistics dialog and keeps the level information for the whole run.

#include <QString>

// Number of levels; 1 or less means a single overall record. -1 while a reset runs.
extern int s_nMaxLevels;
// The record that is read, counted into and shown (0 is the overall record).
extern int s_nCurrLevel;
// Language of the dialog and of the file messages: 0 English, 1 German.
extern int s_nLanguage;
// Level names separated by "|"; empty when the levels go by their numbers.
extern QString s_strCustomLevels;

// Count a won or a lost game in record s_nCurrLevel. Always 0.
int GameStatisticsAddWon(const QString& lpStatFile);
int GameStatisticsAddLost(const QString& lpStatFile);
// Shows the statistics dialog modally in language nLanguage (0 English, 1 German); the
// dialog's result.
int GameStatisticsShow(const QString& lpStatFile, int nLanguage);
// Sets s_nMaxLevels and s_nCurrLevel as given. Always 0.
int GameStatisticsSetLevelInfo(int nMaxLevels, int nCurrLevel);
// Sets the level names ("first|second|..."). Always 0.
int GameStatisticsSetCustomLevels(const QString& strCustomLevels);
// Switches the per-level records on: nMaxLevels levels, counting into level nCurrLevel. A
// file that has fewer records than that gets the missing ones first, under the statistics
// lock: the counts of a file that holds only the overall record (whatever stray bytes follow
// it) become level 1's, so the overall record keeps its numbers, and every other missing level
// starts at zero; a damaged overall record is kept aside first. Then sets
// the level information. 0, or -1 when the file could not be completed (the user is told).
int GameStatisticsUseLevels(const QString& lpStatFile, int nMaxLevels, int nCurrLevel);
// True when the statistics file holds more than the overall record: at least one whole level
// record. Judge it under the statistics lock when a count depends on it.
bool GameStatisticsFileHasLevels(const QString& lpStatFile);
// Keeps a copy of a damaged statistics file beside it ("Druno.sta.damaged", else
// "Druno.sta.damaged-2", ...; an existing file is never replaced) before anything of it is
// written over, and tells the player where, once the file is free. False when no copy could be
// made: the damaged bytes must then stay as they are, and the player is told the file cannot
// be opened.
bool GameStatisticsKeepDamaged(const QString& lpStatFile);

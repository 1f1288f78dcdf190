#pragma once

// Resource numbers of Druno: commands, dialogs, controls, strings, bitmaps and the icon.

#include "platform/core/Messages.h"

// The main frame's resource: menu 128, icon 128 and document string 128.
inline constexpr unsigned IDR_MAINFRAME = 128;

// Commands.
inline constexpr unsigned ID_NEW_GAME = 0x8003;
inline constexpr unsigned ID_ABORT_GAME = 0x8004;
inline constexpr unsigned ID_OPTIONS = 0x8006;
inline constexpr unsigned ID_STATISTIC = 0x8007;
inline constexpr unsigned ID_LOOK_AND_FEEL = 0x800A;
inline constexpr unsigned ID_TRACE_VIEWER_LINE = 0x800B;  // the trace viewer's "next line"
inline constexpr unsigned ID_HISTORY = 0x800C;            // shows or hides the history panel
inline constexpr unsigned ID_LEVEL_3 = 0x8010;            // the level of three digits
inline constexpr unsigned ID_LEVEL_4 = 0x8011;            // four digits
inline constexpr unsigned ID_LEVEL_5 = 0x8012;            // five digits
inline constexpr unsigned ID_COACH = 0x8040;              // turns the coach on or off
inline constexpr unsigned ID_HINT = 0x8041;               // the coach's hint
inline constexpr unsigned ID_PROGRESS = 0x8030;           // the Progress window
// The framework's own commands, under the names the menu and the command tables use.
inline constexpr unsigned ID_FILE_NEW = platform::kIdFileNew;
inline constexpr unsigned ID_FILE_OPEN = platform::kIdFileOpen;
inline constexpr unsigned ID_APP_ABOUT = platform::kIdAppAbout;
inline constexpr unsigned ID_APP_EXIT = platform::kIdAppExit;
inline constexpr unsigned ID_HELP = platform::kIdHelp;

// Dialog templates.
inline constexpr unsigned IDD_LOOKANDFEEL = 99;
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDD_STATISTICS = 129;
inline constexpr unsigned IDD_OPTIONS = 131;

// Controls shared by the settings dialogs.
inline constexpr int IDCANCEL_BUTTON = 2;

// Statistics dialog (129).
inline constexpr int IDC_RESET_STATISTICS = 1000;
inline constexpr int IDC_GAMES_PLAYED = 1001;
inline constexpr int IDC_GAMES_WON = 1002;
inline constexpr int IDC_GAMES_LOST = 1003;
inline constexpr int IDC_GAMES_WON_PERCENT = 1004;
inline constexpr int IDC_LABEL_PLAYED = 1006;
inline constexpr int IDC_LABEL_WON = 1007;
inline constexpr int IDC_LABEL_LOST = 1008;
inline constexpr int IDC_LABEL_PERCENT = 1009;
inline constexpr int IDC_LEVEL = 1010;
inline constexpr int IDC_LABEL_LEVEL = 1011;
// Shown only once the levels have records of their own: the score and what it counts.
inline constexpr int IDC_LABEL_SCORE = 1012;
inline constexpr int IDC_SCORE = 1013;
inline constexpr int IDC_SCORE_NOTE = 1014;

// Options dialog (131).
inline constexpr int IDC_SOUND = 1000;
inline constexpr int IDC_FONT_SIZE = 1001;
inline constexpr int IDC_SPIN_FONT_SIZE = 1004;
inline constexpr int IDC_FONT_SIZE_STATUS = 1005;
inline constexpr int IDC_SPIN_FONT_SIZE_STATUS = 1006;

// Look & Feel dialog (99).
inline constexpr int IDC_NO_FULL_SCREEN_DLG = 1007;
inline constexpr int IDC_SHOW_CANCEL_BTN = 1008;

// Bitmaps and icon.
inline constexpr unsigned IDB_TOOLBAR = 128;  // 64 x 16: New Game, Options, Statistics, About
inline constexpr unsigned IDB_NUMBERS = 130;  // 220 x 25: digits 0 to 9 and delete
inline constexpr unsigned IDI_MAINFRAME = 128;

// Languages of the texts that come in English and German.
inline constexpr int kLanguageEnglish = 0;
inline constexpr int kLanguageGerman = 1;

// Strings of the statistics module.
inline constexpr unsigned IDS_STAT_CAPTION_DE = 1;
inline constexpr unsigned IDS_STAT_RESET_DE = 2;
inline constexpr unsigned IDS_STAT_PERCENT_DE = 3;
inline constexpr unsigned IDS_STAT_WON_DE = 4;
inline constexpr unsigned IDS_STAT_PLAYED_DE = 5;
inline constexpr unsigned IDS_STAT_LOST_DE = 6;
inline constexpr unsigned IDS_STAT_REALLY_DELETE_DE = 7;
inline constexpr unsigned IDS_STAT_REALLY_DELETE = 8;
inline constexpr unsigned IDS_STAT_LEVEL_DE = 9;
inline constexpr unsigned IDS_STAT_ALL = 10;
inline constexpr unsigned IDS_STAT_ALL_DE = 11;
inline constexpr unsigned IDS_STAT_OPEN_ERROR = 12;
inline constexpr unsigned IDS_STAT_OPEN_ERROR_DE = 13;
inline constexpr unsigned IDS_STAT_DAMAGED = 14;  // a damaged file was kept aside as %1
inline constexpr unsigned IDS_STAT_DAMAGED_DE = 15;

// Strings of the game.
inline constexpr unsigned IDS_REALLY_ABORT = 0xEF14;
inline constexpr unsigned IDS_WON = 0xEF15;
inline constexpr unsigned IDS_GAME_OVER = 0xEF16;
inline constexpr unsigned IDS_CLOSE_LOSES = 0xEF18;
inline constexpr unsigned IDS_SETTINGS_NOT_SAVED = 0xEF30;
inline constexpr unsigned IDS_SETTINGS_NO_HOME = 0xEF31;
// What assistive technology calls the two font size fields of Options.
inline constexpr unsigned IDS_NAME_FONT_SIZE_STATUS = 0xEF40;
inline constexpr unsigned IDS_NAME_FONT_SIZE = 0xEF41;
// The level names, "|" between them, as the statistics dialog lists them after "All".
inline constexpr unsigned IDS_LEVEL_NAMES = 0xEF50;
// The number of digits of each level in words, "|" between them.
inline constexpr unsigned IDS_LEVEL_DIGITS = 0xEF55;
// The history panel: the list's name, its first look, one line per guess, what a screen reader
// is told of a guess, and the round's end.
inline constexpr unsigned IDS_HISTORY_NAME = 0xEF60;
inline constexpr unsigned IDS_HISTORY_START = 0xEF61;
inline constexpr unsigned IDS_HISTORY_RULES = 0xEF62;
inline constexpr unsigned IDS_HISTORY_LINE = 0xEF63;
inline constexpr unsigned IDS_HISTORY_SPOKEN = 0xEF64;
inline constexpr unsigned IDS_HISTORY_EMPTY = 0xEF65;
inline constexpr unsigned IDS_HISTORY_FOUND_FIRST = 0xEF66;
inline constexpr unsigned IDS_HISTORY_FOUND = 0xEF67;
inline constexpr unsigned IDS_HISTORY_LOST = 0xEF68;
inline constexpr unsigned IDS_HISTORY_GIVEN_UP = 0xEF69;
// What assistive technology calls the delete cell of the strip.
inline constexpr unsigned IDS_STRIP_DELETE = 0xEF70;
// What assistive technology calls the divider before the history: beside the game screen, and
// below it in a tall, narrow window.
inline constexpr unsigned IDS_HISTORY_DIVIDER = 0xEF80;
inline constexpr unsigned IDS_HISTORY_DIVIDER_BELOW = 0xEFC0;
// What a screen reader is told when a round of four or five digits begins.
inline constexpr unsigned IDS_NEW_ROUND = 0xEF81;
// The statistics dialog's score, in German (its English is the template's).
inline constexpr unsigned IDS_STAT_SCORE_DE = 0xEF82;
inline constexpr unsigned IDS_STAT_SCORE_NOTE_DE = 0xEF83;
// The coach's lines in the history panel: how many numbers still fit, why a guess cannot be
// the secret, a hint, and the mark of a round in which a hint was taken.
inline constexpr unsigned IDS_COACH_FIT = 0xEFB0;
inline constexpr unsigned IDS_COACH_FIT_ONE = 0xEFB1;
inline constexpr unsigned IDS_COACH_REPEATED_DIGIT = 0xEFB2;
inline constexpr unsigned IDS_COACH_GUESSED_BEFORE = 0xEFB3;
inline constexpr unsigned IDS_COACH_EARLIER_ANSWER = 0xEFB4;
inline constexpr unsigned IDS_COACH_HINT = 0xEFB5;
inline constexpr unsigned IDS_COACH_HINTED = 0xEFB6;
// What the player is told, once, of a journal of rounds that cannot be kept as it should.
inline constexpr unsigned IDS_JOURNAL_DAMAGED = 0xEF90;
inline constexpr unsigned IDS_JOURNAL_CANNOT_WRITE = 0xEF91;
inline constexpr unsigned IDS_JOURNAL_NEWER = 0xEF92;
inline constexpr unsigned IDS_JOURNAL_UNUSABLE = 0xEF93;

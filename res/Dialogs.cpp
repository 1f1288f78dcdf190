// The four dialog templates: Look & Feel (99), About (100), Statistics (129) and Options (131).
// Positions and sizes are dialog units; styles are the handheld's bits. The texts marked
// QT_TRANSLATE_NOOP("Dialog", ...) are shown in the desktop's language; Look & Feel and
// Statistics carry their German texts in their own code and keep the template's English.

#include "platform/core/Messages.h"
#include "platform/core/Resources.h"
#include "res/Resource.h"

namespace res {

namespace {

// Pop-up window, caption, system menu, modal frame, template font.
constexpr unsigned kDialogStyle = 0x80C800C0;

constexpr unsigned kPushButton = 0x50010000;    // visible child, tab stop
constexpr unsigned kAutoCheckBox = 0x50010003;  // visible child, tab stop, automatic check box
constexpr unsigned kDisabledAutoCheckBox = 0x58010003;
constexpr unsigned kLeftText = 0x50020000;  // visible child, group
constexpr unsigned kRightText = 0x50020002;
constexpr unsigned kLeftTextNoPrefix = 0x50020080;
constexpr unsigned kIcon = 0x50000003;          // visible child, icon
constexpr unsigned kDropDownList = 0x50210003;  // tab stop, vertical scroll bar, drop-down list
constexpr unsigned kEdit = 0x50810080;          // border, tab stop, automatic horizontal scroll
constexpr unsigned kUpDown = 0x50000036;  // set buddy int, align right, auto buddy, arrow keys

constexpr int kNoId = -1;

// A text of a template that is translated.
QString Tr(const char* text) {
    return QString::fromUtf8(text);
}

platform::DialogItemTemplate Item(const char* windowClass, const QString& text, int id, int x,
                                  int y, int cx, int cy, unsigned style) {
    return {QString::fromLatin1(windowClass), text, id, x, y, cx, cy, style, 0};
}

platform::DialogTemplate LookAndFeel() {
    return {
        QStringLiteral("Look & Feel"),
        QStringLiteral("System"),
        8,
        0,
        0,
        111,
        35,
        kDialogStyle,
        platform::kWsExCaptionOk,
        {
            Item("BUTTON", QStringLiteral("&No full screen dialogs"), IDC_NO_FULL_SCREEN_DLG, 6, 5,
                 100, 10, kDisabledAutoCheckBox),
            Item("BUTTON", QStringLiteral("&Show cancel button"), IDC_SHOW_CANCEL_BTN, 6, 20, 100,
                 10, kDisabledAutoCheckBox),
            Item("BUTTON", QStringLiteral("Cancel"), IDCANCEL_BUTTON, 30, 250, 50, 14, kPushButton),
        }};
}

platform::DialogTemplate About() {
    return {Tr(QT_TRANSLATE_NOOP("Dialog", "About Druno")),
            QStringLiteral("Tahoma"),
            8,
            0,
            0,
            148,
            76,
            kDialogStyle,
            0,
            {
                Item("STATIC", QStringLiteral("128"), kNoId, 5, 21, 20, 20, kIcon),
                Item("STATIC", QStringLiteral("Druno Version 1.2 "), kNoId, 5, 5, 142, 8,
                     kLeftTextNoPrefix),
            }};
}

platform::DialogTemplate Statistics() {
    const QString unknown = QStringLiteral("????");
    return {
        QStringLiteral("Statistics"),
        QStringLiteral("System"),
        8,
        0,
        0,
        120,
        95,
        kDialogStyle,
        0,
        {
            Item("BUTTON", QStringLiteral("Reset Statistics"), IDC_RESET_STATISTICS, 21, 74, 77, 14,
                 kPushButton),
            Item("STATIC", QStringLiteral("Games Played:"), IDC_LABEL_PLAYED, 7, 7, 53, 8,
                 kLeftText),
            Item("STATIC", unknown, IDC_GAMES_PLAYED, 72, 7, 41, 8, kRightText),
            Item("STATIC", QStringLiteral("Games Won:"), IDC_LABEL_WON, 7, 17, 53, 8, kLeftText),
            Item("STATIC", unknown, IDC_GAMES_WON, 72, 17, 41, 8, kRightText),
            Item("STATIC", QStringLiteral("Games Lost:"), IDC_LABEL_LOST, 7, 27, 53, 8, kLeftText),
            Item("STATIC", unknown, IDC_GAMES_LOST, 72, 27, 41, 8, kRightText),
            Item("STATIC", QStringLiteral("% Games Won:"), IDC_LABEL_PERCENT, 7, 45, 80, 8,
                 kLeftText),
            Item("STATIC", unknown, IDC_GAMES_WON_PERCENT, 92, 45, 21, 8, kRightText),
            Item("COMBOBOX", QString(), IDC_LEVEL, 61, 56, 52, 59, kDropDownList),
            Item("STATIC", QStringLiteral("Level:"), IDC_LABEL_LEVEL, 7, 58, 44, 8, kLeftText),
            // Parked below the dialog until the levels have records of their own.
            Item("STATIC", QStringLiteral("Score:"), IDC_LABEL_SCORE, 7, 100, 53, 8, kLeftText),
            Item("STATIC", unknown, IDC_SCORE, 72, 100, 41, 8, kRightText),
            Item("STATIC",
                 QStringLiteral("A win scores 1 point at three digits, 2 at four, 3 at five."),
                 IDC_SCORE_NOTE, 7, 110, 106, 24, kLeftText),
        }};
}

platform::DialogTemplate Options() {
    return {Tr(QT_TRANSLATE_NOOP("Dialog", "Options")),
            QStringLiteral("System"),
            8,
            0,
            0,
            119,
            41,
            kDialogStyle,
            platform::kWsExCaptionOk,
            {
                Item("BUTTON", Tr(QT_TRANSLATE_NOOP("Dialog", "&Sound")), IDC_SOUND, 6, 7, 46, 10,
                     kAutoCheckBox),
                Item("STATIC", Tr(QT_TRANSLATE_NOOP("Dialog", "Font sizes:")), kNoId, 6, 24, 40, 8,
                     kLeftText),
                Item("EDIT", QString(), IDC_FONT_SIZE_STATUS, 49, 21, 26, 14, kEdit),
                Item("msctls_updown32", QStringLiteral("Spin1"), IDC_SPIN_FONT_SIZE_STATUS, 75, 21,
                     7, 14, kUpDown),
                Item("EDIT", QString(), IDC_FONT_SIZE, 85, 21, 26, 14, kEdit),
                Item("msctls_updown32", QStringLiteral("Spin1"), IDC_SPIN_FONT_SIZE, 111, 21, 8, 14,
                     kUpDown),
                Item("BUTTON", Tr(QT_TRANSLATE_NOOP("Dialog", "&Cancel")), IDCANCEL_BUTTON, 33, 250,
                     50, 14, kPushButton),
            }};
}

}  // namespace

void InstallDialogs() {
    platform::InstallDialogTemplate(IDD_LOOKANDFEEL, LookAndFeel());
    platform::InstallDialogTemplate(IDD_ABOUTBOX, About());
    platform::InstallDialogTemplate(IDD_STATISTICS, Statistics());
    platform::InstallDialogTemplate(IDD_OPTIONS, Options());
}

}  // namespace res

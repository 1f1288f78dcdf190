#pragma once

// The numbers of the window messages, notifications and flags the program exchanges with
// the platform. They keep the handheld's values so that traces and peers agree.

namespace platform {

// Window messages.
inline constexpr unsigned kMsgCreate = 0x0001;
inline constexpr unsigned kMsgSize = 0x0005;
inline constexpr unsigned kMsgSetText = 0x000C;  // 12
inline constexpr unsigned kMsgClose = 0x0010;
// The session ends without the windows (the display is gone): WParam 1. Nothing may be shown.
inline constexpr unsigned kMsgEndSession = 0x0016;
inline constexpr unsigned kMsgSettingChange = 0x001A;  // 26
inline constexpr unsigned kMsgHelp = 0x0053;
inline constexpr unsigned kMsgCommand = 0x0111;  // 273
inline constexpr unsigned kMsgLButtonDown = 0x0201;

// Combo-box requests; the text of an added string travels as a const QString* in LParam.
inline constexpr unsigned kCbAddString = 323;
inline constexpr unsigned kCbSetCurSel = 334;
inline constexpr unsigned kCbGetCurSel = 327;
inline constexpr int kCbError = -1;

// Up-down control: set range, LParam = (minimum << 16) | maximum.
inline constexpr unsigned kUdmSetRange = 1125;

// Control notifications carried by a dialog's message table.
inline constexpr unsigned kBnClicked = 0;
inline constexpr unsigned kCbnSelChange = 1;

// Show commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShow = 5;

// Window style bits the program touches.
inline constexpr unsigned kWsSysMenu = 0x00080000;
inline constexpr unsigned kWsDisabled = 0x08000000;
// Extended style of a dialog template that asks for an OK button in the caption.
inline constexpr unsigned kWsExCaptionOk = 0x80000000;

// Commands the framework itself defines and handles (help by the frame, the rest by the
// application).
inline constexpr unsigned kIdFileNew = 0xE100;
inline constexpr unsigned kIdFileOpen = 0xE101;
inline constexpr unsigned kIdAppAbout = 0xE140;
inline constexpr unsigned kIdAppExit = 0xE141;
inline constexpr unsigned kIdHelp = 0xE146;

// Dialog results.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Message-box types and answers.
inline constexpr unsigned kMbOk = 0;
inline constexpr unsigned kMbIconError = 16;      // OK button, error icon
inline constexpr unsigned kMbYesNoQuestion = 36;  // Yes and No, question icon
inline constexpr unsigned kMbIconWarning = 48;    // OK button, exclamation icon
inline constexpr unsigned kMbIconInformation = 64;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Text drawing: centred horizontally and vertically on a single line (1 + 4 + 32).
inline constexpr unsigned kDtCenter = 1;
inline constexpr unsigned kDtVCenter = 4;
inline constexpr unsigned kDtSingleLine = 32;

// Background modes and raster operations.
inline constexpr int kBkTransparent = 1;
inline constexpr int kBkOpaque = 2;
inline constexpr unsigned kRopSrcCopy = 0xCC0020;

// System metrics.
inline constexpr int kSmCxScreen = 0;
inline constexpr int kSmCyScreen = 1;

// System sounds.
inline constexpr unsigned kSoundDefault = 0;
inline constexpr unsigned kSoundStop = 16;

}  // namespace platform

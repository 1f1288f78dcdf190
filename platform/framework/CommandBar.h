#pragma once

// The frame's one command bar: the menus as drop-down buttons, then a row of image buttons,
// then the adornments. Items follow the enabling of their commands.

#include <cstdint>
#include <span>

namespace platform {

class Frame;

// One button of the row, as the handheld's toolbar records it.
struct ToolbarButton {
    int image;            // index into the bitmap's square images
    int command;          // command id; 0 for a separator
    unsigned char state;  // 4: enabled
    unsigned char style;  // 0: button, 1: separator
    std::uintptr_t data;
    std::intptr_t stringIndex;
};

// The side of a button's square image, in pixels.
inline constexpr int kButtonImageSize = 16;

inline constexpr unsigned char kButtonStateEnabled = 4;
inline constexpr unsigned char kButtonStyleButton = 0;
inline constexpr unsigned char kButtonStyleSeparator = 1;

// The desktop's standard key sequences a command can carry. ToggleSidePanel shows or hides a
// side panel, F9 on the desktops that name a key for it; Hint is Ctrl+H, which no desktop
// names.
enum class StandardKey { New, HelpContents, Quit, ToggleSidePanel, Hint };

class CommandBar {
public:
    virtual ~CommandBar() = default;

    // The menu resource's pop-up menus, as drop-down buttons at the bar's start.
    virtual bool InsertMenuBar(unsigned menuId) = 0;
    // The buttons, in order, with images cut from the bitmap resource.
    virtual bool AddButtons(unsigned bitmapId, std::span<const ToolbarButton> buttons) = 0;
    // The standard adornments at the bar's end (help and close); flags 0 for the default set.
    virtual bool AddAdornments(unsigned flags) = 0;
    // Gives the command's menu item the desktop's standard key sequence, shown beside its
    // text; the keys carry out the command only while it is enabled. A command no menu item
    // carries gets the keys on the frame's window alone. False when there is no window.
    virtual bool SetShortcut(unsigned command, StandardKey key) = 0;
};

}  // namespace platform

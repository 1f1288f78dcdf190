#pragma once

// The frame's one command bar: the menus as drop-down buttons, then a row of image buttons,
// then the adornments. Items follow the enabling of their commands.

#include <cstdint>
#include <span>

namespace platform {

class Frame;

// One button of the row, as the handheld's toolbar records it.
struct ToolbarButton {
    int image;            // index into the bitmap's 16 x 16 images
    int command;          // command id; 0 for a separator
    unsigned char state;  // 4: enabled
    unsigned char style;  // 0: button, 1: separator
    std::uintptr_t data;
    std::intptr_t stringIndex;
};

inline constexpr unsigned char kButtonStateEnabled = 4;
inline constexpr unsigned char kButtonStyleButton = 0;
inline constexpr unsigned char kButtonStyleSeparator = 1;

class CommandBar {
public:
    virtual ~CommandBar() = default;

    // The menu resource's pop-up menus, as drop-down buttons at the bar's start.
    virtual bool InsertMenuBar(unsigned menuId) = 0;
    // The buttons, in order, with images cut from the bitmap resource (16 x 16 each).
    virtual bool AddButtons(unsigned bitmapId, std::span<const ToolbarButton> buttons) = 0;
    // The standard adornments at the bar's end (help and close); flags 0 for the default set.
    virtual bool AddAdornments(unsigned flags) = 0;
};

}  // namespace platform

#pragma once

// Druno's resources: the string table, the menu, the command-bar buttons, the dialog templates
// and the images.

#include "platform/framework/CommandBar.h"

#include <array>

namespace res {

// Hands every resource to the platform. Called once, before the first window is made.
void Install();

// The command bar's buttons after the menu, in order.
extern const std::array<platform::ToolbarButton, 6> kMainFrameButtons;

}  // namespace res

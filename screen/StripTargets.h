#pragma once

// The cells of the digit strip as places that keys and assistive technology press.

#include "platform/framework/View.h"

#include <vector>

// The digit strip: eleven cells of 20 by 25 pixels, digits 0 to 9 and then delete.
constexpr int kStripCells = 11;
constexpr int kStripCellWidth = 20;
constexpr int kStripHeight = 25;
constexpr int kStripWidth = kStripCells * kStripCellWidth;
constexpr int kStripDeleteCell = 10;

// The eleven cells of a strip whose top left corner is at (nLeft, nTop): "0" to "9", pressed
// by the digit keys of the main row and of the keypad, then "Delete", pressed by Backspace
// and Delete. bShown tells whether the strip is drawn.
std::vector<platform::TapTarget> StripTargets(int nLeft, int nTop, bool bShown);

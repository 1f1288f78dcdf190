#pragma once

// Views seen through Qt's accessibility interface (AT-SPI on Linux). A view reads as the text
// lines it shows, each also a static text of its own, followed by its tap targets as buttons
// that assistive technology can press.

#include <vector>

class QWidget;

namespace platform {

// Makes Qt build the accessible interface of every view widget; once is enough.
void InstallViewAccessibility();

// Tells assistive technology that the view widget shows new text in the lines given (by
// their index).
void AnnounceViewTexts(QWidget* viewWidget, const std::vector<int>& changedLines);

}  // namespace platform

#pragma once

// Modal message boxes with the application's name as caption.

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// type: 0 OK, 16 error icon with OK, 36 Yes/No with question icon, 64 information icon with OK.
// Answers 1 (OK), 6 (Yes) or 7 (No). The button of defaultAnswer (say 7, No) takes Return;
// 0 leaves it to the first button.
int MessageBox(const QString& text, unsigned type = 0, int defaultAnswer = 0);
// The text of string-table entry id.
int MessageBox(unsigned stringId, unsigned type = 0, int defaultAnswer = 0);

// What a box asks of the running program: the caption (its name), the main window to stand
// over when no window is active, and whether the program is being ended from outside (then
// no box is shown and the box's way out is the answer). The application object sets it for
// its lifetime; without one, the caption is "Druno" and a box stands over the active window.
struct MessageBoxHost {
    std::function<QString()> caption;
    std::function<QWidget*()> mainWindow;
    std::function<bool()> endingSession;
};
void SetMessageBoxHost(MessageBoxHost host);

// Test seam: while set, the answerer is asked instead of showing a box. It receives the
// text, the caption and the type, and gives the answer.
using MessageBoxAnswerer =
    std::function<int(const QString& text, const QString& caption, unsigned type)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace platform

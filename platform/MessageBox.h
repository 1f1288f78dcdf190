#pragma once

// Modal message boxes with the application's name as caption.

#include <QString>

#include <functional>

namespace platform {

// type: 0 OK, 16 error icon with OK, 36 Yes/No with question icon, 64 information icon with OK.
// Answers 1 (OK), 6 (Yes) or 7 (No).
int MessageBox(const QString& text, unsigned type = 0);
// The text of string-table entry id.
int MessageBox(unsigned stringId, unsigned type = 0);
// As above, with the button of defaultAnswer (say 7, No) taking Return instead of the first.
int MessageBox(unsigned stringId, unsigned type, int defaultAnswer);

// Test seam: while set, the answerer is asked instead of showing a box. It receives the
// text, the caption and the type, and gives the answer.
using MessageBoxAnswerer =
    std::function<int(const QString& text, const QString& caption, unsigned type)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

}  // namespace platform

#pragma once

// The debug output: every text is written at once to the standard error stream.

#include <QString>

#include <functional>

namespace platform {

// Writes the text as it stands (the caller supplies any line feed) and flushes.
void OutputDebugString(const QString& text);

// Test seam: while set, every text also goes to the observer.
using DebugObserver = std::function<void(const QString& text)>;
void SetDebugObserver(DebugObserver observer);

}  // namespace platform

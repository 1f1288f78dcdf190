#pragma once

// The debug output: lines for the standard error stream. Whatever stands behind that stream (a
// terminal, a pipe nobody reads, a reader that went away, nothing at all) never stops, stalls or
// corrupts the program:
// - descriptors 0 to 2 are made valid on /dev/null, and SIGPIPE is ignored, before any static
//   object of the program is constructed;
// - lines are collected and written without waiting; a stream that takes nothing for a while
//   gets no more than a short wait per line, and lines it cannot take are dropped and counted;
// - what was collected goes out whenever the program falls idle, at exit and on a fatal signal.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <initializer_list>

namespace platform {

// Writes the text as it stands (the caller supplies any line feed).
void OutputDebugString(const QString& text);
// Writes the pieces one after the other and a line feed: what OutputDebugString writes for
// the joined text and "\n", without the joined text being made unless an observer wants it.
void OutputDebugLine(std::initializer_list<QStringView> pieces);

// Other notes for the standard error stream (Qt's messages), in order with the debug output.
void WriteStandardError(const QByteArray& bytes);

// Writes what was collected, waiting at most waitMs for a stream that takes nothing.
void FlushDebugOutput(int waitMs);

// How long the exit waits for the last lines of the debug output.
inline constexpr int kExitFlushWaitMs = 1000;

// Test seam: while set, every text also goes to the observer.
using DebugObserver = std::function<void(const QString& text)>;
void SetDebugObserver(DebugObserver observer);

}  // namespace platform

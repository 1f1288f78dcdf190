#pragma once

// The program's own executable.

#include <QString>

#include <functional>

namespace platform {

// The full file name of the running executable (from /proc/self/exe).
QString GetModuleFileName();

// Test seam: while set, GetModuleFileName answers from the source.
void SetModuleFileNameSource(std::function<QString()> source);

}  // namespace platform

#pragma once

// The program's own executable, and where the files it keeps for the player lie.

#include <QString>

#include <functional>

namespace platform {

// The full file name of the running executable (from /proc/self/exe).
QString GetModuleFileName();

// Test seam: while set, GetModuleFileName answers from the source.
void SetModuleFileNameSource(std::function<QString()> source);

// The player's data folder, $XDG_DATA_HOME or else ~/.local/share, without a trailing "/".
QString GetDataHome();

// The folder that keeps fileName for the player: programFolder when it is a folder of the
// player's (one the player can write, and not where the system keeps installed programs, as
// /usr or /opt) holding no file of that name but the player's own; otherwise
// GetDataHome()/dataSubFolder/. Both folders end in "/". Nothing is created here.
QString GetFolderForFile(const QString& programFolder, const QString& fileName,
                         const QString& dataSubFolder);

// Makes the missing folders above filePath, mode 0700, when the file lies in the player's
// data folder; other places are left as they are. False when a folder could not be made.
bool MakeDataFolderFor(const QString& filePath);

}  // namespace platform

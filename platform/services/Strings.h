#pragma once

// The program's string table, filled once from res/ at start-up.

#include <QString>

#include <map>

namespace platform {

// The table holds the English texts; the ones marked QT_TRANSLATE_NOOP("StringTable", ...)
// come back in the installed language (Translation.h).
using StringTable = std::map<unsigned, QString>;
inline constexpr char kStringTableContext[] = "StringTable";

void InstallStringTable(const StringTable& table);

// The string of the id in the installed language, or an empty text when the table has none.
QString LoadString(unsigned id);
// The string of the id with "%1" replaced by the argument.
QString FormatString(unsigned id, const QString& arg1);

}  // namespace platform

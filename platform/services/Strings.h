#pragma once

// The program's string table, filled once from res/ at start-up.

#include <QString>

#include <map>

namespace platform {

using StringTable = std::map<unsigned, QString>;

void InstallStringTable(const StringTable& table);

// The string of the id, or an empty text when the table has none.
QString LoadString(unsigned id);
// The string of the id with "%1" replaced by the argument.
QString FormatString(unsigned id, const QString& arg1);

}  // namespace platform

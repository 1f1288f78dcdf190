#pragma once

// The journal's rounds as CSV for a spreadsheet (RFC 4180: comma-separated, fields with a
// comma, quote or line break quoted, lines ended by CR LF), UTF-8. One line per round, oldest
// first; times in UTC as ISO 8601; the guesses in one field, "digits:right:elsewhere" each,
// separated by spaces. The column names and outcome words are the same in every language.

#include "platform/journal/JournalRound.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace platform {

QByteArray JournalCsv(const std::vector<JournalRound>& rounds);
// Writes the file whole or not at all (an existing file stays as it was on failure).
bool WriteJournalCsv(const QString& path, const std::vector<JournalRound>& rounds);

}  // namespace platform

#pragma once

// A journal of many rounds for the benchmarks, written through the journal's own code: every
// fourth round lost after ten attempts, the others won in one to ten, a minute apart, at the
// three levels in turn.

#include "platform/journal/Journal.h"

#include <QDateTime>

#include <cstdio>

inline bool FillJournal(const QString& path, int rounds) {
    platform::Journal journal(path);
    if (journal.Open(platform::Journal::Mode::Write) != platform::JournalStatus::Ok) {
        std::fprintf(stderr, "the journal could not be opened\n");
        return false;
    }
    const std::int64_t start = QDateTime::currentMSecsSinceEpoch() - std::int64_t(rounds) * 60000;
    for (int i = 0; i < rounds; ++i) {
        const bool won = i % 4 != 3;
        const int attempts = won ? 1 + (i * 7) % 10 : 10;
        const int level = 1 + i % 3;
        std::int64_t id = 0;
        const std::int64_t at = start + std::int64_t(i) * 60000;
        if (journal.BeginRound(at, level, level + 2, &id) != platform::JournalStatus::Ok) {
            return false;
        }
        for (int attempt = 1; attempt <= attempts; ++attempt) {
            journal.AddGuess(id, attempt, {QStringLiteral("01234").left(level + 2), 1, 1});
        }
        journal.EndRound(id, won ? platform::RoundOutcome::Won : platform::RoundOutcome::Lost,
                         attempts, at + 40000, 40000, QStringLiteral("56789").left(level + 2));
    }
    return true;
}

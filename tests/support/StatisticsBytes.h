#pragma once

// The statistics file's bytes as tests write and read them: records scrambled and unscrambled
// by the game's own scrambler, so that every test sees the file as the game does.

#include "stats/GameStatisticsRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

// The file's bytes for these records, in order.
inline QByteArray StatisticsBytes(const std::vector<GAMESTATISTICS>& records) {
    QByteArray bytes;
    for (GAMESTATISTICS gs : records) {
        ScrambleStatistics(gs.bytes.data(), GAMESTATISTICS::kSize);
        bytes.append(reinterpret_cast<const char*>(gs.bytes.data()), GAMESTATISTICS::kSize);
    }
    return bytes;
}

// One record of zeros, as a reset leaves it: a file that shows no open error.
inline QByteArray EmptyStatisticsBytes() {
    return StatisticsBytes({GAMESTATISTICS{}});
}

// Record k of the file's bytes, unscrambled; nothing when the bytes end before it.
inline std::optional<GAMESTATISTICS> StatisticsRecordAt(const QByteArray& bytes, int k = 0) {
    if (k < 0 || bytes.size() < (k + 1) * qsizetype{GAMESTATISTICS::kSize}) {
        return std::nullopt;
    }
    GAMESTATISTICS gs;
    std::copy_n(bytes.constData() + k * GAMESTATISTICS::kSize, GAMESTATISTICS::kSize,
                gs.bytes.begin());
    ScrambleStatistics(gs.bytes.data(), GAMESTATISTICS::kSize);
    return gs;
}

// Record k of the file at path, unscrambled; nothing when the file cannot be read that far.
inline std::optional<GAMESTATISTICS> ReadStatisticsRecord(const QString& path, int k = 0) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? StatisticsRecordAt(file.readAll(), k) : std::nullopt;
}

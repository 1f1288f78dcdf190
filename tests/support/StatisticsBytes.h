#pragma once

// The statistics file's bytes as tests write and read them. The scrambling is done here with
// its own key, not with the game's scrambler, and checked against bytes written out by hand
// (kGoldenRecords): a game that scrambled differently would misread every file the tests
// write and write files they misread.

#include "stats/GameStatisticsRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

// Every byte of a record in the file is XORed with this key; a second XOR undoes it.
inline constexpr std::uint8_t kStatisticsKey = 0x5A;

inline void ScrambleForTest(std::uint8_t* bytes, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[i] ^= kStatisticsKey;
    }
}

// Records with their nine words, by offset, and their bytes in the file as they are known to
// lie there.
struct GoldenRecord {
    const char* name;
    std::array<std::int32_t, 9> words;
    const char* fileHex;

    GAMESTATISTICS Record() const {
        GAMESTATISTICS gs;
        for (int i = 0; i < 9; ++i) {
            gs.Set(static_cast<GAMESTATISTICS::Word>(4 * i), words[i]);
        }
        return gs;
    }
    QByteArray FileBytes() const { return QByteArray::fromHex(fileHex); }
};

inline const std::array<GoldenRecord, 3> kGoldenRecords = {{
    // All zero, as a reset leaves it: a file that shows no open error.
    {"Empty",
     {0, 0, 0, 0, 0, 0, 0, 0, 0},
     "5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a 5a5a5a5a"},
    // Version 3.x with the fillers the game stamps: 3 played, 1 won, 2 lost, 33%.
    {"Stamped",
     {2878, 9436, 3, 1, 8641, 2, 33, 21331, 17870},
     "64515a5a 867e5a5a 595a5a5a 5b5a5a5a 9b7b5a5a 585a5a5a 7b5a5a5a 09095a5a 941f5a5a"},
    // Byte order and sign: every byte of a word differs, and negative words.
    {"ByteOrderAndSign",
     {-1, 0, 0x01020304, 258, 0, 0x7FFFFFFF, -100, 0, 0},
     "a5a5a5a5 5a5a5a5a 5e59585b 585b5a5a 5a5a5a5a a5a5a525 c6a5a5a5 5a5a5a5a 5a5a5a5a"},
}};

// A record with the given counters and version, as it would lie in the file.
inline GAMESTATISTICS StatisticsRecord(int version, int played, int won, int lost, int percent) {
    GAMESTATISTICS gs;
    gs.Set(GAMESTATISTICS::nVersion, version);
    gs.Set(GAMESTATISTICS::nGamesPlayed, played);
    gs.Set(GAMESTATISTICS::nGamesWon, won);
    gs.Set(GAMESTATISTICS::nGamesLost, lost);
    gs.Set(GAMESTATISTICS::nGamesWonPercent, percent);
    return gs;
}

// The file's bytes for these records, in order.
inline QByteArray StatisticsBytes(const std::vector<GAMESTATISTICS>& records) {
    QByteArray bytes;
    for (GAMESTATISTICS gs : records) {
        ScrambleForTest(gs.bytes.data(), GAMESTATISTICS::kSize);
        bytes.append(reinterpret_cast<const char*>(gs.bytes.data()), GAMESTATISTICS::kSize);
    }
    return bytes;
}

// One record of zeros, as a reset leaves it: a file that shows no open error.
inline QByteArray EmptyStatisticsBytes() {
    return kGoldenRecords[0].FileBytes();
}

// Writes the bytes at path, replacing what was there; false when it cannot.
inline bool WriteStatisticsFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Writes a file of one empty record at path, replacing what was there; false when it cannot.
inline bool WriteEmptyStatistics(const QString& path) {
    return WriteStatisticsFile(path, EmptyStatisticsBytes());
}

// The bytes of the file at path; empty when it cannot be read.
inline QByteArray StatisticsFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Record k of the file's bytes, unscrambled; nothing when the bytes end before it.
inline std::optional<GAMESTATISTICS> StatisticsRecordAt(const QByteArray& bytes, int k = 0) {
    if (k < 0 || bytes.size() < (k + 1) * qsizetype{GAMESTATISTICS::kSize}) {
        return std::nullopt;
    }
    GAMESTATISTICS gs;
    std::copy_n(bytes.constData() + k * GAMESTATISTICS::kSize, GAMESTATISTICS::kSize,
                gs.bytes.begin());
    ScrambleForTest(gs.bytes.data(), GAMESTATISTICS::kSize);
    return gs;
}

// Record k of the file at path, unscrambled; nothing when the file cannot be read that far.
inline std::optional<GAMESTATISTICS> ReadStatisticsRecord(const QString& path, int k = 0) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? StatisticsRecordAt(file.readAll(), k) : std::nullopt;
}

// The game counters of a record of a statistics file.
struct StatCounts {
    int played = 0;
    int won = 0;
    int lost = 0;
    friend bool operator==(const StatCounts&, const StatCounts&) = default;
    friend std::ostream& operator<<(std::ostream& out, const StatCounts& counts) {
        return out << counts.played << " played, " << counts.won << " won, " << counts.lost
                   << " lost";
    }
};

// What StatCountsOf gives for a record that is not there.
inline constexpr StatCounts kNoStatCounts{-1, -1, -1};

inline StatCounts StatCountsOf(const std::optional<GAMESTATISTICS>& gs) {
    if (!gs) {
        return kNoStatCounts;
    }
    return {gs->Get(GAMESTATISTICS::nGamesPlayed), gs->Get(GAMESTATISTICS::nGamesWon),
            gs->Get(GAMESTATISTICS::nGamesLost)};
}

// The counters of record k of the file's bytes.
inline StatCounts StatCountsAt(const QByteArray& bytes, int k) {
    return StatCountsOf(StatisticsRecordAt(bytes, k));
}

// The counters of record 0 of the file at path.
inline StatCounts ReadStatCounts(const QString& path) {
    return StatCountsOf(ReadStatisticsRecord(path));
}

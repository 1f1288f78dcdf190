#pragma once

// The statistics record exactly as the file holds it: nine 32-bit signed words, little-endian,
// 36 bytes with no gaps. It is kept as bytes so that what is read, scrambled and written is
// always the on-disk layout, whatever the compiler does with structures.

#include <array>
#include <cstdint>

struct GAMESTATISTICS {
    static constexpr int kSize = 36;

    // The words, by their byte offset. The four fillers are never read back.
    enum Word : int {
        nVersion = 0,
        nFiller1 = 4,
        nGamesPlayed = 8,
        nGamesWon = 12,
        nFiller2 = 16,
        nGamesLost = 20,
        nGamesWonPercent = 24,
        nFiller3 = 28,
        nFiller4 = 32,
    };

    std::int32_t Get(Word word) const;
    void Set(Word word, std::int32_t value);
    void Clear() { bytes.fill(0); }

    std::array<std::uint8_t, kSize> bytes{};
};
static_assert(sizeof(GAMESTATISTICS) == GAMESTATISTICS::kSize);

// XORs each of the first nLength bytes with 0x5A, in place; the same call undoes it.
void ScrambleStatistics(std::uint8_t* pBuffer, int nLength);

// True when the counters can be real: none negative, no more won and lost than played, a
// percentage within 0..100. Anything else is a damaged record, never a count to show or add to.
bool IsPlausibleRecord(const GAMESTATISTICS& gs);

// Counters never wrap: a sum beyond the 32-bit range stays at its limit.
std::int32_t ClampToInt32(std::int64_t value);
// The percentage of games won, truncated, kept within 0..100; 0 when nothing was played.
std::int32_t WonPercent(std::int64_t won, std::int64_t played);

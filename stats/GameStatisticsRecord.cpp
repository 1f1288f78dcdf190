#include "stats/GameStatisticsRecord.h"

#include "platform/core/Endian.h"

#include <algorithm>
#include <limits>

std::int32_t GAMESTATISTICS::Get(Word word) const {
    return platform::ReadLittleEndian32(bytes.data() + word);
}

void GAMESTATISTICS::Set(Word word, std::int32_t value) {
    platform::WriteLittleEndian32(value, bytes.data() + word);
}

void ScrambleStatistics(std::uint8_t* pBuffer, int nLength) {
    for (int i = 0; i < nLength; ++i) {
        pBuffer[i] ^= 0x5A;
    }
}

bool IsPlausibleRecord(const GAMESTATISTICS& gs) {
    const std::int64_t played = gs.Get(GAMESTATISTICS::nGamesPlayed);
    const std::int64_t won = gs.Get(GAMESTATISTICS::nGamesWon);
    const std::int64_t lost = gs.Get(GAMESTATISTICS::nGamesLost);
    const std::int64_t percent = gs.Get(GAMESTATISTICS::nGamesWonPercent);
    return played >= 0 && won >= 0 && lost >= 0 && won + lost <= played && percent >= 0 &&
           percent <= 100;
}

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t WonPercent(std::int64_t won, std::int64_t played) {
    // A damaged file can hold any counts: never divide by zero, never show more than all.
    if (played == 0) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(won * 100 / played, 0, 100));
}

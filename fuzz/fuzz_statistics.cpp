// Arbitrary statistics files: reading and counting must neither crash nor hand back counters
// that make no sense, whatever the file holds and whatever level is current.
//
// Input: one byte choosing the operation, one byte each for the number of levels and the
// current level (as signed values), then the file's contents.

#include "platform/services/MessageBox.h"
#include "stats/GameStatistics.h"
#include "stats/GameStatisticsDlg.h"
#include "trace/TraceScope.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QString g_path;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Each input starts with its own file alone: the copies of damaged files that earlier inputs
// left would otherwise take every free name, and a damaged file could no longer be kept.
void WriteContents(const std::uint8_t* data, std::size_t size) {
    QDir folder = QFileInfo(g_path).dir();
    for (const QString& copy : folder.entryList({QStringLiteral("Druno.sta.damaged*")})) {
        folder.remove(copy);
    }
    QFile file(g_path);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

GAMESTATISTICS RecordInFile(int level) {
    QFile file(g_path);
    GAMESTATISTICS gs;
    if (file.open(QIODevice::ReadOnly) && file.seek(std::int64_t{level} * GAMESTATISTICS::kSize)) {
        file.read(reinterpret_cast<char*>(gs.bytes.data()), GAMESTATISTICS::kSize);
        ScrambleStatistics(gs.bytes.data(), GAMESTATISTICS::kSize);
    }
    return gs;
}

bool PercentInRange(const GAMESTATISTICS& gs) {
    const std::int32_t percent = gs.Get(GAMESTATISTICS::nGamesWonPercent);
    return percent >= 0 && percent <= 100;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir dir;
    Check(dir.isValid());
    g_path = dir.filePath(QStringLiteral("Druno.sta"));
    s_bDebugOutput = false;
    platform::SetMessageBoxAnswerer([](const QString&, const QString&, unsigned) { return 1; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const int operation = data[0] % 4;
    s_nMaxLevels = static_cast<std::int8_t>(data[1]);
    s_nCurrLevel = static_cast<std::int8_t>(data[2]);
    s_nLanguage = data[0] >> 7;
    WriteContents(data + 3, size - 3);

    GAMESTATISTICS gs;
    switch (operation) {
        case 0:
            // A failed read hands back nothing but zeros.
            if (CGameStatisticsDlg::ReadStatistics(g_path, gs) != 0) {
                Check(gs.bytes == GAMESTATISTICS{}.bytes);
            }
            break;
        case 1:
            GameStatisticsAddWon(g_path);
            break;
        case 2:
            GameStatisticsAddLost(g_path);
            break;
        default:
            gs.bytes.fill(0xA5);
            CGameStatisticsDlg::WriteStatistics(g_path, gs);
            break;
    }
    // A count or a write leaves a current-format record with a sane percentage; a damaged
    // record counted into was kept aside first.
    if (operation != 0 && s_nCurrLevel >= 0) {
        const GAMESTATISTICS written = RecordInFile(s_nCurrLevel);
        Check(written.Get(GAMESTATISTICS::nVersion) == 2878);
        Check(operation == 3 || PercentInRange(written));
        if (s_nMaxLevels > 1) {
            Check(PercentInRange(RecordInFile(0)));
        }
    }
    return 0;
}

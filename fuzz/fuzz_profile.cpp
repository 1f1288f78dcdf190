// Arbitrary settings files: reading the settings and writing some back must never crash, and
// what was written must read back.

#include "platform/services/ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
QString g_iniPath;

// The settings folder lies in memory where the system has it: every input replaces the file
// and the store writes it back, each a flush to the disk, which on a real disk held the harness
// to about thirty runs a second.
std::unique_ptr<QTemporaryDir> MakeSettingsFolder() {
    const QString shm = QStringLiteral("/dev/shm");
    if (QDir(shm).exists()) {
        return std::make_unique<QTemporaryDir>(shm + QStringLiteral("/fuzz_profile-XXXXXX"));
    }
    return std::make_unique<QTemporaryDir>();
}
}  // namespace

// Every run parses the file a dozen times, and frees what it parsed; AddressSanitizer's default
// quarantine keeps 256 MiB of freed memory to catch late uses, which is what the harness's
// memory grew to. A far smaller one still catches a use of what this run freed.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const std::unique_ptr<QTemporaryDir> dir = MakeSettingsFolder();
    if (!dir->isValid()) {
        std::abort();
    }
    platform::SetProfileFolder(dir->path());
    QDir(dir->path()).mkpath(QStringLiteral("Brantel"));
    g_iniPath =
        platform::ProfileStore(QStringLiteral("Brantel"), QStringLiteral("Druno")).FilePath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        QFile file(g_iniPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::abort();
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    const QString init = QStringLiteral("Init");
    const QString laf = QStringLiteral("Init.LaF");
    store.GetProfileInt(init, QStringLiteral("Sound"), 1);
    store.GetProfileInt(init, QStringLiteral("FontSize"), 100);
    store.GetProfileInt(init, QStringLiteral("FontSizeStatus"), 16);
    store.GetProfileInt(laf, QStringLiteral("ShowCancelBtn"), 1);
    store.GetProfileInt(laf, QStringLiteral("NoFullScreenDlg"), 1);
    const QString window = QStringLiteral("Window");
    for (const char* key : {"Left", "Top", "Width", "Height", "HistoryWidth"}) {
        store.GetProfileInt(window, QLatin1String(key), -1);
    }
    const QString game = QStringLiteral("Game");
    store.GetProfileInt(game, QStringLiteral("Level"), 0);
    store.GetProfileInt(game, QStringLiteral("Coach"), 0);
    // What was written can be read back.
    if (store.WriteProfileInt(init, QStringLiteral("FontSize"), 42) &&
        store.GetProfileInt(init, QStringLiteral("FontSize"), 100) != 42) {
        std::abort();
    }
    // And a batch, as the exit step writes the settings.
    store.BeginBatch();
    store.WriteProfileInt(init, QStringLiteral("Sound"), 0);
    store.WriteProfileInt(window, QStringLiteral("Width"), 640);
    store.WriteProfileInt(game, QStringLiteral("Level"), 3);
    store.WriteProfileInt(game, QStringLiteral("Coach"), 1);
    if (store.EndBatch() && (store.GetProfileInt(window, QStringLiteral("Width"), -1) != 640 ||
                             store.GetProfileInt(game, QStringLiteral("Level"), 0) != 3)) {
        std::abort();
    }
    return 0;
}

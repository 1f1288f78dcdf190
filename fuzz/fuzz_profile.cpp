// Arbitrary settings files: reading the settings and writing some back must never crash, and
// what was written must read back.

#include "platform/services/ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
QString g_iniPath;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir dir;
    if (!dir.isValid()) {
        std::abort();
    }
    platform::SetProfileFolder(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("Brantel"));
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

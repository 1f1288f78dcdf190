#include "platform/ProfileStore.h"

#include <QDir>
#include <QSettings>

#include <cstdlib>

namespace platform {

namespace {

QString& FolderOverride() {
    static QString folder;
    return folder;
}

// $XDG_CONFIG_HOME when it names an absolute folder, else ~/.config.
QString ConfigFolder() {
    if (!FolderOverride().isEmpty()) {
        return FolderOverride();
    }
    const QString xdg = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

QString KeyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

}  // namespace

ProfileStore::ProfileStore(QString keyName, QString appName)
    : m_keyName(std::move(keyName)), m_appName(std::move(appName)) {}

QString ProfileStore::FilePath() const {
    return ConfigFolder() + QLatin1Char('/') + m_keyName + QLatin1Char('/') + m_appName +
           QStringLiteral(".ini");
}

int ProfileStore::GetProfileInt(const QString& section, const QString& key,
                                int defaultValue) const {
    const QSettings settings(FilePath(), QSettings::IniFormat);
    const QVariant value = settings.value(KeyPath(section, key));
    // A damaged or hand-edited file may hold anything here: only a plain decimal integer
    // counts, everything else (a word, a list, a number out of range) gives the default.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

bool ProfileStore::WriteProfileInt(const QString& section, const QString& key, int value) {
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue(KeyPath(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void SetProfileFolder(const QString& folder) {
    FolderOverride() = folder;
}

}  // namespace platform

#include "platform/services/ProfileStore.h"

#include <QDir>
#include <QSettings>

#include <cstdlib>

namespace platform {

namespace {

QString& FolderOverride() {
    static QString folder;
    return folder;
}

// $XDG_CONFIG_HOME when it names an absolute folder, else ~/.config. Not QSettings' UserScope:
// a QSettings opened only to learn the file's name shares, and writes out, an open batch.
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

// True when the file already holds exactly this value under the key.
bool Holds(const QSettings& settings, const QString& keyPath, int value) {
    return settings.value(keyPath).toString() == QString::number(value);
}

}  // namespace

ProfileStore::ProfileStore(QString keyName, QString appName)
    : m_keyName(std::move(keyName)), m_appName(std::move(appName)) {}

// A batch left open still reaches the file, when its settings object goes.
ProfileStore::~ProfileStore() = default;
ProfileStore::ProfileStore(ProfileStore&&) noexcept = default;
ProfileStore& ProfileStore::operator=(ProfileStore&&) noexcept = default;

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

// Every write to the file is a synchronised one (a new file, flushed to the disk, then
// renamed), so a value that is already there is left alone.
bool ProfileStore::WriteProfileInt(const QString& section, const QString& key, int value) {
    const QString keyPath = KeyPath(section, key);
    if (m_batch) {
        if (!Holds(*m_batch, keyPath, value)) {
            m_batch->setValue(keyPath, value);
            m_batchChanged = true;
        }
        return true;
    }
    QSettings settings(FilePath(), QSettings::IniFormat);
    if (Holds(settings, keyPath, value)) {
        return true;
    }
    settings.setValue(keyPath, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void ProfileStore::BeginBatch() {
    if (m_batchDepth++ == 0) {
        m_batch = std::make_unique<QSettings>(FilePath(), QSettings::IniFormat);
        m_batchChanged = false;
    }
}

bool ProfileStore::EndBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) {
        return true;
    }
    const std::unique_ptr<QSettings> settings = std::move(m_batch);
    if (!m_batchChanged) {
        return true;
    }
    m_batchChanged = false;
    settings->sync();
    return settings->status() == QSettings::NoError;
}

void SetProfileFolder(const QString& folder) {
    FolderOverride() = folder;
}

}  // namespace platform

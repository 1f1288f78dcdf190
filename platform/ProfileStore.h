#pragma once

// The per-user settings store: an INI file at <folder>/<key name>/<application>.ini,
// where folder is ~/.config (or $XDG_CONFIG_HOME) unless a test chose another.

#include <QString>

namespace platform {

class ProfileStore {
public:
    ProfileStore(QString keyName, QString appName);

    // The stored integer, or the default when none is stored or the value is not a number.
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    // True when the value reached the file.
    bool WriteProfileInt(const QString& section, const QString& key, int value);

    QString FilePath() const;

private:
    QString m_keyName;
    QString m_appName;
};

// Test seam: the folder that holds the key-name folders (empty restores the default).
void SetProfileFolder(const QString& folder);

}  // namespace platform

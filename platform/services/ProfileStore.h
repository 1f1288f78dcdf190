#pragma once

// The per-user settings store: an INI file at <folder>/<key name>/<application>.ini,
// where folder is ~/.config (or $XDG_CONFIG_HOME) unless a test chose another.

#include <QString>

#include <memory>

class QSettings;

namespace platform {

class ProfileStore {
public:
    ProfileStore(QString keyName, QString appName);
    ~ProfileStore();
    ProfileStore(ProfileStore&&) noexcept;
    ProfileStore& operator=(ProfileStore&&) noexcept;

    // The stored integer, or the default when none is stored or the value is not a number.
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    // True when the value is in the file. A value the file already holds is not written
    // again. Inside a batch the value reaches the file at EndBatch, which tells.
    bool WriteProfileInt(const QString& section, const QString& key, int value);

    // The writes between these two reach the file in one update, and only when one of them
    // differs from what the file holds: a file that lacks a key gets it. EndBatch is true
    // when nothing needed writing or everything reached the file. A batch begun inside
    // another is part of it: the outermost EndBatch writes and tells.
    void BeginBatch();
    bool EndBatch();

    QString FilePath() const;

private:
    QString m_keyName;
    QString m_appName;
    std::unique_ptr<QSettings> m_batch;
    bool m_batchChanged = false;
    int m_batchDepth = 0;
};

// Test seam: the folder that holds the key-name folders (empty restores the default).
void SetProfileFolder(const QString& folder);

}  // namespace platform

#pragma once

// The per-user settings store: an INI file at <folder>/<key name>/<application>.ini,
// where folder is ~/.config (or $XDG_CONFIG_HOME) unless a test chose another.
//
// Only a regular file of the player's, no larger than kMaxProfileFileSize, in a folder no other
// user can change, is read or written; a link is followed to such a file, which a write then
// replaces in its own folder, the link staying a link. Anything else there (a FIFO, a device, a
// folder, another user's file, an oversized one, or a link to any of them) is left as it is,
// and so is what a link points at: reading gives the defaults, and writing fails and says so.

#include <QString>

#include <utility>
#include <vector>

namespace platform {

// A settings file holds a few dozen lines; one far larger is not ours to read back or rewrite.
inline constexpr qint64 kMaxProfileFileSize = 64 * 1024;

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
    // when nothing needed writing or everything reached the file, and false as well when a
    // write of this store before it failed (once: the next EndBatch tells only of its own). A
    // batch begun inside another is part of it: the outermost EndBatch writes and tells.
    void BeginBatch();
    bool EndBatch();

    // The file's path; empty when there is no home folder to keep it in.
    QString FilePath() const;
    // True when the file may be read and written now: a regular file of the player's within
    // the size limit, or none yet, in a folder only the player can change.
    bool IsUsable() const;

private:
    using Values = std::vector<std::pair<QString, int>>;
    bool Store(const Values& values);

    QString m_keyName;
    QString m_appName;
    Values m_batch;  // the batch's writes, in order, each key once
    int m_batchDepth = 0;
    bool m_writeFailed = false;  // since the last EndBatch
};

// Test seam: the folder that holds the key-name folders (empty restores the default).
void SetProfileFolder(const QString& folder);

}  // namespace platform

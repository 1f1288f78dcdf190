#include "platform/services/ProfileStore.h"

#include "platform/core/File.h"

#include <QFile>
#include <QSettings>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform {

namespace {

QString& FolderOverride() {
    static QString folder;
    return folder;
}

bool IsAbsolute(const QString& path) {
    return path.startsWith(QLatin1Char('/'));
}

// $HOME when it names an absolute folder, else the home folder of the player's account; empty
// when neither does. A relative one would put the settings wherever the program was started.
// Names are kept as the bytes they are (DecodeFileName), so that a home folder named in
// another encoding than UTF-8 is still the folder it names.
QString HomeFolder() {
    const QString home = DecodeFileName(qgetenv("HOME"));
    if (IsAbsolute(home)) {
        return home;
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return QString();
    }
    const QString account = DecodeFileName(found->pw_dir);
    return IsAbsolute(account) ? account : QString();
}

// $XDG_CONFIG_HOME when it names an absolute folder, else ~/.config. Not QSettings' UserScope:
// a QSettings opened only to learn the file's name shares, and writes out, an open batch.
QString ConfigFolder() {
    if (!FolderOverride().isEmpty()) {
        return FolderOverride();
    }
    const QString xdg = DecodeFileName(qgetenv("XDG_CONFIG_HOME"));
    if (IsAbsolute(xdg)) {
        return xdg;
    }
    const QString home = HomeFolder();
    return home.isEmpty() ? QString() : home + QStringLiteral("/.config");
}

QString KeyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

// True when the file already holds exactly this value under the key.
bool Holds(const QSettings& settings, const QString& keyPath, int value) {
    return settings.value(keyPath).toString() == QString::number(value);
}

// True when no other user can add, remove or replace names in the folder: it (or, while it is
// still to be made, the nearest folder above it that exists) belongs to the player or to the
// system, and only the owner or the player's own group may write it.
bool FolderIsPrivate(QByteArray folder) {
    for (;;) {
        struct stat info {};
        if (::stat(folder.isEmpty() ? "/" : folder.constData(), &info) == 0) {
            const bool owned = info.st_uid == ::geteuid() || info.st_uid == 0;
            const bool othersWrite = (info.st_mode & S_IWOTH) != 0 ||
                                     ((info.st_mode & S_IWGRP) != 0 && info.st_gid != ::getegid());
            return S_ISDIR(info.st_mode) && owned && !othersWrite;
        }
        if (errno != ENOENT || folder.isEmpty()) {
            return false;
        }
        folder.truncate(std::max<qsizetype>(folder.lastIndexOf('/'), 0));
    }
}

enum class FileState { Missing, Regular, Unusable };

QByteArray FolderOf(const QByteArray& name) {
    return name.left(std::max<qsizetype>(name.lastIndexOf('/'), 0));
}

// The settings file as QSettings is to reach it, checked: what lies there, and the name to
// give Qt. A link is followed to its final target, which is then the file read and replaced,
// so the link stays a link. Qt takes names as UTF-8 strings; where the name's bytes are not
// UTF-8, the target's folder is opened here and named to Qt through its descriptor, so that
// the bytes are kept. Nothing but a regular file is ever opened: opening a FIFO would wait
// for a writer, and a device may act on its opening.
class SettingsFile {
public:
    SettingsFile(const QString& path, bool makeFolders) { Resolve(path, makeFolders); }
    ~SettingsFile() {
        if (m_folder >= 0) {
            ::close(m_folder);
        }
    }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    FileState State() const { return m_state; }
    // The name QSettings opens; valid while this lives.
    const QString& QtName() const { return m_qtName; }

private:
    void Resolve(const QString& path, bool makeFolders);
    bool NameForQt(const QByteArray& target, bool makeFolders);

    FileState m_state = FileState::Unusable;
    QString m_qtName;
    int m_folder = -1;
};

// Makes the missing folders above name, as QSettings would.
void MakeFoldersAbove(const QByteArray& name) {
    for (qsizetype slash = name.indexOf('/', 1); slash > 0; slash = name.indexOf('/', slash + 1)) {
        ::mkdir(name.left(slash).constData(), 0777);
    }
}

void SettingsFile::Resolve(const QString& path, bool makeFolders) {
    const QByteArray name = EncodeFileName(path);
    if (path.isEmpty() || name.isEmpty() || !FolderIsPrivate(FolderOf(name))) {
        return;
    }
    struct stat info {};
    QByteArray target = name;
    bool missing = false;
    if (::lstat(name.constData(), &info) != 0) {
        if (errno != ENOENT) {
            return;
        }
        missing = true;
    } else if (S_ISLNK(info.st_mode)) {
        // Only a link to an existing file is followed; its folder must be as private as the
        // settings' own.
        std::unique_ptr<char, decltype(&std::free)> real(::realpath(name.constData(), nullptr),
                                                         &std::free);
        if (real == nullptr) {
            return;
        }
        target = QByteArray(real.get());
        if (!FolderIsPrivate(FolderOf(target)) || ::lstat(target.constData(), &info) != 0) {
            return;
        }
    }
    // QSettings takes a lock file beside the settings before it writes and reads one it finds.
    const QByteArray lockName = target + ".lock";
    if (::lstat(lockName.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return;
    }
    if (!missing) {
        // Only a regular file is ever opened, the link's final target included.
        if (::lstat(target.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return;
        }
        const int fd = ::open(target.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        const bool usable = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                            info.st_uid == ::geteuid() && info.st_size <= kMaxProfileFileSize;
        ::close(fd);
        if (!usable) {
            return;
        }
    }
    if (!NameForQt(target, missing && makeFolders)) {
        return;
    }
    m_state = missing ? FileState::Missing : FileState::Regular;
}

bool SettingsFile::NameForQt(const QByteArray& target, bool makeFolders) {
    const QString decoded = DecodeFileName(target);
    if (QFile::encodeName(decoded) == target) {
        m_qtName = decoded;
        return true;
    }
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1);
    const QString qtBase = QFile::decodeName(base);
    if (QFile::encodeName(qtBase) != base) {
        return false;
    }
    if (makeFolders) {
        MakeFoldersAbove(target);
    }
    const QByteArray folder = FolderOf(target);
    m_folder =
        ::open(folder.isEmpty() ? "/" : folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0) {
        // Not there yet: nothing to read, and nothing to write before it is made.
        return !makeFolders && errno == ENOENT;
    }
    m_qtName = QStringLiteral("/proc/self/fd/%1/").arg(m_folder) + qtBase;
    return true;
}

FileState CheckFile(const QString& path) {
    return SettingsFile(path, false).State();
}

}  // namespace

ProfileStore::ProfileStore(QString keyName, QString appName)
    : m_keyName(std::move(keyName)), m_appName(std::move(appName)) {}

// A batch left open still reaches the file when the store goes.
ProfileStore::~ProfileStore() {
    if (m_batchDepth > 0) {
        Store(m_batch);
    }
}

ProfileStore::ProfileStore(ProfileStore&& other) noexcept
    : m_keyName(std::move(other.m_keyName)),
      m_appName(std::move(other.m_appName)),
      m_batch(std::move(other.m_batch)),
      m_batchDepth(std::exchange(other.m_batchDepth, 0)),
      m_writeFailed(std::exchange(other.m_writeFailed, false)) {}

ProfileStore& ProfileStore::operator=(ProfileStore&& other) noexcept {
    if (this != &other) {
        if (m_batchDepth > 0) {
            Store(m_batch);
        }
        m_keyName = std::move(other.m_keyName);
        m_appName = std::move(other.m_appName);
        m_batch = std::move(other.m_batch);
        m_batchDepth = std::exchange(other.m_batchDepth, 0);
        m_writeFailed = std::exchange(other.m_writeFailed, false);
    }
    return *this;
}

QString ProfileStore::FilePath() const {
    const QString folder = ConfigFolder();
    if (folder.isEmpty()) {
        return QString();
    }
    return folder + QLatin1Char('/') + m_keyName + QLatin1Char('/') + m_appName +
           QStringLiteral(".ini");
}

bool ProfileStore::IsUsable() const {
    return CheckFile(FilePath()) != FileState::Unusable;
}

int ProfileStore::GetProfileInt(const QString& section, const QString& key,
                                int defaultValue) const {
    const QString keyPath = KeyPath(section, key);
    const auto pending =
        std::find_if(m_batch.begin(), m_batch.end(),
                     [&keyPath](const auto& write) { return write.first == keyPath; });
    if (pending != m_batch.end()) {
        return pending->second;
    }
    const SettingsFile file(FilePath(), false);
    if (file.State() != FileState::Regular) {
        return defaultValue;
    }
    const QSettings settings(file.QtName(), QSettings::IniFormat);
    const QVariant value = settings.value(keyPath);
    // A damaged or hand-edited file may hold anything here: only a plain decimal integer
    // counts, everything else (a word, a list, a number out of range) gives the default.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

bool ProfileStore::WriteProfileInt(const QString& section, const QString& key, int value) {
    const QString keyPath = KeyPath(section, key);
    if (m_batchDepth > 0) {
        const auto pending =
            std::find_if(m_batch.begin(), m_batch.end(),
                         [&keyPath](const auto& write) { return write.first == keyPath; });
        if (pending != m_batch.end()) {
            pending->second = value;
        } else {
            m_batch.emplace_back(keyPath, value);
        }
        return true;
    }
    return Store({{keyPath, value}});
}

void ProfileStore::BeginBatch() {
    if (m_batchDepth++ == 0) {
        m_batch.clear();
    }
}

bool ProfileStore::EndBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0) {
        return true;
    }
    const Values values = std::exchange(m_batch, {});
    const bool stored = Store(values);
    return !std::exchange(m_writeFailed, false) && stored;
}

// Every write to the file is a synchronised one (a new file, flushed to the disk, then renamed
// over the old one), so a value that is already there is left alone. The file is checked just
// before QSettings reads it and again just before it is replaced: QSettings' own writing would
// follow a link and replace what it points at.
bool ProfileStore::Store(const Values& values) {
    if (values.empty()) {
        return true;
    }
    const QString path = FilePath();
    const SettingsFile file(path, true);
    if (file.State() == FileState::Unusable) {
        m_writeFailed = true;
        return false;
    }
    QSettings settings(file.QtName(), QSettings::IniFormat);
    Values changes;
    for (const auto& write : values) {
        if (!Holds(settings, write.first, write.second)) {
            changes.push_back(write);
        }
    }
    if (changes.empty()) {
        return true;
    }
    if (CheckFile(path) == FileState::Unusable) {
        m_writeFailed = true;
        return false;
    }
    for (const auto& [keyPath, value] : changes) {
        settings.setValue(keyPath, value);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        m_writeFailed = true;
        return false;
    }
    return true;
}

void SetProfileFolder(const QString& folder) {
    FolderOverride() = folder;
}

}  // namespace platform

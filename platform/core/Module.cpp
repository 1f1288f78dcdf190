#include "platform/core/Module.h"

#include "platform/core/File.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform {

namespace {

std::function<QString()>& Source() {
    static std::function<QString()> source;
    return source;
}

QString ReadExeLink() {
    // The link's length is not known in advance: grow the buffer until the name fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return QString();
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            return DecodeFileName(QByteArray(buffer.data(), static_cast<int>(n)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

QString HomeFolder() {
    const QByteArray home = qgetenv("HOME");
    if (!home.isEmpty()) {
        return DecodeFileName(home);
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? DecodeFileName(entry->pw_dir) : QString();
}

bool Exists(const QByteArray& name) {
    struct stat info {};
    return ::lstat(name.constData(), &info) == 0;
}

// Where the system keeps installed programs: never a place for a player's files, not even
// for root, who may write there.
bool IsSystemFolder(const QByteArray& folder) {
    for (const char* prefix : {"/usr/", "/opt/", "/bin/", "/sbin/"}) {
        if (folder.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

bool CanTakeNewFile(const QByteArray& folder) {
    return ::access(folder.constData(), W_OK | X_OK) == 0;
}

// True when nothing is at name, or what is there is the player's own (a link the player put
// there is followed). What the player made there, usable or not, stays the player's to hear
// about; what another user left is never used.
bool IsMissingOrOwn(const QByteArray& name) {
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return errno == ENOENT && !Exists(name);
    }
    return info.st_uid == ::geteuid();
}

}  // namespace

QString GetModuleFileName() {
    if (Source()) {
        return Source()();
    }
    return ReadExeLink();
}

void SetModuleFileNameSource(std::function<QString()> source) {
    Source() = std::move(source);
}

QString GetDataHome() {
    // A relative $XDG_DATA_HOME is invalid and ignored.
    QString home = DecodeFileName(qgetenv("XDG_DATA_HOME"));
    if (!home.startsWith(QLatin1Char('/'))) {
        home = HomeFolder() + QStringLiteral("/.local/share");
    }
    while (home.size() > 1 && home.endsWith(QLatin1Char('/'))) {
        home.chop(1);
    }
    return home;
}

QString GetFolderForFile(const QString& programFolder, const QString& fileName,
                         const QString& dataSubFolder) {
    const QByteArray folder = EncodeFileName(programFolder);
    if (!folder.isEmpty() && !IsSystemFolder(folder) && CanTakeNewFile(folder) &&
        IsMissingOrOwn(EncodeFileName(programFolder + fileName))) {
        return programFolder;
    }
    return GetDataHome() + QLatin1Char('/') + dataSubFolder + QLatin1Char('/');
}

bool MakeDataFolderFor(const QString& filePath) {
    const QString home = GetDataHome() + QLatin1Char('/');
    if (!filePath.startsWith(home)) {
        return true;
    }
    const QByteArray name = EncodeFileName(filePath);
    // Each folder on the way down, from the first below the root to the file's own.
    for (qsizetype slash = name.indexOf('/', 1); slash > 0; slash = name.indexOf('/', slash + 1)) {
        const QByteArray folder = name.left(slash);
        if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

}  // namespace platform

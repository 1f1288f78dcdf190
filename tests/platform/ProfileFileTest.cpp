// What the settings store does with something other than a settings file of the player's at
// its path: it reads the defaults, writes nothing, says that it wrote nothing, and leaves what
// is there as it found it. And where the file lies when the home folder is not given properly.

#include "platform/services/ProfileStore.h"
#include "ProfileFolderFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

const QByteArray kStoredText = "[Init]\nFontSize=7\n";

// What lies at a path, without following a link: its kind, a link's target and the bytes of
// the regular file that a link or the path itself names.
struct PathState {
    mode_t kind = 0;
    QString linkTarget;
    QByteArray bytes;
    bool operator==(const PathState&) const = default;
};

PathState StateOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    PathState state{static_cast<mode_t>(info.st_mode & S_IFMT), QFile::symLinkTarget(path), {}};
    struct stat named {};
    if (::stat(QFile::encodeName(path).constData(), &named) == 0 && S_ISREG(named.st_mode)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            state.bytes = file.readAll();
        }
    }
    return state;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class ProfileFile : public ProfileFolderTest {
public:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        ASSERT_TRUE(m_elsewhere.isValid());
        ASSERT_TRUE(QDir().mkpath(Folder()));
    }
    QString Folder() const { return m_dir.filePath(QStringLiteral("Brantel")); }
    QString IniPath() const { return Folder() + QStringLiteral("/Druno.ini"); }
    QString Elsewhere(const char* name) const { return m_elsewhere.filePath(QLatin1String(name)); }

protected:
    QTemporaryDir m_elsewhere;
};

struct BadFile {
    const char* name;
    // Puts the thing at the INI's path; may make a FIFO that watches its readers.
    std::function<void(ProfileFile&, std::unique_ptr<WatchedFifo>&)> make;
    bool needsRoot = false;
};

TEST_F(ProfileFile, AnythingButThePlayersOwnRegularFileIsNeitherReadNorWritten) {
    const BadFile cases[] = {
        {"FIFO",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>& fifo) {
             fifo = std::make_unique<WatchedFifo>(t.IniPath());
         }},
        {"link to a folder",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             QDir().mkdir(t.Elsewhere("folder"));
             QFile::link(t.Elsewhere("folder"), t.IniPath());
         }},
        {"link to nothing",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             QFile::link(t.Elsewhere("target"), t.IniPath());
         }},
        {"link to a device",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             QFile::link(QStringLiteral("/dev/null"), t.IniPath());
         }},
        {"link to a file in a folder others can write",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             QDir().mkdir(t.Elsewhere("shared"));
             WriteFile(t.Elsewhere("shared/target"), kStoredText);
             QFile::setPermissions(t.Elsewhere("shared"), QFileDevice::Permissions(0x7777));
             QFile::link(t.Elsewhere("shared/target"), t.IniPath());
         }},
        {"link to a FIFO",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>& fifo) {
             fifo = std::make_unique<WatchedFifo>(t.Elsewhere("fifo"));
             QFile::link(t.Elsewhere("fifo"), t.IniPath());
         }},
        {"folder",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) { QDir().mkdir(t.IniPath()); }},
        {"oversized junk",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             QByteArray junk = kStoredText;
             while (junk.size() <= platform::kMaxProfileFileSize) {
                 junk += "junk=\xff\x01 [[[ \"\\\n";
             }
             WriteFile(t.IniPath(), junk);
         }},
        {"file in a folder others can write",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             WriteFile(t.IniPath(), kStoredText);
             QFile::setPermissions(t.Folder(), QFileDevice::Permissions(0x7777));
         }},
        {"another user's file",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             WriteFile(t.IniPath(), kStoredText);
             ASSERT_EQ(::chown(QFile::encodeName(t.IniPath()).constData(), 65534, 65534), 0);
         },
         true},
        {"link to another user's file",
         [](ProfileFile& t, std::unique_ptr<WatchedFifo>&) {
             WriteFile(t.Elsewhere("target"), kStoredText);
             ASSERT_EQ(::chown(QFile::encodeName(t.Elsewhere("target")).constData(), 65534, 65534),
                       0);
             QFile::link(t.Elsewhere("target"), t.IniPath());
         },
         true},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0) {
            continue;  // only root can give a file away
        }
        QDir(Folder()).removeRecursively();
        QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7700));
        ASSERT_TRUE(QDir().mkpath(Folder()));
        std::unique_ptr<WatchedFifo> fifo;
        c.make(*this, fifo);
        ASSERT_TRUE(fifo == nullptr || fifo->Made());
        const PathState before = StateOf(IniPath());
        const PathState elsewhere = StateOf(Elsewhere("target"));

        platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
        EXPECT_FALSE(store.IsUsable());
        EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100),
                  100);
        EXPECT_FALSE(store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 0));
        store.BeginBatch();
        store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 42);
        EXPECT_FALSE(store.EndBatch());

        EXPECT_EQ(StateOf(IniPath()), before);
        EXPECT_EQ(StateOf(Elsewhere("target")), elsewhere);
        if (fifo) {
            EXPECT_FALSE(fifo->OpenedForReading());
        }
        QFile::remove(Elsewhere("target"));
        QFile::remove(Elsewhere("fifo"));
        QDir(Elsewhere("folder")).removeRecursively();
        QDir(Elsewhere("shared")).removeRecursively();
    }
}

// Dotfile managers keep the settings as a link to the player's own file elsewhere, often
// through a chain of links. The game reads that file, and writes through the link: the new
// contents replace the final target in its own folder, and every link stays a link.
TEST_F(ProfileFile, ALinkToThePlayersOwnFileIsReadAndWrittenThrough) {
    ASSERT_TRUE(QDir().mkpath(Elsewhere("dotfiles/druno")));
    const QString target = Elsewhere("dotfiles/druno/Druno.ini");
    ASSERT_TRUE(WriteFile(target, kStoredText));
    ASSERT_TRUE(QFile::link(target, Elsewhere("chain")));
    ASSERT_TRUE(QFile::link(Elsewhere("chain"), IniPath()));

    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    EXPECT_TRUE(store.IsUsable());
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100), 7);
    store.BeginBatch();
    store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 42);
    store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 0);
    EXPECT_TRUE(store.EndBatch());

    EXPECT_EQ(QFile::symLinkTarget(IniPath()), Elsewhere("chain"));
    EXPECT_EQ(QFile::symLinkTarget(Elsewhere("chain")), target);
    const PathState written = StateOf(target);
    EXPECT_EQ(written.kind, static_cast<mode_t>(S_IFREG));
    EXPECT_EQ(written.bytes, QByteArray("[Init]\nFontSize=42\nSound=0\n"));
    // Nothing is left beside the link: the lock and the new file were the target's folder's.
    EXPECT_EQ(QDir(Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("Druno.ini")});
    EXPECT_EQ(platform::ProfileStore(QStringLiteral("Brantel"), QStringLiteral("Druno"))
                  .GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100),
              42);
}

// A file that went wrong for one write is told of by the next batch's end, even when that
// batch had nothing to write: the window's place saved on its own is not lost unseen.
TEST_F(ProfileFile, AFailedWriteIsToldAtTheNextBatchEnd) {
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    ASSERT_TRUE(store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 1));
    ASSERT_TRUE(QFile::remove(IniPath()));
    ASSERT_TRUE(QDir().mkdir(IniPath()));
    EXPECT_FALSE(store.WriteProfileInt(QStringLiteral("Window"), QStringLiteral("Left"), 5));
    ASSERT_TRUE(QDir().rmdir(IniPath()));
    ASSERT_TRUE(WriteFile(IniPath(), "[Init]\nSound=1\n"));
    store.BeginBatch();
    store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 1);
    EXPECT_FALSE(store.EndBatch());
    store.BeginBatch();
    store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 1);
    EXPECT_TRUE(store.EndBatch());
}

// The environment of the process, put back as it was when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) {
            m_value = qgetenv(name);
        }
    }
    ~SavedVariable() {
        if (m_value) {
            qputenv(m_name, *m_value);
        } else {
            qunsetenv(m_name);
        }
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_value;
};

// A home folder whose name is not UTF-8 (a name from another encoding) is the folder its bytes
// name: the settings are written there and read back, and no other folder is made.
TEST(ProfileHome, AHomeNamedInBytesThatAreNotUtf8KeepsItsName) {
    const SavedVariable home("HOME");
    const SavedVariable xdg("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray parent = QFile::encodeName(dir.path());
    const QByteArray homeName = parent + "/J\xf6rg\xff";
    ASSERT_EQ(::mkdir(homeName.constData(), 0700), 0);
    qputenv("HOME", homeName);
    qunsetenv("XDG_CONFIG_HOME");

    {
        platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
        EXPECT_TRUE(store.IsUsable());
        store.BeginBatch();
        store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 42);
        EXPECT_TRUE(store.EndBatch());
    }
    struct stat info {};
    ASSERT_EQ(::stat((homeName + "/.config/Brantel/Druno.ini").constData(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    // Qt leaves names that are not UTF-8 out of its listings: count what the folder holds.
    std::vector<QByteArray> entries;
    if (DIR* folder = ::opendir(parent.constData())) {
        while (const dirent* entry = ::readdir(folder)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..") {
                entries.push_back(name);
            }
        }
        ::closedir(folder);
    }
    EXPECT_EQ(entries, std::vector<QByteArray>{"J\xf6rg\xff"});
    EXPECT_EQ(platform::ProfileStore(QStringLiteral("Brantel"), QStringLiteral("Druno"))
                  .GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100),
              42);
    RemoveTree(homeName);
}

// Without an absolute HOME the settings go to the account's home folder, never to a folder
// relative to wherever the program was started.
TEST(ProfileHome, AHomeThatIsMissingOrRelativeGivesWayToTheAccountsHome) {
    const SavedVariable home("HOME");
    const SavedVariable xdg("XDG_CONFIG_HOME");
    const passwd* account = ::getpwuid(::geteuid());
    const QString accountHome = account != nullptr && account->pw_dir != nullptr
                                    ? QFile::decodeName(account->pw_dir)
                                    : QString();
    const QString expected = accountHome.startsWith(QLatin1Char('/'))
                                 ? accountHome + QStringLiteral("/.config/Brantel/Druno.ini")
                                 : QString();
    struct Case {
        const char* name;
        std::optional<QByteArray> home;
        std::optional<QByteArray> xdg;
    };
    const Case cases[] = {
        {"HOME unset", std::nullopt, std::nullopt},
        {"HOME empty", QByteArray(), std::nullopt},
        {"HOME relative", QByteArray("home"), std::nullopt},
        {"HOME relative, XDG_CONFIG_HOME relative", QByteArray("home"), QByteArray("config")},
        {"HOME a resource path", QByteArray(":home"), QByteArray(":config")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.home ? qputenv("HOME", *c.home) : qunsetenv("HOME");
        c.xdg ? qputenv("XDG_CONFIG_HOME", *c.xdg) : qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(
            platform::ProfileStore(QStringLiteral("Brantel"), QStringLiteral("Druno")).FilePath(),
            expected);
    }
}

}  // namespace

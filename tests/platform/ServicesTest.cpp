// Files, the settings store, the executable's name, sounds and message-box answers.

#include "platform/core/File.h"
#include "platform/core/Module.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProfileStore.h"
#include "platform/services/Sound.h"
#include "platform/services/Strings.h"
#include "ProfileFolderFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

class Files : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path() const { return m_dir.filePath(QStringLiteral("data.bin")); }
    QByteArray Contents() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir m_dir;
};

TEST_F(Files, ReadOnlyOpenNeedsAnExistingFile) {
    platform::File file;
    EXPECT_EQ(file.Open(Path(), platform::kFileRead), -1);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(QFile::exists(Path()));
    EXPECT_EQ(file.Open(QString(), platform::kFileRead), -1);
}

TEST_F(Files, CreateReadWriteKeepsTheContents) {
    EXPECT_EQ(platform::kFileCreateReadWrite, 12290u);
    {
        platform::File file;
        ASSERT_EQ(file.Open(Path(), platform::kFileCreateReadWrite), 0);
        EXPECT_EQ(file.Write("abcdef", 6), 6);
    }
    platform::File file;
    ASSERT_EQ(file.Open(Path(), platform::kFileCreateReadWrite), 0);
    EXPECT_EQ(file.Seek(2), 2);
    EXPECT_EQ(file.Write("XY", 2), 2);
    // A write past the end extends the file.
    EXPECT_EQ(file.Seek(8), 8);
    EXPECT_EQ(file.Write("Z", 1), 1);
    file.Close();
    EXPECT_EQ(Contents(), QByteArray("abXYef\0\0Z", 9));

    // Creating without "keep the contents" starts afresh.
    ASSERT_EQ(file.Open(Path(), platform::kFileCreate | platform::kFileReadWrite), 0);
    file.Close();
    EXPECT_EQ(Contents(), QByteArray());
}

TEST_F(Files, ReadsStopAtTheEndAndFailuresAreMinusOne) {
    QFile seed(Path());
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
    seed.write("0123456789");
    seed.close();

    platform::File file;
    ASSERT_EQ(file.Open(Path(), platform::kFileRead), 0);
    char buffer[16] = {};
    EXPECT_EQ(file.Seek(6), 6);
    EXPECT_EQ(file.Read(buffer, 16), 4);
    EXPECT_EQ(QByteArray(buffer, 4), QByteArray("6789"));
    EXPECT_EQ(file.Read(buffer, 16), 0);
    EXPECT_EQ(file.Seek(-36), -1);
    EXPECT_EQ(file.Write("x", 1), -1);  // opened for reading only
    file.Close();
    file.Close();  // harmless twice
    EXPECT_EQ(file.Read(buffer, 1), -1);
    EXPECT_EQ(file.Seek(0), -1);
    EXPECT_EQ(Contents(), QByteArray("0123456789"));
}

// Only a regular file opens, and opening anything else never waits (a FIFO without a writer
// would hold an ordinary open for good). Why an open failed is kept.
TEST_F(Files, OnlyRegularFilesOpen) {
    platform::File file;
    EXPECT_EQ(file.Open(Path(), platform::kFileRead), -1);
    EXPECT_EQ(file.Error(), ENOENT);

    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = m_dir.filePath(QStringLiteral("zero"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    for (const QString& path : {fifo, zero, m_dir.path()}) {
        for (unsigned flags : {platform::kFileRead, platform::kFileCreateReadWrite}) {
            EXPECT_EQ(file.Open(path, flags), -1) << path.toStdString() << " " << flags;
            EXPECT_NE(file.Error(), 0);
            EXPECT_NE(file.Error(), ENOENT);
            EXPECT_FALSE(file.IsOpen());
        }
    }

    // A link to a regular file is that file.
    const QString link = m_dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(Path(), link));
    ASSERT_EQ(file.Open(link, platform::kFileCreateReadWrite), 0);
    EXPECT_EQ(file.Error(), 0);
    EXPECT_EQ(file.Write("abc", 3), 3);
    EXPECT_EQ(file.Size(), 3);
    file.Close();
    EXPECT_EQ(Contents(), QByteArray("abc"));

    // Made only when new.
    EXPECT_EQ(file.Open(Path(), platform::kFileCreateReadWrite | platform::kFileCreateNew), -1);
    EXPECT_EQ(file.Error(), EEXIST);
}

// In a folder others can write, only a regular file of our own with one name opens: a link
// there may have been put in place by someone else, to someone else's file. Refused, it is
// not cut short either; a new file is made as ever.
TEST_F(Files, ASharedFolderOpensOnlyOurOwnFiles) {
    const QByteArray shared = QFile::encodeName(m_dir.filePath(QStringLiteral("shared")));
    ASSERT_EQ(::mkdir(shared.constData(), 0700), 0);
    {
        QFile target(Path());
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        target.write("keep");
    }
    const QByteArray target = QFile::encodeName(Path());
    ASSERT_EQ(::symlink(target.constData(), (shared + "/link").constData()), 0);
    ASSERT_EQ(::link(target.constData(), (shared + "/hard").constData()), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        QFile foreign(QFile::decodeName(shared + "/foreign"));
        ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
        foreign.write("theirs");
        foreign.close();
        ASSERT_EQ(::chown((shared + "/foreign").constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(shared.constData(), 01777), 0);

    struct Case {
        const char* name;
        int error;
    };
    const unsigned truncating = platform::kFileCreate | platform::kFileReadWrite;
    for (const Case& c : {Case{"link", ELOOP}, Case{"hard", EPERM}, Case{"foreign", EPERM}}) {
        if (std::string(c.name) == "foreign" && !root) {
            continue;  // only root can give a file to another user
        }
        for (unsigned flags : {platform::kFileRead, platform::kFileCreateReadWrite, truncating}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(flags));
            platform::File file;
            EXPECT_EQ(file.Open(QFile::decodeName(shared + "/" + c.name), flags), -1);
            EXPECT_EQ(file.Error(), c.error);
        }
    }
    EXPECT_EQ(Contents(), QByteArray("keep"));
    if (root) {
        QFile foreign(QFile::decodeName(shared + "/foreign"));
        ASSERT_TRUE(foreign.open(QIODevice::ReadOnly));
        EXPECT_EQ(foreign.readAll(), QByteArray("theirs"));
    }

    platform::File made;
    ASSERT_EQ(made.Open(QFile::decodeName(shared + "/new"), truncating), 0);
    EXPECT_EQ(made.Write("ours", 4), 4);
    made.Close();
    ASSERT_EQ(made.Open(QFile::decodeName(shared + "/new"), truncating), 0);
    EXPECT_EQ(made.Size(), 0);  // our own file is cut short when asked
    made.Close();
    ::chmod(shared.constData(), 0700);
}

// A lock belongs to the open file: a second open of the same file, even by another name,
// waits for it; the owner sees that both are one file.
TEST_F(Files, LocksBelongToTheOpenFile) {
    platform::File first;
    ASSERT_EQ(first.Open(Path(), platform::kFileCreateReadWrite), 0);
    ASSERT_EQ(first.Lock(true), 0);
    const QString link = m_dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(Path(), link));
    platform::File second;
    ASSERT_EQ(second.Open(link, platform::kFileRead), 0);
    EXPECT_TRUE(first.IsSameFile(second));
    const int fd = ::open(QFile::encodeName(Path()).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::flock(fd, LOCK_SH | LOCK_NB), -1);  // held by first
    first.Close();
    EXPECT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);
    ::close(fd);

    platform::File other;
    const QString elsewhere = m_dir.filePath(QStringLiteral("other.bin"));
    QFile(elsewhere).open(QIODevice::WriteOnly);
    ASSERT_EQ(other.Open(elsewhere, platform::kFileRead), 0);
    EXPECT_FALSE(second.IsSameFile(other));
}

// Names are bytes: whatever they hold comes back unchanged, valid UTF-8 reads as itself.
TEST(FileNames, EveryNameSurvivesTheRoundTrip) {
    const std::vector<QByteArray> names = {
        "/home/player/games",
        "/home/my\\games/Druno.sta",
        "/tmp/Spiele f\xc3\xbcr dich",        // valid UTF-8
        "/tmp/g\xf0\x9f\x8e\xb2mes",          // a character beyond 16 bits
        "/tmp/latin\xfc\xe9",                 // Latin-1, not UTF-8
        "/tmp/\xff\xfe\x80",                  // never UTF-8
        "/tmp/cut\xc3",                       // a sequence cut short
        "/tmp/long\xc0\xaf",                  // an overlong "/"
        "/tmp/half\xed\xa0\x80\xed\xb0\x80",  // surrogates written as UTF-8
        "/tmp/high\xf4\x90\x80\x80",          // beyond U+10FFFF
    };
    for (const QByteArray& name : names) {
        const QString decoded = platform::DecodeFileName(name);
        EXPECT_EQ(platform::EncodeFileName(decoded), name) << name.toHex().toStdString();
        if (QString::fromUtf8(name).toUtf8() == name) {
            EXPECT_EQ(decoded, QString::fromUtf8(name));
        }
    }
    EXPECT_EQ(platform::EncodeFileName(QString(QChar(0xD800))), QByteArray());
    EXPECT_EQ(platform::EncodeFileName(QStringLiteral("a") + QChar(0) + QStringLiteral("b")),
              QByteArray());
}

TEST_F(Files, ANameThatIsNotUtf8Opens) {
    const QByteArray folder = QFile::encodeName(m_dir.path()) + "/g\xffmes";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QString path = platform::DecodeFileName(folder + "/Druno.sta");
    platform::File file;
    ASSERT_EQ(file.Open(path, platform::kFileCreateReadWrite), 0);
    EXPECT_EQ(file.Write("x", 1), 1);
    file.Close();
    struct stat info {};
    EXPECT_EQ(::stat((folder + "/Druno.sta").constData(), &info), 0);
    EXPECT_EQ(info.st_size, 1);
    RemoveTree(folder);
}

using Profiles = ProfileFolderTest;

TEST_F(Profiles, TheFileLiesUnderTheKeyName) {
    const platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    EXPECT_EQ(store.FilePath(), m_dir.filePath(QStringLiteral("Brantel/Druno.ini")));

    platform::SetProfileFolder(QString());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(store.FilePath(), QStringLiteral("/somewhere/config/Brantel/Druno.ini"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(store.FilePath(), QDir::homePath() + QStringLiteral("/.config/Brantel/Druno.ini"));
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(Profiles, IntegersRoundTripAndAnythingElseGivesTheDefault) {
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100), 100);
    EXPECT_TRUE(store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), -7));
    EXPECT_TRUE(store.WriteProfileInt(QStringLiteral("Init.LaF"), QStringLiteral("Flag"), 0));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("FontSize"), 100), -7);
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init.LaF"), QStringLiteral("Flag"), 1), 0);

    QFile file(store.FilePath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[Bad]\nWord=ten\nTail=12abc\nList=1,2\nHuge=4294967296\nSpaced= 42 \n");
    file.close();
    const QString bad = QStringLiteral("Bad");
    for (const char* key : {"Word", "Tail", "List", "Huge"}) {
        EXPECT_EQ(store.GetProfileInt(bad, QString::fromLatin1(key), 5), 5) << key;
    }
    EXPECT_EQ(store.GetProfileInt(bad, QStringLiteral("Spaced"), 5), 42);
}

TEST_F(Profiles, AnUnwritableStoreSaysSo) {
    BlockKeyFolder();
    platform::ProfileStore store(QStringLiteral("Brantel"), QStringLiteral("Druno"));
    EXPECT_FALSE(store.WriteProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 1));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Init"), QStringLiteral("Sound"), 3), 3);
}

TEST(Module, NamesTheRunningExecutable) {
    const QString name = platform::GetModuleFileName();
    EXPECT_TRUE(QFileInfo(name).isAbsolute());
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_TRUE(name.endsWith(QStringLiteral("/platform_services_test"))) << name.toStdString();

    platform::SetModuleFileNameSource([] { return QStringLiteral("/opt/druno/druno"); });
    EXPECT_EQ(platform::GetModuleFileName(), QStringLiteral("/opt/druno/druno"));
    platform::SetModuleFileNameSource(nullptr);
    EXPECT_EQ(platform::GetModuleFileName(), name);
}

// The environment variables of the player's folders, set for one test and restored after it.
class DataFolders : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_savedData = qgetenv("XDG_DATA_HOME");
        m_savedHome = qgetenv("HOME");
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", m_savedData);
        qputenv("HOME", m_savedHome);
    }
    QString Folder(const QString& name) const { return m_dir.filePath(name) + QLatin1Char('/'); }
    QTemporaryDir m_dir;
    QByteArray m_savedData;
    QByteArray m_savedHome;
};

TEST_F(DataFolders, DataHomeFollowsTheBaseDirectoryRules) {
    qputenv("HOME", "/home/player");
    qputenv("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(platform::GetDataHome(), QStringLiteral("/srv/data"));
    qputenv("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
    EXPECT_EQ(platform::GetDataHome(), QStringLiteral("/home/player/.local/share"));
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(platform::GetDataHome(), QStringLiteral("/home/player/.local/share"));
}

TEST_F(DataFolders, FileStaysBesideTheProgramWhereverThatWorks) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    const QString data = m_dir.filePath(QStringLiteral("data/Brantel/Druno/"));
    const QString name = QStringLiteral("Druno.sta");
    const QString writable = Folder(QStringLiteral("my\\games"));
    ASSERT_TRUE(QDir().mkpath(writable));
    EXPECT_EQ(platform::GetFolderForFile(writable, name, QStringLiteral("Brantel/Druno")),
              writable);
    EXPECT_EQ(platform::GetFolderForFile(Folder(QStringLiteral("missing")), name,
                                         QStringLiteral("Brantel/Druno")),
              data);
    EXPECT_EQ(
        platform::GetFolderForFile(QStringLiteral("\\"), name, QStringLiteral("Brantel/Druno")),
        data);
    // Deciding makes nothing.
    EXPECT_FALSE(QFileInfo::exists(data));
    EXPECT_FALSE(QFileInfo::exists(writable + name));
}

// Where installed programs live is never where a player's file goes, even for root, who could
// write there; and a file beside the program that is not the player's own is never used.
TEST_F(DataFolders, NeitherASystemFolderNorAnotherUsersFileIsThePlayers) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    const QString data = m_dir.filePath(QStringLiteral("data/Brantel/Druno/"));
    const QString name = QStringLiteral("Druno.sta");
    for (const char* system : {"/usr/games/", "/usr/local/bin/", "/opt/druno/bin/", "/bin/"}) {
        EXPECT_EQ(platform::GetFolderForFile(QString::fromLatin1(system), name,
                                             QStringLiteral("Brantel/Druno")),
                  data)
            << system;
    }

    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a file to another user";
    }
    const QString games = Folder(QStringLiteral("games"));
    ASSERT_TRUE(QDir().mkpath(games));
    QFile foreign(games + name);
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.close();
    ASSERT_EQ(::chown(QFile::encodeName(games + name).constData(), 65534, 65534), 0);
    EXPECT_EQ(platform::GetFolderForFile(games, name, QStringLiteral("Brantel/Druno")), data);
    ASSERT_EQ(::chown(QFile::encodeName(games + name).constData(), 0, 0), 0);
    EXPECT_EQ(platform::GetFolderForFile(games, name, QStringLiteral("Brantel/Druno")), games);
}

TEST_F(DataFolders, OnlyTheDataFolderIsMade) {
    const QString data = m_dir.filePath(QStringLiteral("data"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    EXPECT_TRUE(platform::MakeDataFolderFor(data + QStringLiteral("/Brantel/Druno/Druno.sta")));
    for (const QString& folder :
         {data, data + QStringLiteral("/Brantel"), data + QStringLiteral("/Brantel/Druno")}) {
        EXPECT_EQ(QFileInfo(folder).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                                QFile::ExeOwner | QFile::ReadUser |
                                                                QFile::WriteUser | QFile::ExeUser)
            << folder.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/Brantel/Druno/Druno.sta")));

    const QString elsewhere = m_dir.filePath(QStringLiteral("games/Druno.sta"));
    EXPECT_TRUE(platform::MakeDataFolderFor(elsewhere));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("games"))));

    // A file in the way.
    QFile blocker(data + QStringLiteral("/Other"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(platform::MakeDataFolderFor(data + QStringLiteral("/Other/Druno/Druno.sta")));
}

TEST(Sound, EveryRequestIsReportedAndFailuresAreSilent) {
    std::vector<unsigned> heard;
    platform::SetSoundObserver([&](unsigned type) { heard.push_back(type); });
    platform::MessageBeep(16);
    platform::MessageBeep(0);
    platform::SetSoundObserver(nullptr);
    platform::MessageBeep(0);
    EXPECT_EQ(heard, (std::vector<unsigned>{16, 0}));
}

TEST(MessageBoxSeam, AnswererSeesTextCaptionAndType) {
    platform::InstallStringTable({{12, QStringLiteral("Error in opening statistics file.")}});
    std::vector<std::tuple<QString, QString, unsigned>> asked;
    platform::SetMessageBoxAnswerer(
        [&](const QString& text, const QString& caption, unsigned type) {
            asked.emplace_back(text, caption, type);
            return 7;
        });
    EXPECT_EQ(platform::MessageBox(QStringLiteral("Really?"), 36), 7);
    EXPECT_EQ(platform::MessageBox(12u, 16), 7);
    platform::SetMessageBoxAnswerer(nullptr);
    ASSERT_EQ(asked.size(), 2u);
    // No application object in this test: the program's name stands in.
    EXPECT_EQ(asked[0], std::make_tuple(QStringLiteral("Really?"), QStringLiteral("Druno"), 36u));
    EXPECT_EQ(std::get<0>(asked[1]), QStringLiteral("Error in opening statistics file."));

    // Without a running application there is no box to show: the failed answer.
    EXPECT_EQ(platform::MessageBox(QStringLiteral("Nobody sees this"), 0), 0);
}

}  // namespace

// Files, the settings store, the executable's name, sounds and message-box answers.

#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/Module.h"
#include "platform/ProfileStore.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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

TEST_F(Files, AFolderOpensButCannotBeRead) {
    platform::File file;
    ASSERT_EQ(file.Open(m_dir.path(), platform::kFileRead), 0);
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, 4), -1);
    EXPECT_EQ(file.Open(m_dir.path(), platform::kFileCreateReadWrite), -1);
}

class Profiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        platform::SetProfileFolder(m_dir.path());
    }
    void TearDown() override { platform::SetProfileFolder(QString()); }
    QTemporaryDir m_dir;
};

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
    QFile blocker(m_dir.filePath(QStringLiteral("Brantel")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
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

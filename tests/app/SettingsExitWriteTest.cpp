// Saving the settings at exit: a file that already holds the five values is left as it is, and
// a file that lacks or differs in any of them ends up holding all five, with the rest of its
// content kept.

#include "app/MyDrunoApp.h"
#include "platform/services/ProfileStore.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class SavingApp : public CMyDrunoApp {
public:
    SavingApp() { SetRegistryKey(QStringLiteral("Brantel")); }
};

class SettingsAtExit : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        platform::SetProfileFolder(m_dir.path());
        QDir().mkpath(m_dir.filePath(QStringLiteral("Brantel")));
    }
    void TearDown() override { platform::SetProfileFolder(QString()); }

    QString IniPath() const { return m_dir.filePath(QStringLiteral("Brantel/Druno.ini")); }

    // The file, dated well in the past so that any write would show.
    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000),
                                     QFileDevice::FileModificationTime));
    }

    struct FileState {
        ino_t inode = 0;
        qint64 modified = 0;
        QByteArray bytes;
        bool operator==(const FileState&) const = default;
    };
    FileState State() const {
        struct stat info {};
        EXPECT_EQ(::stat(IniPath().toLocal8Bit().constData(), &info), 0);
        QFile file(IniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return {info.st_ino, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
                file.readAll()};
    }

    QString Stored(const char* key) const {
        return QSettings(IniPath(), QSettings::IniFormat).value(QLatin1String(key)).toString();
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsAtExit, AFileThatHoldsEveryValueIsNotTouched) {
    WriteIni(
        "[Init]\nFontSize=120\nFontSizeStatus=12\nSound=0\n\n"
        "[Init.LaF]\nNoFullScreenDlg=1\nShowCancelBtn=0\n");
    const FileState before = State();
    SavingApp app;
    app.RegInit(true);
    app.RegInit(false);
    EXPECT_EQ(State(), before);
}

TEST_F(SettingsAtExit, AnyMissingOrDifferentValueGetsAllFiveWrittenAndKeepsTheRest) {
    struct Case {
        const char* name;
        QByteArray text;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"one key missing",
         "[Init]\nFontSize=120\nFontSizeStatus=12\n\n"
         "[Init.LaF]\nNoFullScreenDlg=1\nShowCancelBtn=0\n"},
        {"a section missing", "[Init]\nFontSize=120\nFontSizeStatus=12\nSound=0\n"},
        {"a value written differently", "[Init]\nFontSize=0120\nFontSizeStatus=12\nSound=0\n"},
    };
    for (const Case& c : cases) {
        WriteIni(c.text + "\n[Other]\nKept=yes\n");
        SavingApp app;
        app.RegInit(true);
        app.m_nFontSize = 120;
        app.m_nFontSizeStatus = 12;
        app.m_bSound = false;
        app.m_bNoFullScreenDlg = true;
        app.m_bShowCancelBtn = false;
        app.RegInit(false);
        EXPECT_EQ(Stored("Init/Sound"), QStringLiteral("0")) << c.name;
        EXPECT_EQ(Stored("Init/FontSize"), QStringLiteral("120")) << c.name;
        EXPECT_EQ(Stored("Init/FontSizeStatus"), QStringLiteral("12")) << c.name;
        EXPECT_EQ(Stored("Init.LaF/ShowCancelBtn"), QStringLiteral("0")) << c.name;
        EXPECT_EQ(Stored("Init.LaF/NoFullScreenDlg"), QStringLiteral("1")) << c.name;
        EXPECT_EQ(Stored("Other/Kept"), QStringLiteral("yes")) << c.name;
    }
}

TEST_F(SettingsAtExit, AChangedValueReachesTheNextStart) {
    WriteIni(
        "[Init]\nFontSize=100\nFontSizeStatus=16\nSound=1\n\n"
        "[Init.LaF]\nNoFullScreenDlg=1\nShowCancelBtn=1\n");
    const FileState before = State();
    SavingApp app;
    app.RegInit(true);
    app.m_nFontSizeStatus = 20;
    app.RegInit(false);
    EXPECT_NE(State(), before);

    SavingApp next;
    next.RegInit(true);
    EXPECT_EQ(next.m_nFontSizeStatus, 20);
    EXPECT_EQ(next.m_nFontSize, 100);
    EXPECT_TRUE(next.m_bSound);
    EXPECT_TRUE(next.m_bShowCancelBtn);
}

}  // namespace

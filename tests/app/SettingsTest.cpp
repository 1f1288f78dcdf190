// The five settings: defaults, loading and saving through a real INI file in a temporary
// folder.

#include "app/MyDrunoApp.h"
#include "platform/core/Debug.h"
#include "platform/services/ProfileStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

namespace {

// The application object as start-up leaves it once the key name is set.
class SettingsApp : public CMyDrunoApp {
public:
    SettingsApp() { SetRegistryKey(QStringLiteral("Brantel")); }
};

// The five settings as the application holds them, for comparisons that print well.
struct FiveSettings {
    bool sound;
    int fontSize;
    int fontSizeStatus;
    bool showCancelBtn;
    bool noFullScreenDlg;
    friend bool operator==(const FiveSettings&, const FiveSettings&) = default;
    friend std::ostream& operator<<(std::ostream& out, const FiveSettings& s) {
        return out << "Sound " << s.sound << ", FontSize " << s.fontSize << ", FontSizeStatus "
                   << s.fontSizeStatus << ", ShowCancelBtn " << s.showCancelBtn
                   << ", NoFullScreenDlg " << s.noFullScreenDlg;
    }
};

FiveSettings SettingsOf(const CMyDrunoApp& app) {
    return {app.m_bSound, app.m_nFontSize, app.m_nFontSizeStatus, app.m_bShowCancelBtn,
            app.m_bNoFullScreenDlg};
}

// What a store without the settings gives.
constexpr FiveSettings kDefaults{true, 100, 16, true, true};

class Settings : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        platform::SetProfileFolder(m_dir.path());
        platform::SetDebugObserver([this](const QString& text) { m_lines << text; });
    }
    void TearDown() override {
        platform::SetDebugObserver(nullptr);
        platform::SetProfileFolder(QString());
    }

    QString IniPath() const { return m_dir.filePath(QStringLiteral("Brantel/Druno.ini")); }
    void WriteIni(const QByteArray& text) {
        QDir().mkpath(m_dir.filePath(QStringLiteral("Brantel")));
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString Stored(const QString& key) const {
        return QSettings(IniPath(), QSettings::IniFormat).value(key).toString();
    }

    QTemporaryDir m_dir;
    QStringList m_lines;
};

TEST_F(Settings, BeforeLoadingOnlyTheConstructorValuesAreSet) {
    SettingsApp app;
    EXPECT_EQ(SettingsOf(app), (FiveSettings{true, 100, 16, false, false}));
}

TEST_F(Settings, EmptyStoreGivesDefaultsAndAllFiveAreWritten) {
    SettingsApp app;
    app.m_bSound = false;
    app.RegInit(true);
    EXPECT_EQ(SettingsOf(app), kDefaults);

    m_lines.clear();
    app.RegInit(false);
    EXPECT_EQ(m_lines, QStringList({QStringLiteral("CMyDrunoApp::RegInit() {\n"),
                                    QStringLiteral("fRead==false /* write */\n"),
                                    QStringLiteral("} CMyDrunoApp::RegInit()\n")}));
    EXPECT_EQ(Stored(QStringLiteral("Init/Sound")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("Init/FontSize")), QStringLiteral("100"));
    EXPECT_EQ(Stored(QStringLiteral("Init/FontSizeStatus")), QStringLiteral("16"));
    EXPECT_EQ(Stored(QStringLiteral("Init.LaF/ShowCancelBtn")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("Init.LaF/NoFullScreenDlg")), QStringLiteral("1"));

    // The file a user would find: two sections with plain integers.
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[Init]\nFontSize=100\nFontSizeStatus=16\nSound=1\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[Init.LaF]\nNoFullScreenDlg=1\nShowCancelBtn=1\n")))
        << text.toStdString();
}

TEST_F(Settings, StoredValuesAreTakenAsTheyAre) {
    WriteIni(
        "[Init]\nSound=5\nFontSize=7\nFontSizeStatus=30\n"
        "[Init.LaF]\nShowCancelBtn=0\nNoFullScreenDlg=-3\n");
    SettingsApp app;
    m_lines.clear();
    app.RegInit(true);
    EXPECT_EQ(m_lines, QStringList({QStringLiteral("CMyDrunoApp::RegInit() {\n"),
                                    QStringLiteral("fRead==true\n"),
                                    QStringLiteral("} CMyDrunoApp::RegInit()\n")}));
    EXPECT_EQ(SettingsOf(app), (FiveSettings{true, 7, 30, false, true}));

    app.RegInit(false);
    EXPECT_EQ(Stored(QStringLiteral("Init/Sound")), QStringLiteral("1"));
    EXPECT_EQ(Stored(QStringLiteral("Init/FontSize")), QStringLiteral("7"));
    EXPECT_EQ(Stored(QStringLiteral("Init.LaF/ShowCancelBtn")), QStringLiteral("0"));
    EXPECT_EQ(Stored(QStringLiteral("Init.LaF/NoFullScreenDlg")), QStringLiteral("1"));
}

TEST_F(Settings, DamagedFileGivesDefaultsAndIsRepairedAtExit) {
    WriteIni(
        "[Init\nSound=yes\nFontSize=12abc\nFontSizeStatus=99999999999\n\x01\xff=\n"
        "[Init.LaF]\nShowCancelBtn=0,1\nNoFullScreenDlg=@Variant(\\0\\0\\0\\x7f)\n");
    SettingsApp app;
    app.RegInit(true);
    EXPECT_EQ(SettingsOf(app), kDefaults);

    app.m_nFontSize = 50;
    app.RegInit(false);
    SettingsApp next;
    next.RegInit(true);
    EXPECT_EQ(next.m_nFontSize, 50);
}

}  // namespace

// The level lives in [Game]: a player who keeps the default gets no such section, another
// level survives a restart, and a damaged or unknown level gives the default.
TEST_F(Settings, LevelIsKeptInItsOwnSection) {
    {
        SettingsApp app;
        app.RegInit(true);
        EXPECT_EQ(app.m_nLevel, 1);
        app.RegInit(false);
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(file.readAll().contains("Level")) << "the default level is not written";
    }
    {
        SettingsApp app;
        app.RegInit(true);
        app.m_nLevel = 3;
        app.RegInit(false);
    }
    EXPECT_EQ(Stored(QStringLiteral("Game/Level")), QStringLiteral("3"));
    EXPECT_TRUE(Stored(QStringLiteral("Init/Level")).isEmpty());
    {
        SettingsApp app;
        app.RegInit(true);
        EXPECT_EQ(app.m_nLevel, 3);
        // Back to the default: the stored level must follow.
        app.m_nLevel = 1;
        app.RegInit(false);
    }
    EXPECT_EQ(Stored(QStringLiteral("Game/Level")), QStringLiteral("1"));

    for (const char* damaged : {"0", "4", "-2", "abc", "2x", ""}) {
        WriteIni(QByteArray("[Game]\nLevel=") + damaged + "\n");
        SettingsApp app;
        app.m_nLevel = 2;
        app.RegInit(true);
        EXPECT_EQ(app.m_nLevel, 1) << damaged;
    }
}

// The coach is off until the player turns it on, and only then is it written: a player who
// never did keeps the settings file byte for byte as it was. Once written it is kept, off too.
TEST_F(Settings, CoachIsWrittenOnlyOnceTurnedOn) {
    const auto fileBytes = [this] {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QByteArray untouched;
    {
        SettingsApp app;
        app.RegInit(true);
        EXPECT_FALSE(app.m_bCoach);
        app.RegInit(false);
        untouched = fileBytes();
        EXPECT_FALSE(untouched.contains("Coach"));
    }
    {
        // On and off again within a run leaves nothing to keep.
        SettingsApp app;
        app.RegInit(true);
        app.m_bCoach = true;
        app.m_bCoach = false;
        app.RegInit(false);
        EXPECT_EQ(fileBytes(), untouched);
    }
    {
        SettingsApp app;
        app.RegInit(true);
        app.m_bCoach = true;
        app.RegInit(false);
    }
    EXPECT_EQ(Stored(QStringLiteral("Game/Coach")), QStringLiteral("1"));
    {
        SettingsApp app;
        app.RegInit(true);
        EXPECT_TRUE(app.m_bCoach);
        app.m_bCoach = false;
        app.RegInit(false);
    }
    EXPECT_EQ(Stored(QStringLiteral("Game/Coach")), QStringLiteral("0"));

    for (const char* damaged : {"abc", "", "2x"}) {
        WriteIni(QByteArray("[Game]\nCoach=") + damaged + "\n");
        SettingsApp app;
        app.RegInit(true);
        EXPECT_FALSE(app.m_bCoach) << damaged;
    }
}

// A settings file the game may not use: the player starts with the defaults, what lies there is
// left alone, and at exit one box says that the settings could not be saved. A file that is
// fine brings no box.

#include "app/MyDrunoApp.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProfileStore.h"
#include "res/Resources.h"
#include "tests/platform/ProfileFolderFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>

#include <memory>

namespace {

class ExitingApp : public CMyDrunoApp {
public:
    ExitingApp() { SetRegistryKey(QStringLiteral("Brantel")); }
};

class UnusableSettings : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        res::Install();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("Brantel"))));
        platform::SetMessageBoxAnswerer(
            [this](const QString& text, const QString& caption, unsigned type) {
                m_boxes << QStringLiteral("%1 | %2 | %3").arg(caption, text).arg(type);
                return 1;
            });
    }
    void TearDown() override {
        platform::SetMessageBoxAnswerer(nullptr);
        ProfileFolderTest::TearDown();
    }
    QString IniPath() const { return m_dir.filePath(QStringLiteral("Brantel/Druno.ini")); }

    QStringList m_boxes;
};

TEST_F(UnusableSettings, DefaultsAtStartAndOneBoxAtExit) {
    enum class Kind { Fifo, Folder, Oversized };
    const struct {
        const char* name;
        Kind kind;
    } cases[] = {{"FIFO", Kind::Fifo}, {"folder", Kind::Folder}, {"oversized", Kind::Oversized}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(IniPath());
        QDir(IniPath()).removeRecursively();
        m_boxes.clear();
        std::unique_ptr<WatchedFifo> fifo;
        QByteArray junk = "[Init]\nFontSize=7\n";
        switch (c.kind) {
            case Kind::Fifo:
                fifo = std::make_unique<WatchedFifo>(IniPath());
                ASSERT_TRUE(fifo->Made());
                break;
            case Kind::Folder:
                ASSERT_TRUE(QDir().mkdir(IniPath()));
                break;
            case Kind::Oversized: {
                while (junk.size() <= platform::kMaxProfileFileSize) {
                    junk += "[Junk]\nkey=value\n";
                }
                QFile file(IniPath());
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(junk);
                break;
            }
        }

        ExitingApp app;
        app.RegInit(true);
        EXPECT_EQ(app.m_nFontSize, 100);
        app.m_nFontSize = 120;
        app.ExitInstance();

        EXPECT_EQ(m_boxes,
                  QStringList(QStringLiteral("Druno | The settings could not be saved in %1. | 16")
                                  .arg(IniPath())));
        if (fifo) {
            EXPECT_FALSE(fifo->OpenedForReading());
        }
        if (c.kind == Kind::Oversized) {
            QFile file(IniPath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), junk);
        }
        EXPECT_EQ(c.kind == Kind::Folder, QFileInfo(IniPath()).isDir());
    }
}

TEST_F(UnusableSettings, SavedSettingsBringNoBox) {
    ExitingApp app;
    app.RegInit(true);
    app.m_nFontSize = 120;
    app.ExitInstance();
    EXPECT_TRUE(m_boxes.isEmpty());
    EXPECT_TRUE(QFile::exists(IniPath()));
}

}  // namespace

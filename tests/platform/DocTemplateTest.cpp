// The single-document template: document, frame and view made from their classes in the
// framework's order; the recent-file list from the settings store; closing the main frame.

#include "FrameworkFixture.h"
#include "platform/framework/Application.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/framework/View.h"
#include "platform/graphics/DC.h"
#include "platform/services/ProfileStore.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QStringList& Events() {
    static QStringList events;
    return events;
}

class TplDoc : public platform::Document {
    PLATFORM_DECLARE_DYNCREATE(TplDoc)
public:
    TplDoc() { Events() << QStringLiteral("doc"); }
    bool OnNewDocument() override {
        Events() << QStringLiteral("doc new");
        return platform::Document::OnNewDocument();
    }
};
PLATFORM_IMPLEMENT_DYNCREATE(TplDoc)

class TplView : public platform::View {
    PLATFORM_DECLARE_DYNCREATE(TplView)
public:
    TplView() { Events() << QStringLiteral("view"); }
    ~TplView() override { Events() << QStringLiteral("~view"); }
    QSize GetLayoutSize() const override { return fixture::kScreenSize; }

protected:
    int OnCreate() override {
        Events() << QStringLiteral("view create");
        return 0;
    }
    void OnSize(unsigned, int cx, int cy) override {
        Events() << QStringLiteral("view size %1x%2").arg(cx).arg(cy);
    }
    void OnDraw(platform::DC*) override {}
};
PLATFORM_IMPLEMENT_DYNCREATE(TplView)

class TplFrame : public platform::Frame {
    PLATFORM_DECLARE_DYNCREATE(TplFrame)
public:
    TplFrame() { Events() << QStringLiteral("frame"); }
    ~TplFrame() override { Events() << QStringLiteral("~frame"); }

protected:
    bool PreCreateWindow(platform::CreateStruct& cs) override {
        Events() << QStringLiteral("frame precreate");
        return platform::Frame::PreCreateWindow(cs);
    }
    int OnCreate() override {
        Events() << QStringLiteral("frame create");
        const int result = platform::Frame::OnCreate();
        Events() << QStringLiteral("frame created");
        return result;
    }
};
PLATFORM_IMPLEMENT_DYNCREATE(TplFrame)

class TplApp : public platform::Application {
public:
    TplApp() : platform::Application(QStringLiteral("Druno")) {}
    bool InitInstance() override {
        SetRegistryKey(QStringLiteral("Brantel"));
        if (!InitApplication()) {
            return false;
        }
        LoadStdProfileSettings(4);
        AddDocTemplate(new platform::SingleDocTemplate(IDR_MAINFRAME, TplDoc::Class(),
                                                       TplFrame::Class(), TplView::Class()));
        platform::CommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }
    using platform::Application::RecentFiles;
};

TEST(DocTemplate, CreatesDocumentFrameAndViewInOrderAndEndsWithTheFrame) {
    QTemporaryDir dir;
    platform::SetProfileFolder(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("Brantel"));
    QFile ini(dir.filePath(QStringLiteral("Brantel/Druno.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Recent File List]\nFile1=/tmp/a.dru\nFile3=/tmp/c.dru\nFile5=/tmp/e.dru\n");
    ini.close();

    Events().clear();
    {
        TplApp app;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(Events(),
                  QStringList({"doc", "frame", "frame precreate", "frame create", "view",
                               "view create", "frame created", "view size 240x268", "doc new"}));
        EXPECT_EQ(app.RecentFiles(), QStringList({"/tmp/a.dru", "/tmp/c.dru"}));

        platform::Frame* frame = app.GetMainWnd();
        ASSERT_NE(frame, nullptr);
        platform::Document* doc = frame->GetActiveDocument();
        ASSERT_NE(doc, nullptr);
        platform::ViewPosition position = doc->GetFirstViewPosition();
        EXPECT_EQ(doc->GetNextView(position), frame->GetActiveView());
        EXPECT_EQ(position, nullptr);

        // Exit closes the main frame; the framework deletes the view, then the frame.
        Events().clear();
        EXPECT_TRUE(app.OnCmdMsg(0xE141, nullptr));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(app.GetMainWnd(), nullptr);
        EXPECT_EQ(Events(), QStringList({"~view", "~frame"}));
        app.ExitInstance();
    }
    platform::SetProfileFolder(QString());
}

}  // namespace

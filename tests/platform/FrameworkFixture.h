#pragma once

// Small document, view and frame classes that record what the framework does with them.

#include "platform/core/Messages.h"
#include "platform/framework/Application.h"
#include "platform/framework/CommandTarget.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/graphics/DC.h"
#include "tests/support/Printers.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

namespace fixture {

// The screen the test views are laid out for, which a new frame gives them.
inline constexpr QSize kScreenSize{240, 268};

// Who carried out a command or ran an update, in order.
inline QStringList& Log() {
    static QStringList log;
    return log;
}

class TestApp : public platform::Application {
public:
    TestApp() : platform::Application(QStringLiteral("FrameworkTest")) {}
    using platform::Application::AddDocTemplate;
    using platform::Application::InitApplication;
    using platform::Application::LoadStdProfileSettings;
    using platform::Application::ParseCommandLine;
    using platform::Application::ProcessShellCommand;
    using platform::Application::RecentFiles;
    using platform::Application::SetRegistryKey;

    template <class T>
    void Add(unsigned id, void (T::*handler)()) {
        AddCommand(id, handler);
    }
    void OnAppCommand() { Log() << QStringLiteral("app"); }
};

class TestDoc : public platform::Document {
public:
    bool m_bPlaying = false;
    bool m_bMayClose = true;

    void HandleCommand(unsigned id) { AddCommand(id, &TestDoc::OnDocCommand); }
    void HandleUpdate(unsigned id) { AddUpdate(id, &TestDoc::OnUpdateNotPlaying); }
    void OnDocCommand() { Log() << QStringLiteral("doc"); }
    void OnUpdateNotPlaying(platform::CommandUpdate* update) { update->Enable(!m_bPlaying); }
    void TogglePlaying() { m_bPlaying = !m_bPlaying; }
    void HandleToggle(unsigned id) { AddCommand(id, &TestDoc::TogglePlaying); }
    // The command's items carry a check mark, shown while playing.
    void HandleCheck(unsigned id) { AddUpdate(id, &TestDoc::OnUpdateCheckPlaying); }
    void OnUpdateCheckPlaying(platform::CommandUpdate* update) { update->SetCheck(m_bPlaying); }
    bool CanCloseFrame(platform::Frame* frame) override {
        return m_bMayClose && platform::Document::CanCloseFrame(frame);
    }
};

// Draws the digit strip at (10, 10) and records creation, sizes and taps.
class TestView : public platform::View {
public:
    int m_nCreateResult = 0;
    QList<QSize> m_sizes;
    QList<QPair<unsigned, platform::Point>> m_taps;

    void HandleCommand(unsigned id) { AddCommand(id, &TestView::OnViewCommand); }
    void OnViewCommand() { Log() << QStringLiteral("view"); }
    // Not a fixed layout: a larger window gives the view a larger client area.
    QSize GetLayoutSize() const override { return kScreenSize; }

protected:
    int OnCreate() override {
        m_strip.LoadBitmap(130);
        return m_nCreateResult;
    }
    void OnSize(unsigned, int cx, int cy) override { m_sizes << QSize(cx, cy); }
    void OnLButtonDown(unsigned flags, platform::Point point) override {
        m_taps << qMakePair(flags, point);
    }
    void OnDraw(platform::DC* dc) override {
        platform::DC memory;
        memory.CreateCompatibleDC(dc);
        platform::Bitmap* old = memory.SelectObject(&m_strip);
        dc->BitBlt(10, 10, 220, 25, &memory, 0, 0, platform::kRopSrcCopy);
        memory.SelectObject(old);
        memory.DeleteDC();
    }

private:
    platform::Bitmap m_strip;
};

// The main frame's layout: menu 128, then the button row of bitmap 128, then adornments.
class TestFrame : public platform::Frame {
public:
    void HandleCommand(unsigned id) { AddCommand(id, &TestFrame::OnFrameCommand); }
    void OnFrameCommand() { Log() << QStringLiteral("frame"); }
    using platform::Frame::OnClose;

protected:
    int OnCreate() override;
};

}  // namespace fixture

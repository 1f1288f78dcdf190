// How dialogs present themselves, on the real Options and Look & Feel templates and on the
// About template: full screen or template size, the Cancel button brought to the bottom, the
// Done button and the close box of the title area.

#include "dialogs/DialogLaF.h"
#include "platform/core/Messages.h"
#include "platform/dialogs/Dialog.h"
#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"
#include "res/Resource.h"
#include "tests/dialogs/ModalDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QWidget>

#include <functional>

using platform::Rect;

namespace {

const Rect kScreen{0, 0, 480, 640};

// A dialog presented the way the program's dialogs are: InitDialogLaF first, the framework's
// initialisation, then the Cancel button when it is to be shown. Present() opens it and
// measures it as the user gets to see it.
class PresentedDialog : public platform::Dialog {
public:
    PresentedDialog(unsigned templateId, bool noFullScreen, bool showCancel,
                    platform::Window* owner = nullptr)
        : platform::Dialog(templateId, owner),
          m_noFullScreen(noFullScreen),
          m_showCancel(showCancel) {}

    bool doneButton = true;
    bool sysMenu = false;
    bool hideCancel = false;
    // Runs between the framework's initialisation and the placing of the button.
    std::function<void(PresentedDialog&)> beforePlacing;

    Rect window;
    Rect client;
    Rect button;  // in client coordinates
    bool buttonVisible = false;
    bool doneVisible = false;
    bool closeBoxVisible = false;
    unsigned style = 0;

    void Present() {
        const testing_support::ModalRun run =
            testing_support::DriveModal([this] { DoModal(); }, {[this](platform::Dialog&) {
                                            Measure();
                                            EndDialog(platform::kIdOk);
                                        }});
        EXPECT_EQ(run.stepsRun, 1);
    }

protected:
    bool OnInitDialog() override {
        InitDialogLaF(this, m_noFullScreen, doneButton, sysMenu);
        platform::Dialog::OnInitDialog();
        if (beforePlacing) {
            beforePlacing(*this);
        }
        platform::Window* cancel = GetDlgItem(IDCANCEL_BUTTON);
        if (m_showCancel && cancel != nullptr) {
            PlaceCancelButton(this, cancel, hideCancel);
        }
        return true;
    }

private:
    void Measure() {
        window = GetWindowRect();
        client = GetClientRect();
        if (platform::Window* cancel = GetDlgItem(IDCANCEL_BUTTON)) {
            const QRect g = cancel->Widget()->geometry();
            button = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
            buttonVisible = cancel->IsWindowVisible();
        }
        doneVisible = TitleButton("doneButton");
        closeBoxVisible = TitleButton("closeBox");
        style = GetStyle();
    }
    bool TitleButton(const char* name) const {
        const auto* b = Widget()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        return b != nullptr && b->isVisible();
    }

    bool m_noFullScreen;
    bool m_showCancel;
};

// A plain window to own a dialog.
class OwnerWindow : public platform::Window {
public:
    explicit OwnerWindow(const QRect& geometry) {
        auto* widget = new QWidget;
        widget->setGeometry(geometry);
        Attach(widget, true);
        widget->show();
    }
};

class DialogPresentation : public testing::TestWithParam<unsigned> {
protected:
    void SetUp() override { platform::SetScreenOverride(kScreen, m_workArea); }
    void TearDown() override { platform::ClearScreenOverride(); }

    // Template size, without the Cancel button.
    Rect TemplateWindow() {
        PresentedDialog dlg(GetParam(), true, false);
        dlg.Present();
        return dlg.window;
    }

    Rect m_workArea{0, 26, 480, 614};
};

TEST_P(DialogPresentation, FullScreenWithCancelButtonAtTheBottom) {
    PresentedDialog dlg(GetParam(), false, true);
    dlg.Present();
    EXPECT_EQ(dlg.window, m_workArea);
    const int bh = dlg.button.Height();
    EXPECT_EQ(dlg.button.left, (dlg.window.Width() - dlg.button.Width()) / 2);
    // With a work area as far from the screen's bottom as from its top, the correction for
    // those distances cancels out: 5 pixels above the client area's bottom.
    EXPECT_EQ(dlg.button.top, dlg.client.bottom - bh - 5);
    EXPECT_TRUE(dlg.buttonVisible);
}

TEST_P(DialogPresentation, FullScreenButtonFollowsTheScreenEdges) {
    m_workArea = {0, 30, 480, 600};
    platform::SetScreenOverride(kScreen, m_workArea);
    PresentedDialog dlg(GetParam(), false, true);
    dlg.Present();
    EXPECT_EQ(dlg.window, m_workArea);
    // Shifted down by the distance from the top (30), up by that from the bottom (40).
    EXPECT_EQ(dlg.button.top,
              dlg.client.Height() + 30 + 600 - kScreen.bottom - dlg.button.Height() - 5);
}

TEST_P(DialogPresentation, FullScreenButtonStaysInsideBelowATopPanel) {
    // A panel at the top only: the edge correction alone would put the button 30 pixels
    // below the dialog's bottom edge.
    m_workArea = {0, 30, 480, kScreen.bottom};
    platform::SetScreenOverride(kScreen, m_workArea);
    PresentedDialog dlg(GetParam(), false, true);
    dlg.Present();
    EXPECT_EQ(dlg.button.top, dlg.client.bottom - dlg.button.Height() - 5);
    EXPECT_TRUE(dlg.buttonVisible);
}

TEST_P(DialogPresentation, TemplateSizeGrowsByTheButtonAndStaysCentred) {
    const Rect plain = TemplateWindow();
    PresentedDialog dlg(GetParam(), true, true);
    dlg.Present();
    const int bh = dlg.button.Height();
    EXPECT_EQ(dlg.window.Width(), plain.Width());
    EXPECT_EQ(dlg.window.Height(), plain.Height() + bh + 10);
    EXPECT_EQ(dlg.window.left, m_workArea.left + (m_workArea.Width() - dlg.window.Width()) / 2);
    EXPECT_EQ(dlg.window.top, m_workArea.top + (m_workArea.Height() - dlg.window.Height()) / 2);
    EXPECT_EQ(dlg.button.left, (dlg.window.Width() - dlg.button.Width()) / 2);
    EXPECT_EQ(dlg.button.top, dlg.client.bottom - bh - 5);
    EXPECT_TRUE(dlg.buttonVisible);
}

TEST_P(DialogPresentation, WithoutCancelTheButtonStaysOutOfSight) {
    for (bool noFullScreen : {false, true}) {
        SCOPED_TRACE(noFullScreen ? "template size" : "full screen");
        const Rect plain = TemplateWindow();
        PresentedDialog dlg(GetParam(), noFullScreen, false);
        dlg.Present();
        EXPECT_EQ(dlg.window, noFullScreen ? plain : m_workArea);
        // Parked below the template's area, it stays out of sight even when a full-screen
        // dialog is high enough to reach it.
        EXPECT_FALSE(dlg.buttonVisible);
        if (noFullScreen) {
            EXPECT_GE(dlg.button.top, dlg.client.bottom);
        }
    }
}

TEST_P(DialogPresentation, OddSpaceLeavesTheButtonHalfAPixelLeft) {
    PresentedDialog dlg(GetParam(), true, true);
    dlg.beforePlacing = [](PresentedDialog& d) {
        const Rect button = d.GetDlgItem(IDCANCEL_BUTTON)->GetWindowRect();
        const Rect window = d.GetWindowRect();
        d.MoveWindow(window.left, window.top, button.Width() + 101, window.Height());
    };
    dlg.Present();
    EXPECT_EQ(dlg.window.Width() - dlg.button.Width(), 101);
    EXPECT_EQ(dlg.button.left, 50);
}

TEST_P(DialogPresentation, HiddenOnRequest) {
    PresentedDialog dlg(GetParam(), true, true);
    dlg.hideCancel = true;
    dlg.Present();
    EXPECT_FALSE(dlg.buttonVisible);
}

INSTANTIATE_TEST_SUITE_P(SettingsDialogs, DialogPresentation,
                         testing::Values(IDD_OPTIONS, IDD_LOOKANDFEEL));

class TitleArea : public testing::Test {
protected:
    void SetUp() override { platform::SetScreenOverride(kScreen, kScreen); }
    void TearDown() override { platform::ClearScreenOverride(); }
};

TEST_F(TitleArea, DoneButtonAndCloseBoxFollowTheArguments) {
    struct Case {
        unsigned templateId;
        bool doneButton;
        bool sysMenu;
        bool doneVisible;
    };
    // The About template asks for no caption OK of its own; Options does.
    const Case cases[] = {{IDD_ABOUTBOX, true, false, true},
                          {IDD_ABOUTBOX, false, true, false},
                          {IDD_OPTIONS, false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.templateId << " done " << c.doneButton);
        PresentedDialog dlg(c.templateId, true, false);
        dlg.doneButton = c.doneButton;
        dlg.sysMenu = c.sysMenu;
        dlg.Present();
        EXPECT_EQ(dlg.doneVisible, c.doneVisible);
        EXPECT_EQ(dlg.closeBoxVisible, c.sysMenu);
        // Only the system-menu bit changes.
        EXPECT_EQ(dlg.style, c.sysMenu ? 0x80C800C0u : 0x80C800C0u & ~platform::kWsSysMenu);
    }
}

TEST_F(TitleArea, TemplateSizeIsCentredOverTheOwner) {
    OwnerWindow owner(QRect(40, 100, 300, 400));
    PresentedDialog dlg(IDD_ABOUTBOX, true, false, &owner);
    dlg.Present();
    const Rect around = owner.GetWindowRect();
    EXPECT_EQ(dlg.window.left, around.left + (around.Width() - dlg.window.Width()) / 2);
    EXPECT_EQ(dlg.window.top, around.top + (around.Height() - dlg.window.Height()) / 2);
}

}  // namespace

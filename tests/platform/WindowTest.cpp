// Windows over widgets: client areas, child placement, messages, and the screen.

#include "platform/core/Messages.h"
#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// A window with a 30-pixel title strip above its client area, as dialogs have.
class TitledWindow : public platform::Window {
public:
    QList<unsigned> messages;

    void Make() {
        auto* outer = new QWidget;
        auto* client = new QWidget(outer);
        outer->resize(200, 130);
        client->setGeometry(0, 30, 200, 100);
        Attach(outer, true, client);
    }

protected:
    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override {
        messages << message;
        return platform::Window::WindowProc(message, wParam, lParam);
    }
};

class ChildWindow : public platform::Window {
public:
    void Make(platform::Window& parent) { Attach(new QLabel(parent.ClientWidget()), true); }
};

TEST(Window, ClientAreaHoldsTheChildrenAndTheClientRectangle) {
    TitledWindow window;
    window.Make();
    ChildWindow child;
    child.Make(window);
    window.ShowWindow(platform::kSwShow);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));

    EXPECT_EQ(window.GetClientRect(), (platform::Rect{0, 0, 200, 100}));
    EXPECT_EQ(platform::Window::FromWidget(window.Widget()), &window);
    EXPECT_EQ(platform::Window::FromWidget(window.ClientWidget()), &window);
    EXPECT_EQ(child.GetOwner(), &window);

    child.MoveWindow(5, 6, 50, 20);
    EXPECT_EQ(child.Widget()->geometry(), QRect(5, 6, 50, 20));
    const platform::Rect placed = child.GetWindowRect();
    EXPECT_EQ(placed.top - window.Widget()->geometry().top(), 36);
    EXPECT_EQ(placed.Width(), 50);

    EXPECT_TRUE(child.ShowWindow(platform::kSwHide));
    EXPECT_FALSE(child.ShowWindow(platform::kSwShow));
}

TEST(Window, TextGoesThroughTheWindowProcedure) {
    TitledWindow window;
    window.Make();
    window.SetWindowText(QStringLiteral("About Druno"));
    EXPECT_EQ(window.messages, QList<unsigned>({platform::kMsgSetText}));
    EXPECT_EQ(window.GetWindowText(), QStringLiteral("About Druno"));
}

TEST(Window, StyleChangesAndQtDestroyingTheWidget) {
    TitledWindow window;
    window.Make();
    EXPECT_TRUE(window.ModifyStyle(0, platform::kWsDisabled));
    EXPECT_FALSE(window.IsWindowEnabled());
    EXPECT_FALSE(window.ModifyStyle(0, platform::kWsDisabled));
    EXPECT_TRUE(window.EnableWindow(true));  // it was disabled
    EXPECT_EQ(window.GetStyle() & platform::kWsDisabled, 0u);

    ChildWindow child;
    child.Make(window);
    delete child.Widget();
    EXPECT_FALSE(child.IsCreated());
}

TEST(Screen, OverrideAndWorkAreaListeners) {
    int heard = 0;
    const int handle = platform::AddWorkAreaListener([&heard] { ++heard; });
    platform::SetScreenOverride({0, 0, 240, 320}, {0, 26, 240, 294});
    EXPECT_EQ(platform::GetSystemMetrics(platform::kSmCyScreen), 320);
    EXPECT_EQ(platform::GetWorkArea(), (platform::Rect{0, 26, 240, 294}));
    EXPECT_EQ(heard, 1);
    platform::SetScreenOverride({0, 0, 240, 320}, {0, 26, 240, 294});  // no change
    EXPECT_EQ(heard, 1);
    platform::SetScreenOverride({0, 0, 320, 240}, {0, 26, 320, 214});
    EXPECT_EQ(heard, 2);
    platform::RemoveWorkAreaListener(handle);
    platform::ClearScreenOverride();
    EXPECT_EQ(heard, 2);
    EXPECT_GT(platform::GetSystemMetrics(platform::kSmCyScreen), 0);
}

}  // namespace

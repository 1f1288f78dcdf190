// The Options and Look & Feel dialogs, opened through the application's handlers as the menu
// opens them: copies in and out, range checks that keep the dialog open, the enabling of the
// check boxes, German labels, the Cancel button and the settings-change rule.

#include "app/MyDrunoApp.h"
#include "dialogs/LookAndFeelDlg.h"
#include "dialogs/OptionsDlg.h"
#include "platform/core/Messages.h"
#include "platform/dialogs/Controls.h"
#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "tests/dialogs/ModalDriver.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QStringList>
#include <QWidget>

using namespace testing_support;

namespace {

struct Settings {
    bool sound;
    int fontSize;
    int fontSizeStatus;
    bool showCancel;
    bool noFullScreen;
    friend bool operator==(const Settings&, const Settings&) = default;
};

Settings Current() {
    return {theApp.m_bSound, theApp.m_nFontSize, theApp.m_nFontSizeStatus, theApp.m_bShowCancelBtn,
            theApp.m_bNoFullScreenDlg};
}

void Apply(const Settings& s) {
    theApp.m_bSound = s.sound;
    theApp.m_nFontSize = s.fontSize;
    theApp.m_nFontSizeStatus = s.fontSizeStatus;
    theApp.m_bShowCancelBtn = s.showCancel;
    theApp.m_bNoFullScreenDlg = s.noFullScreen;
}

constexpr Settings kDefaults{true, 100, 16, true, true};

bool IsChecked(platform::Dialog& dlg, int id) {
    auto* box = dynamic_cast<platform::Button*>(dlg.GetDlgItem(id));
    return box != nullptr && box->GetCheck() == 1;
}

// Whether the control shows inside the dialog's client area.
bool ShowsInClient(platform::Dialog& dlg, int id) {
    platform::Window* control = dlg.GetDlgItem(id);
    if (control == nullptr || !control->IsWindowVisible()) {
        return false;
    }
    const QWidget* widget = control->Widget();
    const QRect inClient(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    return widget->window()->rect().contains(inClient);
}

class SettingsDialogs : public testing::Test {
protected:
    void SetUp() override {
        Apply(kDefaults);
        platform::SetMessageBoxAnswerer([this](const QString& text, const QString&, unsigned) {
            m_boxes << text;
            return platform::kIdOk;
        });
    }
    void TearDown() override { platform::SetMessageBoxAnswerer(nullptr); }

    QStringList m_boxes;
};

TEST_F(SettingsDialogs, OptionsShowsTheSettingsAndStoresThemOnOk) {
    Apply({true, 120, 14, true, true});
    const ModalRun run = DriveModal(
        [] { theApp.OnOptions(); }, {[](platform::Dialog& dlg) {
            EXPECT_TRUE(IsChecked(dlg, IDC_SOUND));
            EXPECT_EQ(Text(dlg, IDC_FONT_SIZE), "120");
            EXPECT_EQ(Text(dlg, IDC_FONT_SIZE_STATUS), "14");
            auto* spin = dynamic_cast<platform::SpinButton*>(dlg.GetDlgItem(IDC_SPIN_FONT_SIZE));
            auto* spinStatus =
                dynamic_cast<platform::SpinButton*>(dlg.GetDlgItem(IDC_SPIN_FONT_SIZE_STATUS));
            ASSERT_NE(spin, nullptr);
            ASSERT_NE(spinStatus, nullptr);
            EXPECT_EQ(spin->GetLower(), 25);
            EXPECT_EQ(spin->GetUpper(), 200);
            EXPECT_EQ(spinStatus->GetLower(), 10);
            EXPECT_EQ(spinStatus->GetUpper(), 25);
            Click(dlg, IDC_SOUND);
            SetText(dlg, IDC_FONT_SIZE, QStringLiteral("150"));
            SetText(dlg, IDC_FONT_SIZE_STATUS, QStringLiteral("20"));
            PressDone(dlg);
        }});
    EXPECT_EQ(run.templateId, IDD_OPTIONS);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(Current(), (Settings{false, 150, 20, true, true}));
    EXPECT_TRUE(m_boxes.isEmpty());
}

// One caption stands before both font size fields: a screen reader tells them apart by name.
TEST_F(SettingsDialogs, OptionsFontFieldsAreNamed) {
    DriveModal([] { theApp.OnOptions(); }, {[](platform::Dialog& dlg) {
                   const auto name = [&dlg](int id) {
                       QAccessibleInterface* iface =
                           QAccessible::queryAccessibleInterface(dlg.GetDlgItem(id)->Widget());
                       return iface != nullptr ? iface->text(QAccessible::Name) : QString();
                   };
                   EXPECT_EQ(name(IDC_FONT_SIZE_STATUS),
                             QStringLiteral("Font size of the line at the top"));
                   EXPECT_EQ(name(IDC_FONT_SIZE), QStringLiteral("Font size of the two numbers"));
                   PressDone(dlg);
               }});
}

TEST_F(SettingsDialogs, OptionsCancelChangesNothing) {
    const ModalRun run = DriveModal([] { theApp.OnOptions(); }, {[](platform::Dialog& dlg) {
                                        Click(dlg, IDC_SOUND);
                                        SetText(dlg, IDC_FONT_SIZE, QStringLiteral("30"));
                                        PressCancel(dlg);
                                    }});
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(Current(), kDefaults);
}

// Font sizes at and beyond the limits: refused ones keep the dialog open with the
// framework's message and change nothing; the result size is checked first.
struct SizeCase {
    const char* fontSize;
    const char* fontSizeStatus;
    bool accepted;
    const char* refusal;  // a part of the message shown when refused
};

class OptionsSizes : public SettingsDialogs, public testing::WithParamInterface<SizeCase> {};

TEST_P(OptionsSizes, AreCheckedOnOk) {
    const SizeCase c = GetParam();
    const ModalRun run =
        DriveModal([] { theApp.OnOptions(); }, {[&c](platform::Dialog& dlg) {
                       SetText(dlg, IDC_FONT_SIZE, QString::fromLatin1(c.fontSize));
                       SetText(dlg, IDC_FONT_SIZE_STATUS, QString::fromLatin1(c.fontSizeStatus));
                       PressDone(dlg);
                   }});
    EXPECT_EQ(run.leftOpen, !c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(m_boxes.isEmpty());
        EXPECT_EQ(theApp.m_nFontSize, QByteArray(c.fontSize).toInt());
        EXPECT_EQ(theApp.m_nFontSizeStatus, QByteArray(c.fontSizeStatus).toInt());
    } else {
        ASSERT_EQ(m_boxes.size(), 1);
        EXPECT_TRUE(m_boxes[0].contains(QString::fromLatin1(c.refusal)))
            << m_boxes[0].toStdString();
        EXPECT_EQ(Current(), kDefaults);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, OptionsSizes,
                         testing::Values(SizeCase{"25", "10", true, ""},
                                         SizeCase{"200", "25", true, ""},
                                         SizeCase{"24", "16", false, "25 and 200"},
                                         SizeCase{"201", "16", false, "25 and 200"},
                                         SizeCase{"100", "9", false, "10 and 25"},
                                         SizeCase{"100", "26", false, "10 and 25"},
                                         SizeCase{"24", "9", false, "25 and 200"},
                                         SizeCase{"big", "16", false, "integer"}));

TEST_F(SettingsDialogs, LookAndFeelEnablesItsBoxesAndStoresThemOnOk) {
    Apply({true, 100, 16, false, true});
    const ModalRun run =
        DriveModal([] { theApp.OnLookAndFeel(); }, {[](platform::Dialog& dlg) {
                       EXPECT_EQ(dlg.GetWindowText(), "Look & Feel");
                       EXPECT_EQ(Text(dlg, IDC_NO_FULL_SCREEN_DLG), "&No full screen dialogs");
                       EXPECT_EQ(Text(dlg, IDC_SHOW_CANCEL_BTN), "&Show cancel button");
                       EXPECT_TRUE(dlg.GetDlgItem(IDC_NO_FULL_SCREEN_DLG)->IsWindowEnabled());
                       EXPECT_TRUE(dlg.GetDlgItem(IDC_SHOW_CANCEL_BTN)->IsWindowEnabled());
                       EXPECT_TRUE(IsChecked(dlg, IDC_NO_FULL_SCREEN_DLG));
                       EXPECT_FALSE(IsChecked(dlg, IDC_SHOW_CANCEL_BTN));
                       // Off: the Cancel button stays out of sight.
                       EXPECT_FALSE(ShowsInClient(dlg, IDCANCEL_BUTTON));
                       Click(dlg, IDC_NO_FULL_SCREEN_DLG);
                       Click(dlg, IDC_SHOW_CANCEL_BTN);
                       // Not before the next dialog opens.
                       EXPECT_FALSE(ShowsInClient(dlg, IDCANCEL_BUTTON));
                       PressDone(dlg);
                   }});
    EXPECT_EQ(run.templateId, IDD_LOOKANDFEEL);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(Current(), (Settings{true, 100, 16, true, false}));

    // The next dialog shows its Cancel button, and it works.
    const ModalRun next = DriveModal([] { theApp.OnLookAndFeel(); }, {[](platform::Dialog& dlg) {
                                         EXPECT_TRUE(ShowsInClient(dlg, IDCANCEL_BUTTON));
                                         Click(dlg, IDC_SHOW_CANCEL_BTN);
                                         PressCancel(dlg);
                                     }});
    EXPECT_FALSE(next.leftOpen);
    EXPECT_EQ(Current(), (Settings{true, 100, 16, true, false}));
}

TEST_F(SettingsDialogs, CancelButtonFollowsTheSetting) {
    for (bool show : {true, false}) {
        theApp.m_bShowCancelBtn = show;
        DriveModal([] { theApp.OnOptions(); }, {[show](platform::Dialog& dlg) {
                       EXPECT_EQ(ShowsInClient(dlg, IDCANCEL_BUTTON), show);
                       EXPECT_EQ(Text(dlg, IDCANCEL_BUTTON), "&Cancel");
                       PressDone(dlg);
                   }});
    }
}

TEST_F(SettingsDialogs, LookAndFeelInGerman) {
    theApp.m_bShowCancelBtn = true;
    CLookAndFeelDlg dlg(1);
    const ModalRun run =
        DriveModal([&dlg] { dlg.DoModal(); }, {[](platform::Dialog& shown) {
                       EXPECT_EQ(shown.GetWindowText(), "Look & Feel");
                       EXPECT_EQ(Text(shown, IDC_SHOW_CANCEL_BTN), "A&bbruch-Taste zeigen");
                       EXPECT_EQ(Text(shown, IDC_NO_FULL_SCREEN_DLG), "Keine &Vollbild-Dialoge");
                       EXPECT_EQ(Text(shown, IDCANCEL_BUTTON), "&Abbruch");
                       PressCancel(shown);
                   }});
    EXPECT_FALSE(run.leftOpen);
}

// A change of the screen's work area reaches open dialogs as message 26: the Options dialog
// lets the framework refit it to the screen, the Look & Feel dialog ignores it.
TEST_F(SettingsDialogs, SettingChangeRefitsOptionsButNotLookAndFeel) {
    Apply({true, 100, 16, false, false});  // full screen
    const platform::Rect screen{0, 0, 480, 640};
    struct Seen {
        platform::Rect before;
        platform::Rect after;
    };
    auto shrinkWorkArea = [&screen](Seen& seen) {
        return [&screen, &seen](platform::Dialog& dlg) {
            seen.before = dlg.GetWindowRect();
            platform::SetScreenOverride(screen, {0, 0, 480, 600});
            seen.after = dlg.GetWindowRect();
            dlg.EndDialog(platform::kIdCancel);
        };
    };
    platform::SetScreenOverride(screen, screen);
    Seen options;
    Seen lookAndFeel;
    DriveModal([] { theApp.OnOptions(); }, {shrinkWorkArea(options)});
    platform::SetScreenOverride(screen, screen);
    DriveModal([] { theApp.OnLookAndFeel(); }, {shrinkWorkArea(lookAndFeel)});
    platform::ClearScreenOverride();

    EXPECT_EQ(options.before.Height(), 640);
    EXPECT_EQ(options.after.Height(), 600);
    EXPECT_EQ(lookAndFeel.before.Height(), 640);
    EXPECT_EQ(lookAndFeel.after, lookAndFeel.before);
}

}  // namespace

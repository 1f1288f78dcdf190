// Dialogs built from the real templates: pixel sizes from dialog units, the modal results,
// the combo-box and up-down messages, data exchange that refuses bad numbers and keeps the
// dialog open, and the default handling of the settings-change message.

#include "platform/core/Messages.h"
#include "platform/dialogs/Controls.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogUnits.h"
#include "platform/framework/Window.h"
#include "platform/graphics/Screen.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "tests/dialogs/ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <functional>

using namespace testing_support;
using platform::Rect;

namespace {

const Rect kScreen{0, 0, 480, 640};

// A dialog whose initialisation and data exchange the test supplies.
class TestDialog : public platform::Dialog {
public:
    explicit TestDialog(unsigned templateId) : platform::Dialog(templateId) {}

    std::function<void(TestDialog&)> init;
    std::function<void(platform::DataExchange&)> exchange;
    bool swallowSettingChange = false;
    int selChanges = 0;
    int resetClicks = 0;

    void OnSelChange() { ++selChanges; }
    void OnReset() { ++resetClicks; }
    void ListenToStatisticsControls() {
        OnControlNotify(IDC_RESET_STATISTICS, platform::kBnClicked, &TestDialog::OnReset);
        OnControlNotify(IDC_LEVEL, platform::kCbnSelChange, &TestDialog::OnSelChange);
    }

protected:
    bool OnInitDialog() override {
        platform::Dialog::OnInitDialog();
        if (init) {
            init(*this);
        }
        return true;
    }
    void DoDataExchange(platform::DataExchange& dx) override {
        if (exchange) {
            exchange(dx);
        }
    }
    platform::MessageResult WindowProc(unsigned message, platform::WParam wParam,
                                       platform::LParam lParam) override {
        if (swallowSettingChange && message == platform::kMsgSettingChange) {
            return 0;
        }
        return platform::Dialog::WindowProc(message, wParam, lParam);
    }
};

QWidget* Control(platform::Dialog& dlg, int id) {
    platform::Window* control = dlg.GetDlgItem(id);
    return control != nullptr ? control->Widget() : nullptr;
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override {
        platform::SetScreenOverride(kScreen, kScreen);
        platform::SetMessageBoxAnswerer([this](const QString& text, const QString&, unsigned type) {
            m_boxes << text;
            m_boxTypes.push_back(type);
            return platform::kIdOk;
        });
    }
    void TearDown() override {
        platform::SetMessageBoxAnswerer(nullptr);
        platform::ClearScreenOverride();
    }

    QStringList m_boxes;
    std::vector<unsigned> m_boxTypes;
};

TEST_F(Dialogs, TemplateSizeAndPositionsComeFromTheFontsBaseUnits) {
    // The base units measured here independently: "System" is Liberation Sans.
    const QFont font = platform::DialogUnits::TemplateFont(QStringLiteral("System"), 8);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    const QFontMetrics metrics(font);
    const double baseX = std::round(metrics.horizontalAdvance(QStringLiteral(
                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                                    52.0);
    const double baseY = metrics.height();
    auto px = [](int du, double base, int divisor) {
        return static_cast<int>(std::lround(du * base / divisor));
    };

    TestDialog dlg(IDD_OPTIONS);
    dlg.SetFullScreen(false);
    dlg.init = [&](TestDialog& d) {
        EXPECT_EQ(d.GetClientRect(), (Rect{0, 0, px(119, baseX, 4), px(41, baseY, 8)}));
        EXPECT_EQ(Control(d, IDC_SOUND)->geometry(),
                  QRect(px(6, baseX, 4), px(7, baseY, 8), px(46, baseX, 4), px(10, baseY, 8)));
        EXPECT_EQ(Control(d, IDCANCEL_BUTTON)->y(), px(250, baseY, 8));
        // Without an owner the dialog is centred on the screen.
        const Rect window = d.GetWindowRect();
        EXPECT_LE(std::abs(window.left + window.right - kScreen.right), 1);
        EXPECT_LE(std::abs(window.top + window.bottom - kScreen.bottom), 1);
        EXPECT_TRUE(d.Widget()->windowFlags().testFlag(Qt::FramelessWindowHint));
        d.EndDialog(platform::kIdOk);
    };
    EXPECT_EQ(dlg.DoModal(), platform::kIdOk);
    EXPECT_FALSE(dlg.IsCreated());
}

TEST_F(Dialogs, FullScreenDialogFillsTheWorkArea) {
    const Rect workArea{0, 26, 480, 614};
    platform::SetScreenOverride(kScreen, workArea);
    TestDialog dlg(IDD_ABOUTBOX);
    dlg.init = [&](TestDialog& d) {
        EXPECT_EQ(d.GetWindowRect(), workArea);
        d.EndDialog(platform::kIdOk);
    };
    dlg.DoModal();
}

TEST_F(Dialogs, AnswersOkOrCancel) {
    struct Case {
        const char* name;
        std::function<void(platform::Dialog&)> act;
        int result;
    };
    const Case cases[] = {
        {"Done button", [](platform::Dialog& d) { PressDone(d); }, platform::kIdOk},
        {"control 2", [](platform::Dialog& d) { PressCancel(d); }, platform::kIdCancel},
        {"Escape", [](platform::Dialog& d) { PressKey(d.Widget(), Qt::Key_Escape); },
         platform::kIdCancel},
        {"Enter", [](platform::Dialog& d) { PressKey(d.Widget(), Qt::Key_Return); },
         platform::kIdOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dlg(IDD_OPTIONS);
        int result = 0;
        const ModalRun run = DriveModal([&] { result = dlg.DoModal(); }, {c.act});
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(result, c.result);
    }
    TestDialog missing(4711);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(Dialogs, ComboBoxMessagesAndNotifications) {
    TestDialog dlg(IDD_STATISTICS);
    dlg.ListenToStatisticsControls();
    DriveModal([&] { dlg.DoModal(); }, {[&](platform::Dialog& d) {
                   platform::Window* combo = d.GetDlgItem(IDC_LEVEL);
                   const QString all = QStringLiteral("All");
                   const QString first = QStringLiteral("01");
                   auto add = [&](const QString& text) {
                       return combo->SendMessage(platform::kCbAddString, 0,
                                                 reinterpret_cast<platform::LParam>(&text));
                   };
                   EXPECT_EQ(add(all), 0);
                   EXPECT_EQ(add(first), 1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbGetCurSel), -1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbSetCurSel, 1), 1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbGetCurSel), 1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbSetCurSel, 2), -1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbGetCurSel), -1);
                   EXPECT_EQ(combo->SendMessage(platform::kCbSetCurSel, 0), 0);
                   // Only the user's choice notifies.
                   EXPECT_EQ(dlg.selChanges, 0);
                   QTest::keyClick(combo->Widget(), Qt::Key_Down);
                   EXPECT_EQ(combo->SendMessage(platform::kCbGetCurSel), 1);
                   EXPECT_EQ(dlg.selChanges, 1);
                   Click(d, IDC_RESET_STATISTICS);
                   EXPECT_EQ(dlg.resetClicks, 1);
                   // Message 12 sets a control's text.
                   const QString text = QStringLiteral("42");
                   d.GetDlgItem(IDC_GAMES_PLAYED)
                       ->SendMessage(platform::kMsgSetText, 0,
                                     reinterpret_cast<platform::LParam>(&text));
                   EXPECT_EQ(qobject_cast<QLabel*>(Control(d, IDC_GAMES_PLAYED))->text(), text);
                   d.EndDialog(platform::kIdOk);
               }});
}

TEST_F(Dialogs, UpDownTakesThePrecedingEditAsBuddy) {
    TestDialog dlg(IDD_OPTIONS);
    platform::SpinButton spin;
    dlg.exchange = [&](platform::DataExchange& dx) { dx.Control(IDC_SPIN_FONT_SIZE, spin); };
    DriveModal([&] { dlg.DoModal(); }, {[&](platform::Dialog& d) {
                   spin.SendMessage(platform::kUdmSetRange, 0, 0x001900C8);
                   EXPECT_EQ(spin.GetLower(), 25);
                   EXPECT_EQ(spin.GetUpper(), 200);

                   auto* edit = qobject_cast<QLineEdit*>(Control(d, IDC_FONT_SIZE));
                   const QRect buddy = edit->geometry();
                   const QRect arrows = spin.Widget()->geometry();
                   EXPECT_EQ(arrows.left(), buddy.left() + buddy.width());
                   EXPECT_EQ(arrows.top(), buddy.top());
                   EXPECT_EQ(arrows.height(), buddy.height());

                   struct Step {
                       const char* before;
                       int key;
                       const char* after;
                   };
                   const Step steps[] = {{"199", Qt::Key_Up, "200"},
                                         {"200", Qt::Key_Up, "200"},
                                         {"26", Qt::Key_Down, "25"},
                                         {"25", Qt::Key_Down, "25"},
                                         {"300", Qt::Key_Down, "199"}};
                   for (const Step& step : steps) {
                       edit->setText(QString::fromLatin1(step.before));
                       PressKey(edit, step.key);
                       EXPECT_EQ(edit->text(), QString::fromLatin1(step.after)) << step.before;
                   }
                   d.EndDialog(platform::kIdOk);
               }});
    EXPECT_FALSE(spin.IsCreated());
}

struct ExchangeCase {
    const char* fontSize;
    const char* fontSizeStatus;
    const char* message;  // null: accepted
    int focus;
};

class DataExchangeRefusal : public Dialogs, public testing::WithParamInterface<ExchangeCase> {};

TEST_P(DataExchangeRefusal, FirstRefusalKeepsTheDialogOpen) {
    const ExchangeCase& c = GetParam();
    TestDialog dlg(IDD_OPTIONS);
    int fontSize = 100;
    int fontSizeStatus = 16;
    dlg.exchange = [&](platform::DataExchange& dx) {
        dx.Text(IDC_FONT_SIZE, fontSize);
        dx.Text(IDC_FONT_SIZE_STATUS, fontSizeStatus);
        dx.MinMaxInt(fontSize, 25, 200);
        dx.MinMaxInt(fontSizeStatus, 10, 25);
    };
    int result = 0;
    const ModalRun run =
        DriveModal([&] { result = dlg.DoModal(); },
                   {[&](platform::Dialog& d) {
                        SetText(d, IDC_FONT_SIZE, QString::fromLatin1(c.fontSize));
                        SetText(d, IDC_FONT_SIZE_STATUS, QString::fromLatin1(c.fontSizeStatus));
                        PressDone(d);
                    },
                    [&](platform::Dialog& d) {
                        EXPECT_EQ(QApplication::focusWidget(), Control(d, c.focus));
                        PressCancel(d);
                    }});
    if (c.message == nullptr) {
        EXPECT_EQ(result, platform::kIdOk);
        EXPECT_EQ(run.stepsRun, 1);
        EXPECT_TRUE(m_boxes.isEmpty());
        EXPECT_EQ(fontSize, QString::fromLatin1(c.fontSize).trimmed().toInt());
        return;
    }
    EXPECT_EQ(result, platform::kIdCancel);
    EXPECT_EQ(run.stepsRun, 2);
    EXPECT_EQ(m_boxes, QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(m_boxTypes, std::vector<unsigned>{48});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataExchangeRefusal,
    testing::Values(ExchangeCase{"abc", "15", "Please enter an integer.", IDC_FONT_SIZE},
                    ExchangeCase{"", "15", "Please enter an integer.", IDC_FONT_SIZE},
                    ExchangeCase{"2147483648", "15", "Please enter an integer.", IDC_FONT_SIZE},
                    ExchangeCase{"100", "1x", "Please enter an integer.", IDC_FONT_SIZE_STATUS},
                    ExchangeCase{"24", "9", "Please enter an integer between 25 and 200.",
                                 IDC_FONT_SIZE},
                    ExchangeCase{"100", "26", "Please enter an integer between 10 and 25.",
                                 IDC_FONT_SIZE_STATUS},
                    ExchangeCase{" 200 ", "10", nullptr, 0},
                    ExchangeCase{"+25", "25", nullptr, 0}));

TEST_F(Dialogs, SettingChangeRefitsOnlyFullScreenDialogsThatPassItOn) {
    struct Case {
        const char* name;
        bool fullScreen;
        bool swallow;
        bool refits;
    };
    const Case cases[] = {{"full screen", true, false, true},
                          {"template size", false, false, false},
                          {"full screen, ignoring 26", true, true, false}};
    const Rect moved{0, 40, 480, 600};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::SetScreenOverride(kScreen, kScreen);
        TestDialog dlg(IDD_OPTIONS);
        dlg.SetFullScreen(c.fullScreen);
        dlg.swallowSettingChange = c.swallow;
        DriveModal([&] { dlg.DoModal(); }, {[&](platform::Dialog& d) {
                       const Rect before = d.GetWindowRect();
                       platform::SetScreenOverride(kScreen, moved);
                       EXPECT_EQ(d.GetWindowRect(), c.refits ? moved : before);
                       d.EndDialog(platform::kIdOk);
                   }});
    }
}

}  // namespace

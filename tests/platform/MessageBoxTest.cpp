// Real message boxes: icon, buttons and caption by type, and the answers of their buttons.

#include "platform/framework/Application.h"
#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyle>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

struct BoxCase {
    const char* name;
    unsigned type;
    QMessageBox::Icon icon;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton press;  // NoButton: the Escape key
    int answer;
};

class RealMessageBox : public testing::TestWithParam<BoxCase> {};

TEST_P(RealMessageBox, ShowsAndAnswers) {
    const BoxCase& c = GetParam();
    platform::Application app(QStringLiteral("Druno"));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    std::vector<QMessageBox::StandardButton> buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        caption = box->windowTitle();
        text = box->text();
        for (QAbstractButton* button : box->buttons()) {
            buttons.push_back(box->standardButton(button));
        }
        if (c.press == QMessageBox::NoButton) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        } else {
            box->button(c.press)->click();
        }
    });
    EXPECT_EQ(platform::MessageBox(QStringLiteral("Really delete statistics?"), c.type), c.answer);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(caption, QStringLiteral("Druno"));
    EXPECT_EQ(text, QStringLiteral("Really delete statistics?"));
    std::sort(buttons.begin(), buttons.end());
    std::vector<QMessageBox::StandardButton> expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(buttons, expected);
}

using B = QMessageBox;
INSTANTIATE_TEST_SUITE_P(
    Types, RealMessageBox,
    testing::Values(BoxCase{"Plain", 0, B::NoIcon, {B::Ok}, B::Ok, 1},
                    BoxCase{"Error", 16, B::Critical, {B::Ok}, B::Ok, 1},
                    BoxCase{"ErrorEscaped", 16, B::Critical, {B::Ok}, B::NoButton, 1},
                    BoxCase{"QuestionYes", 36, B::Question, {B::Yes, B::No}, B::Yes, 6},
                    BoxCase{"QuestionNo", 36, B::Question, {B::Yes, B::No}, B::No, 7},
                    BoxCase{"QuestionEscaped", 36, B::Question, {B::Yes, B::No}, B::NoButton, 7},
                    BoxCase{"Warning", 48, B::Warning, {B::Ok}, B::Ok, 1},
                    BoxCase{"Information", 64, B::Information, {B::Ok}, B::Ok, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A style that puts icons on dialog buttons, as desktops other than this test's platform do.
class ButtonIconStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Each box drawing its buttons with icons of its own filled the pixmap cache by about a
// kilobyte a box. Every box shows the one icon of each kind instead.
TEST(RealMessageBoxes, ShowTheSameButtonIconsEveryTime) {
    platform::Application app(QStringLiteral("Druno"));
    const QString previousStyle = QApplication::style()->name();
    QApplication::setStyle(new ButtonIconStyle);
    std::vector<qint64> okIcons;
    std::vector<qint64> yesIcons;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
            ASSERT_FALSE(yes->icon().isNull());
            yesIcons.push_back(yes->icon().cacheKey());
            yes->click();
            return;
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        ASSERT_NE(ok, nullptr);
        ASSERT_FALSE(ok->icon().isNull());
        okIcons.push_back(ok->icon().cacheKey());
        ok->click();
    };
    for (const unsigned type : {0u, 36u, 64u, 36u, 0u}) {
        QTimer::singleShot(0, answer);
        platform::MessageBox(QStringLiteral("Game Over!"), type);
    }
    QApplication::setStyle(previousStyle);

    ASSERT_EQ(okIcons.size(), 3u);
    ASSERT_EQ(yesIcons.size(), 2u);
    EXPECT_EQ(okIcons[1], okIcons[0]);
    EXPECT_EQ(okIcons[2], okIcons[0]);
    EXPECT_EQ(yesIcons[1], yesIcons[0]);
}

// The desktop draws a box's title beside its window buttons. A box as narrow as its short
// text ("WON!") cut its title short: it is wide enough for a title centred between three
// buttons and the frame on either side, as a Wayland desktop draws it.
TEST(RealMessageBoxes, AreWideEnoughForTheirTitle) {
    platform::Application app(QStringLiteral("Druno"));
    for (const QString& caption :
         {QStringLiteral("Druno"), QStringLiteral("Druno, the game of guessing digits")}) {
        platform::SetMessageBoxHost({[caption] { return caption; }, nullptr, nullptr});
        int width = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        platform::MessageBox(QStringLiteral("WON!"), 0);
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        const QFontMetrics title(titleFont);
        EXPECT_GE(width, title.horizontalAdvance(caption) + 12 * title.height())
            << caption.toStdString();
    }
    platform::SetMessageBoxHost({});
}

}  // namespace

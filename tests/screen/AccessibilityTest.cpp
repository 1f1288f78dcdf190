// The game screen through Qt's accessibility interface: the two text lines as shown, and
// the strip's eleven cells as buttons a screen reader can press.

#include "tests/screen/GameScreenFixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QWidget>

namespace {

QAccessibleInterface* ViewInterface(const CMyDrunoView* view) {
    return QAccessible::queryAccessibleInterface(view->Widget());
}

QStringList ChildNames(QAccessibleInterface* iface, QAccessible::Role role) {
    QStringList names;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child != nullptr && child->role() == role) {
            names << child->text(QAccessible::Name);
        }
    }
    return names;
}

QAccessibleInterface* Button(QAccessibleInterface* iface, const QString& name) {
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child->role() == QAccessible::Button && child->text(QAccessible::Name) == name) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(GameScreenTest, AccessibleViewShowsTheTextLinesAndElevenButtons) {
    OpenScreen();
    QAccessibleInterface* iface = ViewInterface(m_view);
    ASSERT_NE(iface, nullptr);
    ASSERT_TRUE(iface->isValid());
    EXPECT_EQ(ChildNames(iface, QAccessible::Button),
              (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Delete"}));
    // Between rounds the screen is blank and so are its lines; the buttons are not drawn.
    EXPECT_EQ(ChildNames(iface, QAccessible::StaticText), (QStringList{"", ""}));
    EXPECT_TRUE(Button(iface, "7")->state().invisible);

    NewGame(QStringLiteral("407"));
    EXPECT_EQ(ChildNames(iface, QAccessible::StaticText), (QStringList{"1 / 10", "? ?"}));
    EXPECT_FALSE(Button(iface, "7")->state().invisible);
    TapDigits(QStringLiteral("470"));
    EXPECT_EQ(ChildNames(iface, QAccessible::StaticText), (QStringList{"470, 2 / 10", "1 2"}));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("470, 2 / 10\n1 2"));
}

TEST_F(GameScreenTest, PressingAnAccessibleButtonTapsItsCell) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    QAccessibleInterface* iface = ViewInterface(m_view);
    QAccessibleInterface* seven = Button(iface, "7");
    ASSERT_NE(seven, nullptr);
    QAccessibleActionInterface* action = seven->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});

    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ChildNames(iface, QAccessible::StaticText), (QStringList{"7, 1 / 10", "? ?"}));
    EXPECT_TRUE(TakeEvents().contains(QStringLiteral("beep 0")));

    Button(iface, "Delete")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ChildNames(iface, QAccessible::StaticText), (QStringList{"1 / 10", "? ?"}));
}

TEST_F(GameScreenTest, AccessibleButtonsLieOnTheirCellsAtAnySize) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    QAccessibleInterface* iface = ViewInterface(m_view);
    for (const QSize size : {QSize(240, 268), QSize(480, 536), QSize(720, 804)}) {
        ResizeClient(size.width(), size.height());
        const double factor = size.width() / 240.0;
        const QPoint origin = m_view->Widget()->mapToGlobal(QPoint(0, 0));
        // The middle of cell 3 on the screen.
        const QPoint middle = origin + QPoint(static_cast<int>((10 + 3 * 20 + 10) * factor),
                                              static_cast<int>((233 + 12) * factor));
        QAccessibleInterface* hit = iface->childAt(middle.x(), middle.y());
        ASSERT_NE(hit, nullptr) << size.width();
        EXPECT_EQ(hit->text(QAccessible::Name), QStringLiteral("3")) << size.width();
    }
}

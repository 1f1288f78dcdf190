#include "platform/framework/FrameCommandBar.h"

#include "platform/core/Messages.h"
#include "platform/core/Resources.h"
#include "platform/graphics/Palette.h"
#include "platform/services/Translation.h"

#include <QAction>
#include <QActionGroup>
#include <QBitmap>
#include <QChildEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPointingDevice>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace platform {

namespace {

// "&Options..." reads as "Options" on a button's tool tip.
QString PlainText(QString text) {
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("..."))) {
        text.chop(3);
    }
    return text;
}

// Menu texts are marked QT_TRANSLATE_NOOP("Menu", ...) where the menus are made.
QString MenuText(const QString& text) {
    return TranslateResource("Menu", text);
}

void FillMenu(QMenu* menu, const std::vector<MenuItemTemplate>& items,
              const std::function<QAction*(const QString&, unsigned)>& makeAction) {
    for (const MenuItemTemplate& item : items) {
        if (!item.popup.empty()) {
            FillMenu(menu->addMenu(MenuText(item.text)), item.popup, makeAction);
        } else if (item.command == 0 && item.text.isEmpty()) {
            menu->addSeparator();
        } else {
            menu->addAction(makeAction(MenuText(item.text), item.command));
        }
    }
}

// Silver is the background of button images: it shows the bar through.
QPixmap ButtonImage(const QPixmap& strip, const QRect& cell) {
    QPixmap image = strip.copy(cell);
    image.setMask(image.createMaskFromColor(QColor(0xC0, 0xC0, 0xC0), Qt::MaskInColor));
    return image;
}

// A bar image that follows the desktop's theme: on a dark bar its black ink takes the bar's
// text colour, and on any bar an outline too faint against it is drawn nearer the text colour,
// so that the picture stays legible. It is chosen whenever the
// image is drawn, so a change of theme shows at once.
class ThemedIconEngine : public QIconEngine {
public:
    explicit ThemedIconEngine(QIcon light) : m_light(std::move(light)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Current().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Current().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Current().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Current().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new ThemedIconEngine(m_light); }

private:
    const QIcon& Current() {
        const QPalette palette = QGuiApplication::palette();
        const QColor bar = palette.color(QPalette::Button);
        const QColor ink = palette.color(QPalette::ButtonText);
        if (m_themed.isNull() || bar != m_bar || ink != m_ink) {
            const bool dark = IsDarkPalette(palette);
            m_themed = QIcon();
            for (const qreal ratio : {1.0, 2.0}) {
                const QPixmap light =
                    m_light.pixmap(QSize(kButtonImageSize, kButtonImageSize), ratio);
                QImage image = light.toImage();
                if (dark) {
                    image = InkedForDarkBar(image, ink);
                }
                QPixmap themed = QPixmap::fromImage(OutlinedForBar(image, bar, ink));
                themed.setDevicePixelRatio(light.devicePixelRatio());
                m_themed.addPixmap(themed);
            }
            m_bar = bar;
            m_ink = ink;
        }
        return m_themed;
    }

    QIcon m_light;
    QIcon m_themed;
    QColor m_bar;
    QColor m_ink;
};

QIcon ThemedIcon(const QIcon& light) {
    return QIcon(new ThemedIconEngine(light));
}

// A finger lifted from a button leaves Qt's pointer resting on it, and the button outlined as
// if a mouse hovered there until the next touch elsewhere. The bar's buttons forget it.
class TouchHoverEnder : public QObject {
public:
    explicit TouchHoverEnder(QToolBar* toolBar) : QObject(toolBar) {
        toolBar->installEventFilter(this);
        for (QWidget* item : toolBar->findChildren<QWidget*>()) {
            item->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            // Told while the button is still being made: every widget of the bar is watched.
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType()) {
                child->installEventFilter(this);
            }
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->pointingDevice()->type() ==
                       QInputDevice::DeviceType::TouchScreen) {
            // After the release, which may run a command, has been handled.
            QPointer<QWidget> button = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, this, [button] {
                if (button != nullptr) {
                    button->setAttribute(Qt::WA_UnderMouse, false);
                    button->update();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

// The bar must hold menus, buttons and adornments in the handheld's 240 pixels: its items
// sit close together.
FrameCommandBar::FrameCommandBar(CommandBarHost* host, QToolBar* toolBar)
    : m_host(host), m_toolBar(toolBar) {
    m_toolBar->setStyleSheet(
        QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"
                       "QToolButton { padding: 0px; margin: 0px; border: 1px solid transparent;"
                       " border-radius: 2px; }"
                       // A finger hovers over nothing: a button pressed by touch shows
                       // the outline the mouse shows over it.
                       "QToolButton:hover, QToolButton:pressed { border-color: palette(mid); }"
                       "QToolButton:pressed, QToolButton:open { background: palette(midlight); }"
                       "QToolButton::menu-indicator { image: none; }"
                       // The menu buttons are reached by Tab: the one with the keys shows it
                       // in the selection's colours, as the history's current line does.
                       "QToolButton:focus { border-color: palette(highlight);"
                       " background: palette(highlight); color: palette(highlighted-text); }"));
    new TouchHoverEnder(m_toolBar);
}

QAction* FrameCommandBar::MakeCommandAction(const QString& text, unsigned command) {
    auto* action = new QAction(text, m_toolBar);
    action->setData(command);
    CommandBarHost* host = m_host;
    // A key can come before the enabling of the items caught up with the last command.
    QObject::connect(action, &QAction::triggered, m_toolBar, [host, command] {
        if (host->IsBarCommandEnabled(command)) {
            host->SendBarMessage(kMsgCommand, command);
        }
    });
    m_commandActions.push_back({command, action});
    return action;
}

QString FrameCommandBar::MenuTextOf(unsigned command) const {
    for (const CommandAction& item : m_commandActions) {
        if (item.command == command && !item.action->text().isEmpty()) {
            return item.action->text();
        }
    }
    return {};
}

bool FrameCommandBar::InsertMenuBar(unsigned menuId) {
    const MenuTemplate* menu = FindMenu(menuId);
    if (menu == nullptr) {
        return false;
    }
    auto makeAction = [this](const QString& text, unsigned command) {
        QAction* action = MakeCommandAction(text, command);
        m_menuActions.push_back(action);
        return action;
    };
    QToolButton* first = nullptr;
    for (const MenuItemTemplate& popup : menu->popups) {
        auto* dropDown = new QMenu(MenuText(popup.text), m_toolBar);
        FillMenu(dropDown, popup.popup, makeAction);
        // A menu shows the enabling of the moment it opens.
        CommandBarHost* host = m_host;
        QObject::connect(dropDown, &QMenu::aboutToShow, m_toolBar,
                         [host] { host->UpdateBarItems(); });
        auto* button = new QToolButton(m_toolBar);
        button->setText(dropDown->title());
        button->setMenu(dropDown);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        m_toolBar->addWidget(button);
        if (first == nullptr) {
            first = button;
        }
    }
    // F10 opens the first menu, as it opens a menu bar's first menu on the desktop.
    QWidget* window = m_host->BarWindow();
    if (first != nullptr && window != nullptr) {
        auto* openMenu = new QAction(m_toolBar);
        openMenu->setShortcut(QKeySequence(Qt::Key_F10));
        openMenu->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(openMenu, &QAction::triggered, first, &QToolButton::showMenu,
                         Qt::QueuedConnection);
        window->addAction(openMenu);
    }
    return true;
}

bool FrameCommandBar::AddButtons(unsigned bitmapId, std::span<const ToolbarButton> buttons) {
    const QPixmap strip(FindBitmap(bitmapId));
    if (strip.isNull()) {
        return false;
    }
    for (const ToolbarButton& button : buttons) {
        if (button.style == kButtonStyleSeparator) {
            m_toolBar->addSeparator();
            continue;
        }
        const QRect cell(button.image * kButtonImageSize, 0, kButtonImageSize, kButtonImageSize);
        if (button.image < 0 || !strip.rect().contains(cell)) {
            return false;
        }
        const auto command = static_cast<unsigned>(button.command);
        const QString tip = PlainText(MenuTextOf(command));
        QAction* action = MakeCommandAction(tip, command);
        action->setIcon(ThemedIcon(QIcon(ButtonImage(strip, cell))));
        action->setToolTip(tip);
        action->setEnabled((button.state & kButtonStateEnabled) != 0);
        m_toolBar->addAction(action);
    }
    return true;
}

bool FrameCommandBar::AddAdornments(unsigned /*flags*/) {
    if (m_adorned) {
        return true;
    }
    m_adorned = true;
    // The adornments sit at the bar's end, whatever its width.
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);

    CommandBarHost* host = m_host;
    QStyle* style = m_toolBar->style();
    QAction* help =
        m_toolBar->addAction(ThemedIcon(style->standardIcon(QStyle::SP_TitleBarContextHelpButton)),
                             QCoreApplication::translate("platform::FrameCommandBar", "Help"));
    QObject::connect(help, &QAction::triggered, m_toolBar,
                     [host] { host->SendBarMessage(kMsgHelp, 0); });
    QAction* close =
        m_toolBar->addAction(ThemedIcon(style->standardIcon(QStyle::SP_TitleBarCloseButton)),
                             QCoreApplication::translate("platform::FrameCommandBar", "Close"));
    QObject::connect(close, &QAction::triggered, m_toolBar, [host] {
        if (host->BarWindow() != nullptr) {
            host->BarWindow()->close();
        }
    });
    return true;
}

bool FrameCommandBar::SetShortcut(unsigned command, StandardKey key) {
    const auto found = std::find_if(
        m_menuActions.begin(), m_menuActions.end(),
        [command](const QAction* action) { return action->data().toUInt() == command; });
    // A command no menu item carries takes its key on the window, with nothing shown.
    QAction* keyOnly = nullptr;
    if (found == m_menuActions.end()) {
        if (m_host->BarWindow() == nullptr) {
            return false;
        }
        keyOnly = MakeCommandAction(QString(), command);
    }
    // Desktops without a key scheme of their own know some of the standard keys by no
    // sequence at all: they get the sequence most desktops use.
    std::optional<QKeySequence::StandardKey> standard;
    QKeySequence usual;
    switch (key) {
        case StandardKey::New:
            standard = QKeySequence::New;
            usual = QKeySequence(Qt::CTRL | Qt::Key_N);
            break;
        case StandardKey::HelpContents:
            standard = QKeySequence::HelpContents;
            usual = QKeySequence(Qt::Key_F1);
            break;
        case StandardKey::Quit:
            standard = QKeySequence::Quit;
            usual = QKeySequence(Qt::CTRL | Qt::Key_Q);
            break;
        case StandardKey::ToggleSidePanel:
            usual = QKeySequence(Qt::Key_F9);
            break;
        case StandardKey::Hint:
            usual = QKeySequence(Qt::CTRL | Qt::Key_H);
            break;
    }
    QList<QKeySequence> sequences;
    if (standard) {
        sequences = QKeySequence::keyBindings(*standard);
    }
    if (sequences.isEmpty()) {
        sequences << usual;
    }
    QAction* action = keyOnly != nullptr ? keyOnly : *found;
    action->setShortcuts(sequences);
    // A closed menu takes no keys: the frame's window carries the item's keys as well.
    if (QWidget* window = m_host->BarWindow()) {
        window->addAction(action);
    }
    return true;
}

std::vector<unsigned> FrameCommandBar::Commands() const {
    std::vector<unsigned> commands;
    for (const CommandAction& item : m_commandActions) {
        if (std::find(commands.begin(), commands.end(), item.command) == commands.end()) {
            commands.push_back(item.command);
        }
    }
    return commands;
}

void FrameCommandBar::SetCommandEnabled(unsigned command, bool enabled) {
    for (const CommandAction& item : m_commandActions) {
        if (item.command == command) {
            item.action->setEnabled(enabled);
        }
    }
}

void FrameCommandBar::SetCommandMark(unsigned command, int check, bool radio) {
    for (const CommandAction& item : m_commandActions) {
        if (item.command != command) {
            continue;
        }
        QAction* action = item.action;
        action->setCheckable(true);
        if (radio && action->actionGroup() == nullptr) {
            RadioGroupOf(action)->addAction(action);
        } else if (!radio && action->actionGroup() != nullptr) {
            action->actionGroup()->removeAction(action);
        }
        action->setChecked(check != 0);
    }
}

// The radio items of one menu form one group: a menu draws radio dots only for the items of an
// exclusive group. The update handlers say which item is chosen; the group lets it be none.
QActionGroup* FrameCommandBar::RadioGroupOf(QAction* action) {
    QObject* menu = m_toolBar;
    for (QObject* holder : action->associatedObjects()) {
        if (qobject_cast<QMenu*>(holder) != nullptr) {
            menu = holder;
            break;
        }
    }
    auto* group = menu->findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (group == nullptr) {
        group = new QActionGroup(menu);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    return group;
}

}  // namespace platform

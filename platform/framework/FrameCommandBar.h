#pragma once

// The command bar of a frame, on a Qt tool bar: menus as drop-down buttons, image buttons,
// then the help and close adornments at the bar's end. Every item that carries a command
// sends it to the frame as message 273; the frame enables the items.

#include "platform/framework/CommandBar.h"

#include <QString>

#include <vector>

class QAction;
class QToolBar;

class QWidget;

namespace platform {

// What the bar asks of the window that holds it; the frame answers.
class CommandBarHost {
public:
    // Whether the command is carried out by someone and enabled now.
    virtual bool IsBarCommandEnabled(unsigned command) = 0;
    // Sends the host a message (273 with the command, 0x53 for help).
    virtual void SendBarMessage(unsigned message, unsigned wParam) = 0;
    // Brings the enabling of every item up to date (before a menu opens).
    virtual void UpdateBarItems() = 0;
    // The host's top-level window, or null.
    virtual QWidget* BarWindow() const = 0;

protected:
    ~CommandBarHost() = default;
};

class FrameCommandBar : public CommandBar {
public:
    FrameCommandBar(CommandBarHost* host, QToolBar* toolBar);

    bool InsertMenuBar(unsigned menuId) override;
    bool AddButtons(unsigned bitmapId, std::span<const ToolbarButton> buttons) override;
    // Flags 0: a help button (message 0x53 to the frame) and a close button (the frame's
    // close request).
    bool AddAdornments(unsigned flags) override;
    bool SetShortcut(unsigned command, StandardKey key) override;

    // The commands the bar's menu items and buttons carry, each once, in bar order.
    std::vector<unsigned> Commands() const;
    void SetCommandEnabled(unsigned command, bool enabled);
    // Gives the command's items a check mark, shown when checked.
    void SetCommandChecked(unsigned command, bool checked);
    QToolBar* ToolBar() const { return m_toolBar; }

private:
    QAction* MakeCommandAction(const QString& text, unsigned command);
    QString MenuTextOf(unsigned command) const;

    CommandBarHost* m_host;
    QToolBar* m_toolBar;
    struct CommandAction {
        unsigned command;
        QAction* action;
    };
    std::vector<CommandAction> m_commandActions;
    std::vector<QAction*> m_menuActions;
    bool m_adorned = false;
};

}  // namespace platform

#pragma once

// The whole program in this process, started as main() starts it, for what the desktop adds
// beside the game: the round's history, the help window and the keys. The program starts
// once, on the first test; every test begins and ends between rounds.

#include "app/MainFrame.h"
#include "screen/MyDrunoDoc.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QWidget;

namespace desktop {

// Starts the program with its settings and statistics in folder; false when it did not start.
bool StartProgram(const QString& folder);

CMainFrame* MainFrame();
CMyDrunoDoc* Doc();
QWidget* FrameWindow();
QWidget* GameView();
// The history panel: the widget right of the divider.
QWidget* HistoryPanel();
// The lines the history panel shows, top to bottom; none while it is out of sight.
QStringList HistoryLines();

// The item of the command in the command bar's menus, or null.
QAction* MenuItem(unsigned command);

// The frame's window made active, so that it takes keys.
void Activate();
void PressKeys(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Starts a round through the New Game command, drawing this secret.
void NewGame(const QString& secret);
// Digits tap their cells of the strip, '<' taps the delete cell.
void Play(const QString& moves);
// Abort Game with the confirmation answered Yes or No.
void AbortGame(bool confirm);

// "box <type> <text>" for every message box since the last call.
QStringList TakeBoxes();
// Runs while each message box of the test is up, before it is answered.
void WhileBoxesShow(std::function<void()> action);

// With DRUNO_SCREENSHOTS naming a folder, the main window (or the widget) as <name>.png there.
void SaveShot(const QString& name, QWidget* widget = nullptr);

}  // namespace desktop

class DesktopTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The history panel's lines when the program had just started.
    static QStringList s_startLines;
};

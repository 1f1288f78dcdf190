// Pictures of the game screen for looking at by eye, not a test: a round at the default
// size, at twice the size, at a wide size, in a dark theme, and the command bar in a dark
// theme. Built as screen_pictures; run it with DRUNO_SCREENSHOTS set to a folder:
//   QT_QPA_PLATFORM=offscreen DRUNO_SCREENSHOTS=/tmp/shots build/tests/screen/screen_pictures

#include "platform/framework/FrameCommandBar.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"
#include "tests/screen/Themes.h"

#include <QToolBar>

TEST_F(GameScreenTest, PicturesOfSizesAndThemes) {
    const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
    ASSERT_FALSE(folder.isEmpty()) << "set DRUNO_SCREENSHOTS to the folder for the pictures";
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TapDigits(QStringLiteral("12347"));
    GrabView().save(folder + QStringLiteral("/round-240x268.png"));
    ResizeClient(480, 536);
    GrabView().save(folder + QStringLiteral("/round-480x536.png"));
    ResizeClient(600, 400);
    GrabView().save(folder + QStringLiteral("/round-600x400.png"));
    ResizeClient(240, 268);
    {
        const ScopedPalette dark(DarkPalette());
        GrabView().save(folder + QStringLiteral("/round-dark.png"));
        QToolBar toolBar;
        toolBar.setIconSize(QSize(16, 16));
        platform::FrameCommandBar bar(nullptr, &toolBar);
        const platform::ToolbarButton buttons[] = {{0, ID_NEW_GAME, 4, 0, 0, -1},
                                                   {1, ID_OPTIONS, 4, 0, 0, -1},
                                                   {2, ID_STATISTIC, 4, 0, 0, -1},
                                                   {3, ID_APP_ABOUT, 4, 0, 0, -1}};
        bar.AddButtons(IDB_TOOLBAR, buttons);
        bar.AddAdornments(0);
        toolBar.resize(240, 24);
        toolBar.grab().save(folder + QStringLiteral("/bar-dark.png"));
    }
}

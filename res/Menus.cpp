// Menu 128: the main frame's two pop-up menus.

#include "platform/core/Resources.h"
#include "platform/services/Strings.h"
#include "res/Resource.h"

namespace res {

namespace {

platform::MenuItemTemplate Item(const char* text, unsigned command) {
    return {QString::fromUtf8(text), command, {}};
}

platform::MenuItemTemplate Separator() {
    return {};
}

// The level pop-up; its texts come from the string table.
platform::MenuItemTemplate LevelMenu() {
    return {platform::LoadString(IDS_LEVEL_MENU),
            0,
            {{platform::LoadString(IDS_LEVEL_3_MENU), ID_LEVEL_3, {}},
             {platform::LoadString(IDS_LEVEL_4_MENU), ID_LEVEL_4, {}},
             {platform::LoadString(IDS_LEVEL_5_MENU), ID_LEVEL_5, {}}}};
}

}  // namespace

void InstallMenus() {
    platform::MenuTemplate mainFrame;
    mainFrame.popups = {
        {QStringLiteral("&Druno"),
         0,
         {Item("&New Game", ID_NEW_GAME), Item("&Abort Game", ID_ABORT_GAME), LevelMenu(),
          Separator(), Item("&Options...", ID_OPTIONS), Item("&Look and Feel...", ID_LOOK_AND_FEEL),
          Item("&Statistics...", ID_STATISTIC),
          // Shows or hides the panel of guesses.
          Item("&History", ID_HISTORY), Separator(), Item("E&xit", ID_APP_EXIT)}},
        {QStringLiteral("&Help"),
         0,
         {Item("&Contents", ID_HELP), Separator(), Item("&About Druno", ID_APP_ABOUT)}},
    };
    platform::InstallMenu(IDR_MAINFRAME, std::move(mainFrame));
}

}  // namespace res

// Menu 128: the main frame's two pop-up menus. The frame shows the texts marked
// QT_TRANSLATE_NOOP("Menu", ...) in the desktop's language.

#include "platform/core/Resources.h"
#include "res/Resource.h"

namespace res {

namespace {

platform::MenuItemTemplate Item(const char* text, unsigned command) {
    return {QString::fromUtf8(text), command, {}};
}

platform::MenuItemTemplate Popup(const char* text, std::vector<platform::MenuItemTemplate> items) {
    return {QString::fromUtf8(text), 0, std::move(items)};
}

platform::MenuItemTemplate Separator() {
    return {};
}

}  // namespace

void InstallMenus() {
    platform::MenuTemplate mainFrame;
    mainFrame.popups = {
        Popup("&Druno", {Item(QT_TRANSLATE_NOOP("Menu", "&New Game"), ID_NEW_GAME),
                         Item(QT_TRANSLATE_NOOP("Menu", "&Abort Game"), ID_ABORT_GAME),
                         // How many digits the secret has; chosen between rounds.
                         Popup(QT_TRANSLATE_NOOP("Menu", "Le&vel"),
                               {Item(QT_TRANSLATE_NOOP("Menu", "&Three digits"), ID_LEVEL_3),
                                Item(QT_TRANSLATE_NOOP("Menu", "&Four digits"), ID_LEVEL_4),
                                Item(QT_TRANSLATE_NOOP("Menu", "Fi&ve digits"), ID_LEVEL_5)}),
                         // The coach, off by default, and the hint it gives during a round.
                         Item(QT_TRANSLATE_NOOP("Menu", "&Coach"), ID_COACH),
                         Item(QT_TRANSLATE_NOOP("Menu", "H&int"), ID_HINT), Separator(),
                         Item(QT_TRANSLATE_NOOP("Menu", "&Options..."), ID_OPTIONS),
                         Item(QT_TRANSLATE_NOOP("Menu", "&Look and Feel..."), ID_LOOK_AND_FEEL),
                         Item(QT_TRANSLATE_NOOP("Menu", "&Statistics..."), ID_STATISTIC),
                         // Every round of the journal, with its figures and charts.
                         Item(QT_TRANSLATE_NOOP("Menu", "&Progress..."), ID_PROGRESS),
                         // Shows or hides the panel of guesses.
                         Item(QT_TRANSLATE_NOOP("Menu", "&History"), ID_HISTORY), Separator(),
                         Item(QT_TRANSLATE_NOOP("Menu", "E&xit"), ID_APP_EXIT)}),
        Popup(QT_TRANSLATE_NOOP("Menu", "&Help"),
              {Item(QT_TRANSLATE_NOOP("Menu", "&Contents"), ID_HELP), Separator(),
               Item(QT_TRANSLATE_NOOP("Menu", "&About Druno"), ID_APP_ABOUT)}),
    };
    platform::InstallMenu(IDR_MAINFRAME, std::move(mainFrame));
}

}  // namespace res

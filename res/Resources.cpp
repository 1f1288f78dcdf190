#include "res/Resources.h"

#include "platform/services/Strings.h"
#include "res/Resource.h"

namespace res {

platform::StringTable StringTable();
void InstallImages();
void InstallMenus();
void InstallDialogs();

const std::array<platform::ToolbarButton, 6> kMainFrameButtons = {{
    {0, 0, platform::kButtonStateEnabled, platform::kButtonStyleSeparator, 0, 0},
    {0, static_cast<int>(ID_NEW_GAME), platform::kButtonStateEnabled, platform::kButtonStyleButton,
     0, -1},
    {1, static_cast<int>(ID_OPTIONS), platform::kButtonStateEnabled, platform::kButtonStyleButton,
     0, -1},
    {2, static_cast<int>(ID_STATISTIC), platform::kButtonStateEnabled, platform::kButtonStyleButton,
     0, -1},
    {0, 0, platform::kButtonStateEnabled, platform::kButtonStyleSeparator, 0, -1},
    {3, static_cast<int>(ID_APP_ABOUT), platform::kButtonStateEnabled, platform::kButtonStyleButton,
     0, -1},
}};

void Install() {
    platform::InstallStringTable(StringTable());
    InstallImages();
    InstallMenus();
    InstallDialogs();
}

}  // namespace res

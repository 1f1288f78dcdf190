#include "screen/StripTargets.h"

#include "platform/services/Strings.h"
#include "res/Resource.h"

std::vector<platform::TapTarget> StripTargets(int nLeft, int nTop, bool bShown) {
    std::vector<platform::TapTarget> targets;
    for (int nCell = 0; nCell < kStripCells; ++nCell) {
        platform::TapTarget target;
        target.rect = {nLeft + nCell * kStripCellWidth, nTop, nLeft + (nCell + 1) * kStripCellWidth,
                       nTop + kStripHeight};
        target.shown = bShown;
        if (nCell == kStripDeleteCell) {
            target.name = platform::LoadString(IDS_STRIP_DELETE);
            target.keys = {platform::kVkBack, platform::kVkDelete};
        } else {
            target.name = QString::number(nCell);
            target.keys = {unsigned{'0'} + static_cast<unsigned>(nCell),
                           platform::kVkNumpad0 + static_cast<unsigned>(nCell)};
        }
        targets.push_back(target);
    }
    return targets;
}

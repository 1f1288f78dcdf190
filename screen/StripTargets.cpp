#include "screen/StripTargets.h"

namespace {

constexpr int kCells = 11;
constexpr int kCellWidth = 20;
constexpr int kCellHeight = 25;
constexpr int kDeleteCell = 10;

}  // namespace

std::vector<platform::TapTarget> StripTargets(int nLeft, int nTop, bool bShown) {
    std::vector<platform::TapTarget> targets;
    for (int nCell = 0; nCell < kCells; ++nCell) {
        platform::TapTarget target;
        target.rect = {nLeft + nCell * kCellWidth, nTop, nLeft + (nCell + 1) * kCellWidth,
                       nTop + kCellHeight};
        target.shown = bShown;
        if (nCell == kDeleteCell) {
            target.name = QStringLiteral("Delete");
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

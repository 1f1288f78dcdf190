// The bitmaps and the icon, by resource number.

#include "platform/core/Resources.h"
#include "res/Resource.h"

namespace res {

void InstallImages() {
    platform::InstallBitmap(IDB_NUMBERS, QStringLiteral(":/images/numbers.bmp"));
    platform::InstallBitmap(IDB_TOOLBAR, QStringLiteral(":/images/toolbar.bmp"));
    platform::InstallIcon(IDI_MAINFRAME, {QStringLiteral(":/images/druno32.png"),
                                          QStringLiteral(":/images/druno16.png")});
}

}  // namespace res

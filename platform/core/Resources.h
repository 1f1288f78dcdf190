#pragma once

// The resources the platform builds windows from: dialog templates, menus, bitmaps and icons,
// installed once at start-up from res/ (the string table lives in Strings.h).

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

// One control of a dialog template. Positions and sizes are in dialog units.
struct DialogItemTemplate {
    QString windowClass;  // "BUTTON", "STATIC", "EDIT", "COMBOBOX", "msctls_updown32"
    QString text;         // for a STATIC with style SS_ICON (3): the icon resource number
    int id = -1;          // -1: no id
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned style = 0;
    unsigned exStyle = 0;
};

struct DialogTemplate {
    QString caption;
    QString fontFace;
    int fontPoints = 8;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned style = 0;
    unsigned exStyle = 0;  // 0x80000000: an OK button in the caption
    std::vector<DialogItemTemplate> items;
};

struct MenuItemTemplate {
    QString text;  // empty with command 0: a separator
    unsigned command = 0;
    std::vector<MenuItemTemplate> popup;  // not empty: a pop-up menu
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> popups;
};

void InstallDialogTemplate(unsigned id, DialogTemplate dialogTemplate);
const DialogTemplate* FindDialogTemplate(unsigned id);

void InstallMenu(unsigned id, MenuTemplate menu);
const MenuTemplate* FindMenu(unsigned id);

// Images by resource number, as paths in Qt's resource system (":/...").
void InstallBitmap(unsigned id, const QString& path);
QString FindBitmap(unsigned id);
void InstallIcon(unsigned id, const QStringList& paths);  // one path per size
QStringList FindIcon(unsigned id);

}  // namespace platform

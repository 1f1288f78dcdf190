#pragma once

// The help window: one page of the program's help, from Qt's resource system, in a window of
// its own that stays open beside the program. Escape closes it.

#include "platform/framework/Window.h"

#include <QString>

namespace platform {

class HelpWindow : public Window {
public:
    // Shows the page (a ":/" path to an HTML file), raised and active; an open window shows
    // it anew. The window's title is the page's own, else "<appName> Help". False when
    // there is no such page.
    bool Open(const QString& page, const QString& appName);

    // The page's text as the reader sees it, without markup.
    QString GetPageText() const;
};

}  // namespace platform

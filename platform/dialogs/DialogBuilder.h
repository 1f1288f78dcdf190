#pragma once

// Makes a dialog's widgets from its template: the frame with its title and client areas, the
// template's font, and every control at its place in dialog units, with its style bits.
// Control notifications reach the dialog as command messages (273): the control id in the
// low word, the notification in the high word.

#include "platform/core/Resources.h"

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

namespace platform {

class Dialog;
class DialogFrame;
class Window;

class DialogBuilder {
public:
    struct Control {
        int id;
        QWidget* widget;
        unsigned style;
        std::unique_ptr<Window> window;  // the platform's own window object for it
    };
    struct Result {
        DialogFrame* frame = nullptr;   // owned by the caller
        std::vector<Control> controls;  // in template order
    };

    // The widgets of dialogTemplate, with ownerWidget as the window's owner (may be null).
    static Result Build(Dialog& dialog, const DialogTemplate& dialogTemplate, QWidget* ownerWidget);

    // Binds a window object of the program to a control widget, carrying its style over.
    static void Bind(Window& window, QWidget* widget, unsigned style);
    static void Unbind(Window& window);
};

}  // namespace platform

#pragma once

// Windows of other processes: found by title, walked to their children, and sent synchronous
// messages. Each message is delivered and handled before the call returns.
//
// A handle stays valid for the life of the process. Each peer may keep the caller waiting for
// about 1.5 s in all: the search that finds it and every message after, each wait charged in
// full, with a fiftieth of the time the caller runs given back (never above the 1.5 s). A peer
// that has spent that budget, or that has gone away, is marked dead:
// that send and every later send through any handle of that window answer 0 at once, without
// reaching the peer. Nothing here raises a signal or stops the caller.
//
// Plain POSIX sockets, not QLocalSocket: the game's trace finds and feeds the viewer during
// static initialisation, before any Qt application or event loop exists.

#include "platform/core/Types.h"

#include <QString>

namespace platform {

class RemoteWindow;

// A top-level window of another process (of this user) whose title is exactly title, or null.
// All published windows are asked at once; the search takes about 1.5 s at most, however many
// there are and however slowly they answer.
RemoteWindow* FindRemoteWindow(const QString& title);
// The first child window of window, or null when it has none (or window is null).
RemoteWindow* GetFirstRemoteChild(RemoteWindow* window);

// Sends a message with a number as its second parameter and answers the handler's result.
MessageResult SendRemoteMessage(RemoteWindow* window, unsigned message, WParam wParam,
                                LParam lParam);
// Sends a message whose second parameter is a text, such as kMsgSetText (12). A text longer
// than one message carries (about half a million UTF-16 units) arrives cut to fit.
MessageResult SendRemoteMessage(RemoteWindow* window, unsigned message, WParam wParam,
                                const QString& text);

}  // namespace platform

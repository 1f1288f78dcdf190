#include "platform/graphics/Screen.h"

#include "platform/core/Messages.h"
#include "platform/graphics/QtGeometry.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <map>
#include <optional>

namespace platform {

namespace {

struct ScreenOverride {
    Rect screen;
    Rect workArea;
};

struct ScreenState {
    std::optional<ScreenOverride> override;
    std::optional<bool> canPlaceOverride;
    std::map<int, std::function<void()>> listeners;
    int nextHandle = 1;
    QPointer<QScreen> watched;
};

ScreenState& State() {
    static ScreenState state;
    return state;
}

void NotifyListeners() {
    // Copy first: a listener may add or remove listeners while it runs.
    const auto listeners = State().listeners;
    for (const auto& [handle, listener] : listeners) {
        if (State().listeners.count(handle) != 0) {
            listener();
        }
    }
}

// Follows the primary screen, including a change of which screen is primary.
void WatchPrimaryScreen() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return;
    }
    QScreen* primary = QGuiApplication::primaryScreen();
    ScreenState& state = State();
    if (primary == nullptr || state.watched == primary) {
        return;
    }
    if (state.watched) {
        QObject::disconnect(state.watched, nullptr, app, nullptr);
    } else {
        QObject::connect(app, &QGuiApplication::primaryScreenChanged, app, [] {
            WatchPrimaryScreen();
            if (!State().override) {
                NotifyListeners();
            }
        });
    }
    state.watched = primary;
    QObject::connect(primary, &QScreen::availableGeometryChanged, app, [] {
        if (!State().override) {
            NotifyListeners();
        }
    });
}

QScreen* Primary() {
    return QCoreApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
}

}  // namespace

Rect GetScreenRect() {
    if (State().override) {
        return State().override->screen;
    }
    QScreen* screen = Primary();
    return screen ? ToRect(screen->geometry()) : Rect{};
}

Rect GetWorkArea() {
    if (State().override) {
        return State().override->workArea;
    }
    QScreen* screen = Primary();
    return screen ? ToRect(screen->availableGeometry()) : Rect{};
}

int GetSystemMetrics(int index) {
    const Rect screen = GetScreenRect();
    switch (index) {
        case kSmCxScreen:
            return screen.Width();
        case kSmCyScreen:
            return screen.Height();
        default:
            return 0;
    }
}

bool CanPlaceWindows() {
    if (State().canPlaceOverride) {
        return *State().canPlaceOverride;
    }
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void SetCanPlaceWindowsOverride(bool canPlace) {
    State().canPlaceOverride = canPlace;
}

void SetScreenOverride(const Rect& screen, const Rect& workArea) {
    const Rect before = GetWorkArea();
    State().override = ScreenOverride{screen, workArea};
    if (!(before == workArea)) {
        NotifyListeners();
    }
}

void ClearScreenOverride() {
    if (!State().override) {
        return;
    }
    const Rect before = GetWorkArea();
    State().override.reset();
    if (!(before == GetWorkArea())) {
        NotifyListeners();
    }
}

int AddWorkAreaListener(std::function<void()> listener) {
    WatchPrimaryScreen();
    const int handle = State().nextHandle++;
    State().listeners.emplace(handle, std::move(listener));
    return handle;
}

void RemoveWorkAreaListener(int handle) {
    State().listeners.erase(handle);
}

}  // namespace platform

#include "platform/Sound.h"

#include "platform/Messages.h"

#include <canberra.h>

namespace platform {

namespace {

std::function<void(unsigned)>& Observer() {
    static std::function<void(unsigned)> observer;
    return observer;
}

// One context for the whole run, made at the first sound. Null when libcanberra cannot make
// one; the program then stays silent.
ca_context* Context() {
    static ca_context* context = [] {
        ca_context* made = nullptr;
        if (ca_context_create(&made) != CA_SUCCESS) {
            return static_cast<ca_context*>(nullptr);
        }
        ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Druno", CA_PROP_APPLICATION_ID,
                                "Druno", nullptr);
        return made;
    }();
    return context;
}

// The freedesktop theme's names: the error sound for the stop type, the bell otherwise.
const char* EventId(unsigned type) {
    return type == kSoundStop ? "dialog-error" : "bell";
}

}  // namespace

void MessageBeep(unsigned type) {
    if (Observer()) {
        Observer()(type);
    }
    ca_context* context = Context();
    if (context == nullptr) {
        return;
    }
    // Played asynchronously; whatever goes wrong (no sound server, no theme) stays silent.
    ca_context_play(context, 0, CA_PROP_EVENT_ID, EventId(type), CA_PROP_CANBERRA_CACHE_CONTROL,
                    "permanent", nullptr);
}

void SetSoundObserver(std::function<void(unsigned type)> observer) {
    Observer() = std::move(observer);
}

}  // namespace platform

#include "platform/Sound.h"

#include "platform/Messages.h"

#include <canberra.h>
#include <dlfcn.h>

namespace platform {

namespace {

std::function<void(unsigned)>& Observer() {
    static std::function<void(unsigned)> observer;
    return observer;
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// libcanberra plays through ALSA, which reports a missing sound card on the standard error
// stream; that stream carries the program's debug output, so ALSA is told to keep quiet.
void SilenceAlsa() {
    void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) {
        return;
    }
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetErrorHandler = int (*)(ErrorHandler);
    auto setHandler = reinterpret_cast<SetErrorHandler>(::dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&IgnoreAlsaError);
    }
    // The library stays loaded: libcanberra's ALSA driver uses this same instance.
}

// One context for the whole run, made at the first sound. Null when libcanberra cannot make
// one; the program then stays silent.
ca_context* Context() {
    static ca_context* context = [] {
        SilenceAlsa();
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

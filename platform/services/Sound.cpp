#include "platform/services/Sound.h"

#include "platform/core/Messages.h"

#include <canberra.h>
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

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

// The freedesktop theme's names: the error sound for the stop type, the bell otherwise.
const char* EventId(unsigned type) {
    return type == kSoundStop ? "dialog-error" : "bell";
}

// The few libcanberra functions we use. The library is opened only once a sound is wanted:
// a player who keeps the sound off never has it (nor its codecs and drivers) loaded.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_cache) cache = nullptr;
    decltype(&ca_context_play) play = nullptr;

    bool Load() {
        void* library = ::dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return false;
        }
        create = reinterpret_cast<decltype(create)>(::dlsym(library, "ca_context_create"));
        changeProps =
            reinterpret_cast<decltype(changeProps)>(::dlsym(library, "ca_context_change_props"));
        open = reinterpret_cast<decltype(open)>(::dlsym(library, "ca_context_open"));
        cache = reinterpret_cast<decltype(cache)>(::dlsym(library, "ca_context_cache"));
        play = reinterpret_cast<decltype(play)>(::dlsym(library, "ca_context_play"));
        // The library stays loaded for the rest of the run, with the context made from it.
        return create != nullptr && changeProps != nullptr && open != nullptr && cache != nullptr &&
               play != nullptr;
    }
};

// Plays the sounds on a thread of its own. Opening the sound device, finding the theme's
// file and decoding it all take time, and a tap must not wait for any of it: the user
// interface only hands the request over. The thread sets libcanberra up once, at the first
// sound, and asks it to keep both sounds cached where the sound system can.
class Player {
public:
    ~Player() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    void Play(unsigned type) {
        // While the thread would drop the sound anyway, it is not even woken.
        if (m_silent.load(std::memory_order_relaxed) ||
            Clock::now().time_since_epoch().count() <
                m_quietUntil.load(std::memory_order_relaxed)) {
            return;
        }
        {
            const std::lock_guard lock(m_mutex);
            if (!m_thread.joinable()) {
                m_thread = std::thread([this] { Run(); });
            }
            // Sounds asked for faster than they can start would only come late: the oldest
            // wait is dropped.
            if (m_pending.size() >= kMaxPending) {
                m_pending.pop_front();
            }
            m_pending.push_back(type);
        }
        m_wake.notify_one();
    }

private:
    static constexpr size_t kMaxPending = 4;
    // Without a sound device or theme every attempt fails, after finding and decoding the
    // sound file all the same: after a failure the next attempts wait this long.
    static constexpr std::chrono::seconds kQuietAfterFailure{3};
    using Clock = std::chrono::steady_clock;

    void Run() {
        m_context = MakeContext();
        m_silent = m_context == nullptr;
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
            if (m_stopping) {
                return;
            }
            const unsigned type = m_pending.front();
            m_pending.pop_front();
            if (m_context == nullptr ||
                Clock::now().time_since_epoch().count() < m_quietUntil.load()) {
                continue;
            }
            lock.unlock();
            // Whatever goes wrong (no sound server, no theme, no device) stays silent.
            if (m_canberra.play(m_context, 0, CA_PROP_EVENT_ID, EventId(type),
                                CA_PROP_CANBERRA_CACHE_CONTROL, "permanent",
                                nullptr) != CA_SUCCESS) {
                m_quietUntil = (Clock::now() + kQuietAfterFailure).time_since_epoch().count();
            }
            lock.lock();
        }
    }

    // Null when libcanberra is missing or cannot make a context: the program stays silent.
    ca_context* MakeContext() {
        if (!m_canberra.Load()) {
            return nullptr;
        }
        SilenceAlsa();
        ca_context* context = nullptr;
        if (m_canberra.create(&context) != CA_SUCCESS) {
            return nullptr;
        }
        m_canberra.changeProps(context, CA_PROP_APPLICATION_NAME, "Druno", CA_PROP_APPLICATION_ID,
                               "Druno", nullptr);
        m_canberra.open(context);
        for (const unsigned type : {kSoundStop, 0U}) {
            m_canberra.cache(context, CA_PROP_EVENT_ID, EventId(type), nullptr);
        }
        return context;
    }

    Canberra m_canberra;
    // Kept for the whole run, never destroyed: a sound may still be playing at exit.
    ca_context* m_context = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<unsigned> m_pending;
    bool m_stopping = false;
    // Set by the thread, read by the user interface: no context at all, or no sound before
    // this time after a failure.
    std::atomic<bool> m_silent{false};
    std::atomic<Clock::rep> m_quietUntil{0};
    std::thread m_thread;
};

}  // namespace

void MessageBeep(unsigned type) {
    if (Observer()) {
        Observer()(type);
    }
    static Player player;
    player.Play(type);
}

void SetSoundObserver(std::function<void(unsigned type)> observer) {
    Observer() = std::move(observer);
}

}  // namespace platform

#include "platform/core/Clock.h"

#include <chrono>

namespace platform {

namespace {
std::function<std::uint32_t()>& Source() {
    static std::function<std::uint32_t()> source;
    return source;
}
}  // namespace

std::uint32_t GetTickCount() {
    if (Source()) {
        return Source()();
    }
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    // Wraps after 49.7 days, like the handheld's counter.
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SetTickSource(std::function<std::uint32_t()> source) {
    Source() = std::move(source);
}

}  // namespace platform

#include "platform/Debug.h"

#include <cstdio>

namespace platform {

namespace {
DebugObserver& Observer() {
    static DebugObserver observer;
    return observer;
}
}  // namespace

void OutputDebugString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
    if (Observer()) {
        Observer()(text);
    }
}

void SetDebugObserver(DebugObserver observer) {
    Observer() = std::move(observer);
}

}  // namespace platform

#include "platform/framework/RuntimeClass.h"

#include <map>
#include <memory>

namespace platform {

namespace {
// Records are never moved once made: callers keep references to them.
std::map<QString, std::unique_ptr<RuntimeClass>>& Registry() {
    static std::map<QString, std::unique_ptr<RuntimeClass>> registry;
    return registry;
}
}  // namespace

const RuntimeClass& RegisterRuntimeClass(const QString& className,
                                         std::function<std::unique_ptr<CommandTarget>()> create) {
    auto& slot = Registry()[className];
    if (!slot) {
        slot = std::make_unique<RuntimeClass>(RuntimeClass{className, std::move(create)});
    }
    return *slot;
}

const RuntimeClass* FindRuntimeClass(const QString& className) {
    const auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : it->second.get();
}

}  // namespace platform

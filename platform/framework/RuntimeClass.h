#pragma once

// The registry of dynamically creatable classes: a class name and a factory, so that a
// document template can create document, frame and view from their class records.

#include "platform/framework/CommandTarget.h"

#include <QString>

#include <functional>
#include <memory>

namespace platform {

struct RuntimeClass {
    QString className;
    std::function<std::unique_ptr<CommandTarget>()> create;
};

// Registers the class and gives back its record; the registry lives for the whole run.
const RuntimeClass& RegisterRuntimeClass(const QString& className,
                                         std::function<std::unique_ptr<CommandTarget>()> create);
// The record registered under the name, or null.
const RuntimeClass* FindRuntimeClass(const QString& className);

// A new object of the class, or null when the class is not a T.
template <typename T>
std::unique_ptr<T> CreateObject(const RuntimeClass& runtimeClass) {
    std::unique_ptr<CommandTarget> object = runtimeClass.create();
    if (dynamic_cast<T*>(object.get()) == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

}  // namespace platform

// In the class body: a dynamically creatable class with its record.
#define PLATFORM_DECLARE_DYNCREATE(cls) \
public:                                 \
    static const ::platform::RuntimeClass& Class();

// In the class's source file: defines the record and registers it at start-up.
#define PLATFORM_IMPLEMENT_DYNCREATE(cls)                                                 \
    const ::platform::RuntimeClass& cls::Class() {                                        \
        static const ::platform::RuntimeClass& record = ::platform::RegisterRuntimeClass( \
            QStringLiteral(#cls), []() -> std::unique_ptr<::platform::CommandTarget> {    \
                return std::make_unique<cls>();                                           \
            });                                                                           \
        return record;                                                                    \
    }                                                                                     \
    namespace {                                                                           \
    [[maybe_unused]] const ::platform::RuntimeClass& s_register##cls = cls::Class();      \
    }

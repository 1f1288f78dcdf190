#include "platform/core/Resources.h"

#include <map>

namespace platform {

namespace {

template <class T>
std::map<unsigned, T>& Registry() {
    static std::map<unsigned, T> registry;
    return registry;
}

template <class T>
const T* Find(unsigned id) {
    const auto it = Registry<T>().find(id);
    return it == Registry<T>().end() ? nullptr : &it->second;
}

// Bitmaps and icons are both paths; distinct tag types keep their numbers apart.
struct BitmapPath {
    QString path;
};
struct IconPaths {
    QStringList paths;
};

}  // namespace

void InstallDialogTemplate(unsigned id, DialogTemplate dialogTemplate) {
    Registry<DialogTemplate>()[id] = std::move(dialogTemplate);
}

const DialogTemplate* FindDialogTemplate(unsigned id) {
    return Find<DialogTemplate>(id);
}

void InstallMenu(unsigned id, MenuTemplate menu) {
    Registry<MenuTemplate>()[id] = std::move(menu);
}

const MenuTemplate* FindMenu(unsigned id) {
    return Find<MenuTemplate>(id);
}

void InstallBitmap(unsigned id, const QString& path) {
    Registry<BitmapPath>()[id] = {path};
}

QString FindBitmap(unsigned id) {
    const BitmapPath* bitmap = Find<BitmapPath>(id);
    return bitmap ? bitmap->path : QString();
}

void InstallIcon(unsigned id, const QStringList& paths) {
    Registry<IconPaths>()[id] = {paths};
}

QStringList FindIcon(unsigned id) {
    const IconPaths* icon = Find<IconPaths>(id);
    return icon ? icon->paths : QStringList();
}

}  // namespace platform

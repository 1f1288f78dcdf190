#include "platform/Module.h"

#include <QFile>

#include <unistd.h>
#include <vector>

namespace platform {

namespace {

std::function<QString()>& Source() {
    static std::function<QString()> source;
    return source;
}

QString ReadExeLink() {
    // The link's length is not known in advance: grow the buffer until the name fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return QString();
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            return QFile::decodeName(QByteArray(buffer.data(), static_cast<int>(n)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

QString GetModuleFileName() {
    if (Source()) {
        return Source()();
    }
    return ReadExeLink();
}

void SetModuleFileNameSource(std::function<QString()> source) {
    Source() = std::move(source);
}

}  // namespace platform

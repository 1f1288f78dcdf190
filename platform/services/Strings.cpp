#include "platform/services/Strings.h"

#include "platform/services/Translation.h"

namespace platform {

namespace {
StringTable& Table() {
    static StringTable table;
    return table;
}
}  // namespace

void InstallStringTable(const StringTable& table) {
    Table() = table;
}

QString LoadString(unsigned id) {
    const auto it = Table().find(id);
    return it == Table().end() ? QString() : TranslateResource(kStringTableContext, it->second);
}

QString FormatString(unsigned id, const QString& arg1) {
    QString text = LoadString(id);
    return text.replace(QStringLiteral("%1"), arg1);
}

}  // namespace platform

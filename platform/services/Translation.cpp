#include "platform/services/Translation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace platform {

namespace {

struct Installed {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
    QString language;
};

Installed& Current() {
    static Installed installed;
    return installed;
}

void Remove(std::unique_ptr<QTranslator>& translator) {
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
}

// Takes the translations out again: the texts are English from here on.
void RemoveTranslations() {
    Installed& current = Current();
    Remove(current.qt);
    Remove(current.program);
    current.language.clear();
}

// The program's translation for the desktop's language. QLocale() is the desktop's locale
// unless the program set another default; its languages come from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG in Qt's order, the most wanted first. English is the program's own
// language: where it comes before every language we have a translation for
// ("LANGUAGE=en:de"), the texts stay English.
bool LoadProgramTranslation(QTranslator& translator, const QString& name) {
    for (const QString& wanted : QLocale().uiLanguages()) {
        const QLocale locale(wanted);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C) {
            return false;
        }
        if (translator.load(locale, name, QStringLiteral("_"), QStringLiteral(":/i18n"))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool InstallTranslations(const QString& name) {
    RemoveTranslations();
    auto program = std::make_unique<QTranslator>();
    if (!LoadProgramTranslation(*program, name) ||
        !QCoreApplication::installTranslator(program.get())) {
        return false;
    }
    Installed& current = Current();
    current.language = QLocale(program->language()).name().section(QLatin1Char('_'), 0, 0);
    current.program = std::move(program);
    // Qt's own texts (standard buttons, context menus, key names) in the same language, so
    // that a box or a menu never mixes two languages. A missing Qt translation leaves Qt's
    // texts English and the program's translated.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(current.language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get())) {
        current.qt = std::move(qt);
    }
    return true;
}

QString TranslationLanguage() {
    return Current().language;
}

QString TranslateResource(const char* context, const QString& text) {
    if (!Current().program || text.isEmpty()) {
        return text;
    }
    const QString translated = Current().program->translate(context, text.toUtf8().constData());
    return translated.isEmpty() ? text : translated;
}

QString LocalizedResourcePath(const QString& path) {
    const QString language = TranslationLanguage();
    if (language.isEmpty()) {
        return path;
    }
    const QFileInfo info(path);
    const QString localized =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('_') + language +
        (info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix());
    return QFileInfo::exists(localized) ? localized : path;
}

QString TranslateBeforeStart(const QString& name, const char* context, const char* text) {
    QTranslator translator;
    const QString translated =
        LoadProgramTranslation(translator, name) ? translator.translate(context, text) : QString();
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

}  // namespace platform

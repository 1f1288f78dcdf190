#pragma once

// The language of the texts: the program's translation and Qt's own, chosen by the desktop's
// language the way Qt looks it up (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). Without a translation
// for that language, or before one is installed, every text stays the program's own English.

#include <QString>

namespace platform {

// Installs the translation ":/i18n/<name>_<language>.qm" that best fits the desktop's language,
// and Qt's own translation of that same language beside it. Replaces what an earlier call
// installed; returns false, leaving the English texts, when the program has no translation for
// the language. Needs the application object.
bool InstallTranslations(const QString& name);

// A text in the desktop's language before the application object exists (a message on the
// error stream, the answer to --help): text marked QT_TRANSLATE_NOOP(context, text), looked
// up in the translation InstallTranslations(name) would install.
QString TranslateBeforeStart(const QString& name, const char* context, const char* text);

// The language of the installed translation, such as "de"; empty while the texts are English.
QString TranslationLanguage();

// A resource text (menu, dialog template, string table) in the installed language. The
// resources mark their texts with QT_TRANSLATE_NOOP(context, text) so that lupdate finds them.
QString TranslateResource(const char* context, const QString& text);

// The translated form of a resource file, ":/help/Druno_de.html" for ":/help/Druno.html", when
// the installed language has one; otherwise the path as given.
QString LocalizedResourcePath(const QString& path);

}  // namespace platform

// The language of the windows: Japanese, the language their texts are written in, or one
// of the translations embedded in the program: every translations/gradation_<language>.ts,
// compiled into :/i18n/gradation_<language>.qm. Qt's own texts (standard buttons, the
// colour and file dialogs, context menus) follow the same choice. A language is named as
// Qt names its translations: "en", "ko", "zh_CN".
#pragma once

#include <QString>
#include <QStringList>

namespace gradation::platform {

// The language the windows' texts are written in.
inline constexpr char kSourceLanguage[] = "ja";

// Japanese, then every language the program holds a translation into.
QStringList interface_languages();

// The first language of `offered` that `preferred` names, taken in the order of
// `preferred` ("en-GB" and "en_US.UTF-8" name "en"; of two that a name names, the longer
// wins: "pt_BR" over "pt"); Japanese when none is named, the C and POSIX locales included.
QString choose_interface_language(const QStringList& preferred, const QStringList& offered);

// Chooses from the user's preferred languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) and
// installs that language's translations into the running application.
QString install_interface_language();

// Installs the translations of `language` in place of those installed before; what cannot
// be loaded stays as written.
void install_interface_language(const QString& language);

// The language installed last: Japanese until one is.
QString interface_language();

// Installs Qt's translation for `language` (qtbase_<language>.qm from Qt's translation
// folder) into the running application. False, and Qt's English stays, when there is no
// such translation: that is no error.
bool load_qt_translation(const QString& language);

}  // namespace gradation::platform

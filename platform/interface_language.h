// The language of the windows: Japanese, the language their texts are written in, or
// English from translations/gradation_en.ts. Qt's own texts (standard buttons, the colour
// and file dialogs, context menus) follow the same choice.
#pragma once

#include <QString>
#include <QStringList>

namespace gradation::platform {

enum class InterfaceLanguage { Japanese, English };

// English when the preferred languages name English before Japanese; Japanese otherwise,
// the C and POSIX locales included.
InterfaceLanguage choose_interface_language(const QStringList& preferred);

// Chooses from the user's preferred languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) and
// installs that language's translations into the running application.
InterfaceLanguage install_interface_language();

// Installs the translations of `language`; what cannot be loaded stays as written.
void install_interface_language(InterfaceLanguage language);

// Installs Qt's translation for `language` (qtbase_<language>.qm from Qt's translation
// folder) into the running application. False, and Qt's English stays, when there is no
// such translation: that is no error.
bool load_qt_translation(const QString& language);

}  // namespace gradation::platform

// Qt's own texts (standard buttons, the colour and file dialogs, context menus) in the
// interface's language.
#pragma once

#include <QString>

namespace gradation::platform {

// The language of the windows' own texts.
inline const QString kInterfaceLanguage = QStringLiteral("ja");

// Installs Qt's translation for `language` (qtbase_<language>.qm from Qt's translation
// folder) into the running application. False, and Qt's English stays, when there is no
// such translation: that is no error.
bool load_qt_translation(const QString& language);

}  // namespace gradation::platform

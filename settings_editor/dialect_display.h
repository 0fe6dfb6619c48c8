// The preview's rendered view of markup in any dialect, as its destination shows it:
// HTML as it is, BBCode as the HTML a forum makes of it, and the game and terminal
// dialects as coloured text on a dark background.
#pragma once

#include "core/markup/markup_dialects.h"

#include <QString>

namespace gradation::settings_editor {

// Rich text for a QTextBrowser.
QString display_html(Dialect dialect, const QString& markup);

}  // namespace gradation::settings_editor

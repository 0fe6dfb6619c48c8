// The preview's rendered view of markup in any dialect, as its destination shows it and
// as the dialect's row says: HTML as it is, BBCode as the HTML a forum makes of it, JSON
// text components, and the dialects of codes as coloured text on a dark background,
// read back from the codes the row lists.
#pragma once

#include "core/markup/markup_dialects.h"

#include <QString>

namespace gradation::settings_editor {

// Rich text for a QTextBrowser.
QString display_html(Dialect dialect, const QString& markup);

}  // namespace gradation::settings_editor

// Walking a window as a reader would: every text it shows or lets the user reach, what in
// it is not yet English, and a picture of it for the README's figures.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace gradation::test {

// Every text of `root` and its children, each as "<class> <object name>: <text>": window
// titles, captions, labels, tooltips, status tips, placeholders, text views, list and
// combo entries, and the menus with their actions.
QStringList reachable_texts(const QWidget& root);

// Runs `open` (which shows a modal dialog and returns when it closes) and returns the
// dialog's texts, closing it once they are read.
QStringList texts_of_modal_dialog(const std::function<void()>& open);

// What keeps `window` from reading as a whole English window, one finding a line: its
// texts and `more` that still hold a Chinese, Japanese or Korean character once markup
// tags and every piece of `allowed` (names and samples from the user's file) are taken
// out, and its visible captions wider than their controls. Empty when there is none.
QString not_english(const QWidget& window, const QStringList& more, const QStringList& allowed);

// Saves `window` as <name><GRADATION_SCREENSHOT_SUFFIX>.png into the folder
// GRADATION_SCREENSHOTS names, if it names one.
void save_screenshot(QWidget& window, const QString& name);

}  // namespace gradation::test

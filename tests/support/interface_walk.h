// Walking a window as a reader would: every text it shows or lets the user reach, the
// captions that do not fit their control, and a picture of it for the README's figures.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace gradation::test {

// Every text of `root` and its children, each as "<class> <object name>: <text>": window
// titles, captions, labels, tooltips, status tips, placeholders, list and combo entries,
// and the menus with their actions.
QStringList reachable_texts(const QWidget& root);

// Those of `texts` that still hold a Chinese, Japanese or Korean character once every piece
// in `allowed` (names and samples read from the user's file) and every markup tag is taken out.
QStringList untranslated(const QStringList& texts, const QStringList& allowed);

// The visible captions in `root` wider than the control showing them.
QStringList cut_off_captions(const QWidget& root);

// Runs `open` (which shows a modal dialog and returns when it closes) and returns the
// dialog's texts, closing it once they are read.
QStringList texts_of_modal_dialog(const std::function<void()>& open);

// Saves `window` as <name>.png into the folder GRADATION_SCREENSHOTS names, if it does.
void save_screenshot(QWidget& window, const QString& name);

}  // namespace gradation::test

#include "platform/clipboard_take.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace gradation::platform {

bool take_clipboard(QMimeData* data) {
    QClipboard* board = QGuiApplication::clipboard();
    board->setMimeData(data, QClipboard::Clipboard);
    // Qt keeps our data even when X11 refused it the selection; the clipboard is ours
    // only if it hands back that same data.
    return board->mimeData(QClipboard::Clipboard) == data;
}

}  // namespace gradation::platform

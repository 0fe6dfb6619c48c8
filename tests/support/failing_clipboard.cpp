#include "support/fault_seams.h"

#include "platform/clipboard_take.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace gradation {
namespace {
int g_failures_left = 0;
}  // namespace

void test::fail_next_clipboard_writes(int count) { g_failures_left = count; }

bool platform::take_clipboard(QMimeData* data) {
    if (g_failures_left > 0) {
        --g_failures_left;
        delete data;
        return false;
    }
    QClipboard* board = QGuiApplication::clipboard();
    board->setMimeData(data, QClipboard::Clipboard);
    return board->mimeData(QClipboard::Clipboard) == data;
}

}  // namespace gradation

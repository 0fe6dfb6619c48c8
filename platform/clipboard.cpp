#include "platform/clipboard.h"

#include "platform/program_run.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace gradation::platform {

std::u16string clipboard_text() {
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    return text.toStdU16String();
}

void set_clipboard_text(std::u16string_view text) {
    if (program_ended()) return;
    QGuiApplication::clipboard()->setText(QStringView(text).toString(), QClipboard::Clipboard);
}

}  // namespace gradation::platform

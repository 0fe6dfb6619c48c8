#include "platform/clipboard.h"

#include "platform/clipboard_take.h"
#include "platform/program_run.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include <xcb/xcb.h>

#include <cstdlib>

namespace gradation::platform {
namespace {
bool g_writing = false;  // set_clipboard_text is changing the clipboard

// XFixes tells Qt's X11 clipboard of every new owner; without it Qt hears of another
// program's copy only when asked. Other platforms report every change themselves (the
// offscreen one holds the only clipboard, in this process).
bool display_reports_changes() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return true;
    static constexpr char kName[] = "XFIXES";
    xcb_query_extension_reply_t* reply =
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof kName - 1, kName), nullptr);
    const bool present = reply != nullptr && reply->present != 0;
    std::free(reply);
    return present;
}
}  // namespace

std::u16string clipboard_text() {
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    return text.toStdU16String();
}

bool set_clipboard_text(std::u16string_view text) {
    if (program_ended()) return false;
    auto* data = new QMimeData;
    data->setText(QStringView(text).toString());
    g_writing = true;
    const bool taken = take_clipboard(data);
    g_writing = false;
    return taken;
}

ClipboardChanges::ClipboardChanges(QObject* owner) : reported_(display_reports_changes()) {
    connection_ = QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed, owner,
                                   [this](QClipboard::Mode mode) {
                                       if (mode == QClipboard::Clipboard && !g_writing) ++count_;
                                   });
}

ClipboardChanges::~ClipboardChanges() { QObject::disconnect(connection_); }

std::uint64_t ClipboardChanges::count() const { return count_; }

std::optional<std::u16string> ClipboardChanges::text_if_changed() {
    if (reported_ && seen_ == count_) return std::nullopt;
    const std::uint64_t at_read = count_;  // a change during the read is read next time
    std::u16string text = clipboard_text();
    // No text counts as no look: a transfer cut short (a slow or vanished owner) reads
    // as no text too, and reading an empty clipboard costs next to nothing.
    if (!text.empty()) seen_ = at_read;
    return text;
}

}  // namespace gradation::platform

// The convert command: the clipboard text becomes its gradient markup with the
// current setting. A call while a conversion runs is a request to stop it.
#include "app/frm_main.h"
#include "widgets/markup_note.h"
#include "core/markup/gradient_markup.h"
#include "platform/clipboard.h"
#include "platform/mouse_pointer.h"
#include "platform/program_run.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

namespace gradation::app {

void frmMain::cmdExec_Click() { html_str(); }

void frmMain::lock_for_conversion() {
    MN_FILE->menuAction()->setEnabled(false);
    MN_VER->setEnabled(false);
    MN_FORMAT->menuAction()->setEnabled(false);
    cmbUserSetting->setEnabled(false);
    cmdExec->setText(tr("中止(&X&ｻ)"));
    cmdExit->setEnabled(false);
    platform::set_mouse_pointer(platform::MousePointer::Hourglass);
}

void frmMain::unlock_after_conversion() {
    MN_FILE->menuAction()->setEnabled(true);
    MN_VER->setEnabled(true);
    MN_FORMAT->menuAction()->setEnabled(true);
    cmbUserSetting->setEnabled(true);
    cmdExit->setEnabled(true);
    cmdExec->setText(tr("変換(&X&ｻ)"));
    platform::set_mouse_pointer(platform::MousePointer::Default);
    ConvertReady = true;
}

void frmMain::html_str() {
    if (!ConvertReady) {
        ConvertReady = true;  // the running conversion stops at its next character
        return;
    }
    ConvertReady = false;
    // Disabling the setting list moves the focus on to the next control; it comes back
    // once the run is over.
    const QPointer<QWidget> focused = focusWidget();
    lock_for_conversion();
    try {
        const std::uint64_t changes_at_read = clipboard_changes_.count();
        const std::u16string text = platform::clipboard_text();
        if (text.size() > kMaxTextUnits) {
            platform::beep();  // too long to convert: the clipboard keeps it
        } else if (!text.empty() && CurrentSetting) {
            // Pending events are served before every character (when fitting a limit, of
            // the final write; the search before it asks every few thousand); a stop
            // request or the end of the program shows here.
            const widgets::ChosenMarkup chosen = widgets::chosen_markup(
                text, *CurrentSetting, MarkupChoice, [this] { return SeparateTags != 0; },
                [this] {
                    platform::serve_pending_events();
                    return ConvertReady || platform::program_ended();
                });
            if (platform::program_ended()) return;
            const std::optional<std::u16string>& markup = chosen.markup;
            // Markup that cannot fit the limit is not written: the clipboard keeps the text.
            if (chosen.too_long) platform::beep();
            if (!chosen.length_line.isEmpty())
                show_conversion_note(widgets::conversion_note(MarkupChoice.dialect, chosen), chosen.too_long);
            // A text copied while the run went on is the user's and is never overwritten;
            // the fresh read also catches a copy whose notice has not come in yet.
            if (markup) {
                const bool unchanged =
                    clipboard_changes_.count() == changes_at_read && platform::clipboard_text() == text;
                if (!unchanged || !platform::set_clipboard_text(*markup)) platform::beep();
            }
        }
    } catch (...) {
        if (!platform::program_ended()) unlock_after_conversion();
        throw;
    }
    unlock_after_conversion();
    if (focused != nullptr && focused->isEnabled() && focusWidget() != focused) focused->setFocus();
    if (follow_pending_) follow_configuration_file();  // a file change noticed during the run
}

}  // namespace gradation::app

// The clipboard watcher: a clipboard text that begins with ">" is converted without
// the button, with that first ">" removed.
#include "app/frm_main.h"
#include "platform/clipboard.h"

namespace gradation::app {

void frmMain::Timer1_Timer() {
    stop_watcher();
    try {
        const std::u16string text = platform::clipboard_text();
        // With no current setting nothing could be converted: the clipboard is left alone.
        if (!text.empty() && text.front() == u'>' && CurrentSetting) {
            platform::set_clipboard_text(std::u16string_view(text).substr(1));
            html_str();
        }
    } catch (...) {
        // A failed tick is dropped; the watcher goes on.
    }
    start_watcher();
}

}  // namespace gradation::app

// The clipboard watcher: a clipboard text that begins with ">" is converted without
// the button, with that first ">" removed. The text is fetched only when the clipboard
// changed since the last look, so a huge text held there costs nothing between copies.
#include "app/frm_main.h"
#include "platform/clipboard.h"

namespace gradation::app {

void frmMain::Timer1_Timer() {
    stop_watcher();
    try {
        // With no current setting nothing could be converted: the clipboard is left
        // alone, and a ">" text copied meanwhile is still converted once there is one.
        const auto text = CurrentSetting ? clipboard_changes_.text_if_changed() : std::nullopt;
        if (text && !text->empty() && text->front() == u'>') {
            if (!ConvertReady) {
                // The button's conversion is running: this stops it, and the new text
                // stays as it is for the next tick to convert.
                html_str();
                clipboard_changes_.read_again();
            } else if (platform::set_clipboard_text(std::u16string_view(*text).substr(1))) {
                html_str();
            } else {
                clipboard_changes_.read_again();  // the write did not take: the next tick tries again
            }
        }
    } catch (...) {
        // A failed tick is dropped; the watcher goes on.
    }
    start_watcher();
}

}  // namespace gradation::app

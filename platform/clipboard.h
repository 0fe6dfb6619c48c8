// The system clipboard (the X11 CLIPBOARD selection) as plain text.
#pragma once

#include <string>
#include <string_view>

namespace gradation::platform {

// The clipboard's text; empty when it holds no text.
std::u16string clipboard_text();

// Replaces the clipboard's content with `text` as plain text. Does nothing once the
// program has ended.
void set_clipboard_text(std::u16string_view text);

}  // namespace gradation::platform

// Taking the clipboard (the X11 CLIPBOARD selection) with new content: the one step of
// writing the clipboard that another program can make fail. It lives alone in
// clipboard_take.cpp so that a test can link its own in its place.
#pragma once

class QMimeData;

namespace gradation::platform {

// Makes `data` the clipboard's content; the clipboard owns it from here on. True when
// the program now holds the clipboard with it.
bool take_clipboard(QMimeData* data);

}  // namespace gradation::platform

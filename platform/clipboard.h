// The system clipboard (the X11 CLIPBOARD selection) as plain text, and the changes
// other programs make to it.
#pragma once

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gradation::platform {

// The clipboard's text; empty when it holds no text.
std::u16string clipboard_text();

// Replaces the clipboard's content with `text` as plain text. True when the write took
// effect, that is the program now holds the clipboard with this text; false when it did
// not (on X11: the selection could not be taken, and the clipboard keeps what it held)
// or the program has ended.
[[nodiscard]] bool set_clipboard_text(std::u16string_view text);

// Counts the changes of the clipboard's content that did not come from
// set_clipboard_text: another program copied, or the owner went away. On X11 they
// come from XFixes, with no focus needed; where the display cannot report them, every
// look counts as a change, so nothing is missed.
class ClipboardChanges {
public:
    explicit ClipboardChanges(QObject* owner);
    ~ClipboardChanges();
    ClipboardChanges(const ClipboardChanges&) = delete;
    ClipboardChanges& operator=(const ClipboardChanges&) = delete;

    std::uint64_t count() const;

    // The clipboard's text, read only when it changed since the last call that found
    // text (or since read_again()); nullopt when it has not.
    std::optional<std::u16string> text_if_changed();

    // The next text_if_changed() reads, changed or not.
    void read_again() { seen_.reset(); }

private:
    std::uint64_t count_ = 0;
    std::optional<std::uint64_t> seen_;
    bool reported_ = true;  // false where the display does not report changes
    QMetaObject::Connection connection_;
};

}  // namespace gradation::platform

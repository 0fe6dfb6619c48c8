#include "core/markup/length_counter.h"

namespace gradation {

void LengthCounter::append(std::u16string_view piece) {
    if (unit_ == LengthUnit::Utf16Units) {
        length_ += piece.size();
        return;
    }
    for (const char16_t u : piece) {
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (pending_high_) {
            pending_high_ = false;
            if (low) {
                length_ += 4;  // the pair is one code point past U+FFFF
                continue;
            }
            length_ += 3;  // a lone high surrogate becomes U+FFFD
        }
        if (high) {
            pending_high_ = true;
        } else {
            length_ += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;  // a lone low surrogate: U+FFFD, 3 bytes
        }
    }
}

std::size_t markup_length(std::u16string_view markup, LengthUnit unit) {
    LengthCounter counter(unit);
    counter.append(markup);
    return counter.length();
}

}  // namespace gradation

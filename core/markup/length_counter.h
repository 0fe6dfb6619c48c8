// Lengths of markup, counted as it is written.
#pragma once

#include "core/markup/gradient_markup.h"

#include <cstddef>
#include <string_view>

namespace gradation {

// UTF-16 units (what most chats and games count) or UTF-8 bytes (IRC).
enum class LengthUnit { Utf16Units, Utf8Bytes };

// Counts what reaches it, in one unit, and keeps nothing.
class LengthCounter final : public MarkupSink {
public:
    explicit LengthCounter(LengthUnit unit) : unit_(unit) {}
    void append(std::u16string_view piece) override;
    // The length so far; a high surrogate still waiting for its pair counts as the
    // replacement character it would become.
    std::size_t length() const { return length_ + (pending_high_ ? 3 : 0); }

private:
    LengthUnit unit_;
    std::size_t length_ = 0;
    bool pending_high_ = false;
};

std::size_t markup_length(std::u16string_view markup, LengthUnit unit);

}  // namespace gradation

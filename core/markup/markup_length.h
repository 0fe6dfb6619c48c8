// Lengths of markup: counted as it is written, or found for a plan without writing it.
#pragma once

#include "core/markup/gradient_markup.h"

#include <cstddef>
#include <memory>
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

// The lengths of a plan's markup in one dialect and tag form, found without writing it.
// The dialect's writer measures once the fixed parts with every character's text, and
// a run's opening and closing once for each colour and size it is met with; a length is
// the sum over the runs, which are found as the markup pass finds them.
class MarkupLengths {
public:
    // `plan` has at least one character and outlives this.
    MarkupLengths(const MarkupPlan& plan, Dialect dialect, bool separate_tags, LengthUnit unit);
    ~MarkupLengths();
    MarkupLengths(const MarkupLengths&) = delete;
    MarkupLengths& operator=(const MarkupLengths&) = delete;

    // The length of write_planned_markup(plan, o, ...), o.dialect being the dialect
    // given above; in time linear in the characters.
    std::size_t length(const MarkupOptions& o);
    // The same merged, with plain blanks and g characters per colour step; after the
    // first call, in time about linear in the number of colour steps.
    std::size_t merged_length(std::size_t g);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace gradation

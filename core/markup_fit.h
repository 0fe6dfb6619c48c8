// Markup that fits a length limit: shortened only as far as needed, in a fixed order.
#pragma once

#include "core/gradient_markup.h"

#include <cstddef>
#include <string>

namespace gradation {

// UTF-16 units (what most chats and games count) or UTF-8 bytes (IRC).
enum class LengthUnit { Utf16Units, Utf8Bytes };

struct LengthLimit {
    std::size_t length = 0;
    LengthUnit unit = LengthUnit::Utf16Units;
};

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

struct FitResult {
    enum class Outcome { Fitted, TooLong, Cancelled };
    Outcome outcome = Outcome::Cancelled;
    MarkupOptions used;      // the options the markup was written with
    std::size_t length = 0;  // of the markup written; when TooLong, the shortest there is
    LengthLimit limit;
};

// Writes the markup of `text` to `sink` within `limit`, shortening it only as far as
// needed: first as `options` say, then merged, then with plain blanks, then with
// g = 2, 3, ... characters per colour step. When even one colour for the whole text
// is too long nothing is written. Lengths are measured by writing to a counter, so
// `separate_tags` and `cancel` are called once per character of every try.
FitResult write_fitted_markup(std::u16string_view text, const SettingRecord& setting, const MarkupOptions& options,
                              LengthLimit limit, FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel,
                              MarkupSink& sink);

// One line on what fitting did, e.g. "merged, 3 characters per colour: 251 of 256".
std::string describe_fit(const FitResult& result);

}  // namespace gradation

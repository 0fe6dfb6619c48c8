// Markup that fits a length limit: shortened only as far as needed, in a fixed order.
#pragma once

#include "core/markup/markup_length.h"

#include <cstddef>
#include <string>

namespace gradation {

struct LengthLimit {
    std::size_t length = 0;
    LengthUnit unit = LengthUnit::Utf16Units;
};

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
// is too long nothing is written. Lengths are found without writing the markup: the
// tag form is asked once and the markup written with it; `cancel` is called once per
// character of the final write, and before it only every few thousand characters and
// once per try.
FitResult write_fitted_markup(std::u16string_view text, const SettingRecord& setting, const MarkupOptions& options,
                              LengthLimit limit, FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel,
                              MarkupSink& sink);

// One line on what fitting did, e.g. "merged, 3 characters per colour: 251 of 256".
std::string describe_fit(const FitResult& result);

}  // namespace gradation

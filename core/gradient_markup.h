// The gradient markup generator: every character in a font tag of its own, its
// colour stepping from the setting's start colour towards its end colour.
#pragma once

#include "core/function_ref.h"
#include "core/setting_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gradation {

// The longest text the generator takes, in 16-bit units. Callers refuse longer texts.
inline constexpr std::size_t kMaxTextUnits = 32767;

// Where the markup goes, piece by piece and in order.
class MarkupSink {
public:
    // About how many units will follow; a hint for reserving room.
    virtual void expect(std::size_t /*units*/) {}
    virtual void append(std::u16string_view piece) = 0;

protected:
    ~MarkupSink() = default;
};

// Runs both passes over `text` (1..kMaxTextUnits units) and writes the markup to
// `sink` as the second pass builds it. A character is what core/characters.h says.
// `separate_tags` is asked afresh for every character of the markup pass. `cancel`
// is called once before every character of each pass; when it yields true the run
// stops at once and false is returned (the first pass writes nothing).
bool write_gradient_markup(std::u16string_view text, const SettingRecord& setting,
                           FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel, MarkupSink& sink);

// The markup as one string, or nothing when cancelled.
std::optional<std::u16string> gradient_markup(std::u16string_view text, const SettingRecord& setting,
                                              FunctionRef<bool()> separate_tags,
                                              FunctionRef<bool()> cancel);

// The same with a fixed tag form and no cancelling.
std::u16string gradient_markup(std::u16string_view text, const SettingRecord& setting,
                               bool separate_tags);

}  // namespace gradation

// The gradient markup generator: each character of a text in one of the dialects'
// markup, its colour taken along the setting's gradient (two colours or its stops).
#pragma once

#include "core/base/function_ref.h"
#include "core/markup/markup_dialects.h"
#include "core/markup/markup_plan.h"
#include "core/setting_line/setting_record.h"

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

// The markup kept whole in one string.
class StringSink final : public MarkupSink {
public:
    void expect(std::size_t units) override { markup.reserve(units); }
    void append(std::u16string_view piece) override { markup.append(piece); }
    std::u16string markup;
};

// How the markup is written: its dialect and how far it is shortened.
struct MarkupOptions {
    Dialect dialect = Dialect::Html;
    bool merge = false;         // a run of characters of one colour and size takes one tag
    bool plain_blanks = false;  // blanks take no colour (they still count as steps)
    std::size_t characters_per_colour = 1;  // g neighbouring characters share a colour step
};

// The options a dialect starts with: merging and plain blanks as its row says (on,
// except for html).
MarkupOptions default_options(Dialect dialect);

// Runs both passes over `text` (1..kMaxTextUnits units) and writes the markup to
// `sink` as the second pass builds it. A character is what core/characters.h says.
// `separate_tags` is asked afresh for every character of the markup pass. `cancel`
// is called once before every character of each pass; when it yields true the run
// stops at once and false is returned (the first pass writes nothing).
bool write_gradient_markup(std::u16string_view text, const SettingRecord& setting,
                           FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel, MarkupSink& sink,
                           const MarkupOptions& options = {});

// The markup pass alone, over a plan already built.
bool write_planned_markup(const MarkupPlan& plan, const MarkupOptions& options,
                          FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel, MarkupSink& sink);

// The markup as one string, or nothing when cancelled.
std::optional<std::u16string> gradient_markup(std::u16string_view text, const SettingRecord& setting,
                                              FunctionRef<bool()> separate_tags,
                                              FunctionRef<bool()> cancel, const MarkupOptions& options = {});

// The same with a fixed tag form and no cancelling.
std::u16string gradient_markup(std::u16string_view text, const SettingRecord& setting,
                               bool separate_tags, const MarkupOptions& options = {});

}  // namespace gradation

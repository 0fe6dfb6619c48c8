// The lengths of a plan's markup, found without writing it.
#pragma once

#include "core/markup/gradient_markup.h"
#include "core/markup/length_counter.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace gradation {

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

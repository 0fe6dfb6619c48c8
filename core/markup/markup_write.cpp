// The markup pass over a plan, in the chosen dialect's writer (its row in the table).
#include "core/markup/markup_drive.h"

namespace gradation {

bool write_planned_markup(const MarkupPlan& plan, const MarkupOptions& o, FunctionRef<bool()> separate_tags,
                          FunctionRef<bool()> cancel, MarkupSink& sink) {
    const std::vector<Colour> coarse =
        o.characters_per_colour > 1 ? coarse_colours(plan.colours, o.characters_per_colour) : std::vector<Colour>{};
    const std::span<const Colour> colours = o.characters_per_colour > 1 ? coarse : std::span(plan.colours);
    PieceBuffer out(sink);
    WriteJob job{plan, colours, o, separate_tags, cancel, sink, out};
    return dialect_info(o.dialect).writer.write(job);
}

}  // namespace gradation

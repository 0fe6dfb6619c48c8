// The markup pass: one driver over the plan's characters for every dialect's writer.
// Every writer has the same members (core/markup/markup_writers_*.h); a dialect's row
// hands its writer to WriteJob::write.
#pragma once

#include "core/markup/gradient_markup.h"
#include "core/markup/markup_runs.h"

namespace gradation {

// What the run tracker asks, answered by the writer as the pass goes.
template <class Writer>
struct WriterFacts {
    const Writer& w;
    const MarkupPlan& plan;
    std::span<const Colour> colours;

    Seam seam(std::size_t i) const { return w.seam(plan.character(i - 1), plan.character(i)); }
    bool blank(std::size_t i) const { return plan.characters[i].blank; }
    std::uint32_t key(std::size_t i) const { return w.key(colours[i]); }
    std::int64_t size_key(std::size_t i) const { return w.size_key(plan.characters[i]); }
};

// One run of the markup pass: the plan, its colours (coarse when asked for) and where
// the markup goes.
struct WriteJob {
    const MarkupPlan& plan;
    std::span<const Colour> colours;
    const MarkupOptions& options;
    FunctionRef<bool()> separate_tags, cancel;
    MarkupSink& sink;
    PieceBuffer& out;

    WriterBase base() const { return {out, plan}; }

    template <class Writer>
    bool write(Writer w) {
        // Room for the usual case, so a string sink grows once: tags, text, marker copy.
        // A size adds its attribute per character, with separate tags "><FONT SIZE=" and
        // a second </FONT> (21 units, the number aside); 160 is room for the table, the
        // markers and the line break around the text.
        const std::size_t n = plan.characters.size();
        const std::size_t sizes = w.sized() ? 21 : 0;
        sink.expect((Writer::kPerCharacter + sizes) * n + plan.text.size() * (plan.setting.StartMark ? 5 : 1) + 160);
        RunTracker<WriterFacts<Writer>> runs({w, plan, colours}, options);
        const bool vertical = w.vertical();
        // The sink gets the opening, then each character's markup, as soon as they are built.
        w.open();
        w.out.flush();
        for (std::size_t i = 0; i < n; ++i) {
            if (cancel()) return false;
            const bool separate = separate_tags();
            if (i == 0 || !runs.joins(i)) w.run_open(colours[i], plan.characters[i], runs.start(i), separate);
            w.text(plan.character(i));
            if (i + 1 == n || !runs.joins(i + 1)) w.run_close();
            if (vertical) w.line_step();
            w.out.flush();
        }
        w.close();
        w.out.flush();
        return true;
    }
};

}  // namespace gradation

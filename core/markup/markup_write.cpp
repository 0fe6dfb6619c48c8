// The markup pass: one driver over the plan's characters for every dialect's writer.
#include "core/markup/gradient_markup.h"
#include "core/markup/markup_runs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace gradation {
namespace {

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

template <class Writer>
bool write_with(Writer& w, const MarkupPlan& plan, std::span<const Colour> colours, const MarkupOptions& o,
                FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel) {
    const std::size_t n = plan.characters.size();
    RunTracker<WriterFacts<Writer>> runs({w, plan, colours}, o);
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

template <class Writer>
bool drive(Writer w, const MarkupPlan& plan, std::span<const Colour> colours, const MarkupOptions& o,
           FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel, MarkupSink& sink) {
    // Room for the usual case, so a string sink grows once: tags, text, marker copy.
    // A size adds its attribute per character, with separate tags "><FONT SIZE=" and a
    // second </FONT> (21 units, the number aside); 160 is room for the table, the
    // markers and the line break around the text.
    const std::size_t n = plan.characters.size();
    const std::size_t sizes = w.sized() ? 21 : 0;
    sink.expect((Writer::kPerCharacter + sizes) * n + plan.text.size() * (plan.setting.StartMark ? 5 : 1) + 160);
    return write_with(w, plan, colours, o, separate_tags, cancel);
}

}  // namespace

int xterm_256_index(const Colour& c) {
    static constexpr std::array<int, 6> kLevels = {0, 95, 135, 175, 215, 255};
    const int rgb[3] = {low_byte(c.red), low_byte(c.green), low_byte(c.blue)};
    auto nearest_level = [](int v) {
        int best = 0;
        for (int k = 1; k < 6; ++k)
            if (std::abs(kLevels[k] - v) < std::abs(kLevels[best] - v)) best = k;
        return best;
    };
    auto distance = [&rgb](int r, int g, int b) {
        return (rgb[0] - r) * (rgb[0] - r) + (rgb[1] - g) * (rgb[1] - g) + (rgb[2] - b) * (rgb[2] - b);
    };
    const int r = nearest_level(rgb[0]), g = nearest_level(rgb[1]), b = nearest_level(rgb[2]);
    int best = 16 + 36 * r + 6 * g + b;
    int best_distance = distance(kLevels[r], kLevels[g], kLevels[b]);
    // The grey ramp 8, 18, ..., 238: the step nearest to the mean is the nearest grey.
    const double mean = (rgb[0] + rgb[1] + rgb[2]) / 3.0;
    const int k = std::clamp(static_cast<int>(std::lround((mean - 8) / 10)), 0, 23);
    const int grey = 8 + 10 * k;
    if (distance(grey, grey, grey) < best_distance) best = 232 + k;
    return best;
}

bool write_planned_markup(const MarkupPlan& plan, const MarkupOptions& o, FunctionRef<bool()> separate_tags,
                          FunctionRef<bool()> cancel, MarkupSink& sink) {
    const std::vector<Colour> coarse =
        o.characters_per_colour > 1 ? coarse_colours(plan.colours, o.characters_per_colour) : std::vector<Colour>{};
    const std::span<const Colour> colours = o.characters_per_colour > 1 ? coarse : std::span(plan.colours);
    PieceBuffer out(sink);
    return with_writer(o.dialect, WriterBase{out, plan}, [&](auto writer) {
        return drive(writer, plan, colours, o, separate_tags, cancel, sink);
    });
}

}  // namespace gradation

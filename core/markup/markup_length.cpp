#include "core/markup/markup_length.h"

#include "core/markup/markup_runs.h"
#include "core/markup/markup_writer_lengths.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gradation {

namespace {

constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

}  // namespace

// The runs of the merged markup with plain blanks and one colour for the whole text.
// With more colours the same characters start runs, and more: a member (a character
// whose colour decides whether it joins its run) starts one exactly when its colour
// differs from that of the member before it in the run.
struct MergedRuns {
    std::size_t fixed = 0;                // the shared parts and the runs without colour
    std::vector<std::uint32_t> starts;    // the first characters of the coloured runs
    std::vector<std::uint32_t> size_ids;  // the sizes that start coloured runs
    // [size id][i]: how many coloured runs of that size start before character i.
    std::vector<std::vector<std::uint32_t>> starts_before;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> links;  // neighbouring members
    std::vector<std::int32_t> link_over;  // per character i: the link (from, to] holds it, or -1
};

// The length count of one plan, dialect and tag form, from what the writer said once.
struct MarkupLengths::Impl : WriterLengths {
    const MarkupPlan& plan;
    std::size_t n;
    LengthCounter counter;
    PieceBuffer out{counter};
    std::vector<std::vector<std::size_t>> coloured_costs;  // [size id][key id]
    std::vector<std::size_t> uncoloured_costs;             // [size id]
    std::optional<MergedRuns> merged;

    Impl(const MarkupPlan& p, Dialect dialect, bool separate, LengthUnit unit)
        : plan(p), n(p.characters.size()), counter(unit) {
        static_cast<WriterLengths&>(*this) = dialect_info(dialect).writer.lengths({plan, out, counter, separate});
        coloured_costs.resize(size_examples.size());
        uncoloured_costs.assign(size_examples.size(), kUnknown);
    }

    // The opening and closing of a run after the first, in plan colour `colour`. They are
    // measured once per written colour and size, which is all the run tracker tells
    // runs apart by; a run without colour has neither.
    std::size_t run_cost(std::uint32_t size_id, std::size_t colour, bool coloured) {
        std::size_t* cost = &uncoloured_costs[size_id];
        if (coloured) {
            std::vector<std::size_t>& row = coloured_costs[size_id];
            if (row.empty()) row.assign(key_count, kUnknown);
            cost = &row[key_ids[colour]];
        }
        if (*cost == kUnknown)
            *cost = measure->measure(plan.colours[colour], plan.characters[size_examples[size_id]], coloured, false);
        return *cost;
    }

    // What the first run's opening and closing differ by from another run's: its colour
    // is the plan's first whatever the steps. It may be below zero; the sum it goes
    // into wraps back.
    std::size_t first_run_difference(bool coloured) {
        const std::size_t first = measure->measure(plan.colours[0], plan.characters[0], coloured, true);
        return first - run_cost(size_ids[0], 0, coloured);
    }

    // What the run tracker asks, from what the writer said once.
    struct Facts {
        const Impl& m;
        const std::vector<std::uint32_t>& colour;  // per character: the plan colour it takes

        Seam seam(std::size_t i) const { return m.seams[i]; }
        bool blank(std::size_t i) const { return m.plan.characters[i].blank; }
        std::uint32_t key(std::size_t i) const { return m.key_ids[colour[i]]; }
        std::int64_t size_key(std::size_t i) const { return m.size_ids[i]; }
    };

    std::size_t pass(const MarkupOptions& o, MergedRuns* record);
    void find_merged_runs();
};

// The markup pass over the runs alone; `record` takes the runs when given.
std::size_t MarkupLengths::Impl::pass(const MarkupOptions& o, MergedRuns* record) {
    const std::size_t g = std::max<std::size_t>(o.characters_per_colour, 1);
    const std::vector<std::uint32_t> sources = coarse_sources(n, g);
    std::vector<std::uint32_t> colour(n);
    for (std::size_t i = 0; i < n; ++i) colour[i] = sources[i / g];
    RunTracker<Facts> runs({*this, colour}, o);
    std::size_t total = base + first_run_difference(runs.coloured(0));
    if (record) record->fixed = total;
    std::size_t member = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || !runs.joins(i)) {
            const bool coloured = runs.start(i);
            const std::size_t cost = run_cost(size_ids[i], colour[i], coloured);
            total += cost;
            if (record && coloured) record->starts.push_back(static_cast<std::uint32_t>(i));
            if (record && !coloured) record->fixed += cost;
            member = i;
        } else if (record && runs.colour_decides(i)) {
            record->links.emplace_back(member, i);
            member = i;
        }
    }
    return total;
}

void MarkupLengths::Impl::find_merged_runs() {
    MarkupOptions o;
    o.merge = o.plain_blanks = true;
    o.characters_per_colour = n;
    MergedRuns& r = merged.emplace();
    pass(o, &r);
    r.starts_before.resize(size_examples.size());
    for (const std::uint32_t at : r.starts) {
        std::vector<std::uint32_t>& before = r.starts_before[size_ids[at]];
        if (before.empty()) r.size_ids.push_back(size_ids[at]);
        before.resize(n + 1, 0);
        ++before[at + 1];
    }
    for (const std::uint32_t id : r.size_ids)
        std::partial_sum(r.starts_before[id].begin(), r.starts_before[id].end(), r.starts_before[id].begin());
    r.link_over.assign(n + 1, -1);
    for (std::size_t l = 0; l < r.links.size(); ++l)
        std::fill(r.link_over.begin() + r.links[l].first + 1, r.link_over.begin() + r.links[l].second + 1,
                  static_cast<std::int32_t>(l));
}

MarkupLengths::MarkupLengths(const MarkupPlan& plan, Dialect dialect, bool separate_tags, LengthUnit unit)
    : impl_(std::make_unique<Impl>(plan, dialect, separate_tags, unit)) {}

MarkupLengths::~MarkupLengths() = default;

std::size_t MarkupLengths::length(const MarkupOptions& o) { return impl_->pass(o, nullptr); }

std::size_t MarkupLengths::merged_length(std::size_t g) {
    Impl& m = *impl_;
    if (!m.merged) m.find_merged_runs();
    const MergedRuns& r = *m.merged;
    const std::size_t n = m.n;
    g = std::clamp<std::size_t>(g, 1, n);
    const std::vector<std::uint32_t> source = coarse_sources(n, g);
    const std::size_t groups = source.size();
    std::size_t total = r.fixed;
    // The coloured runs of one colour, each in its group's colour: run by run when there
    // are fewer runs than groups, else group by group.
    if (r.starts.size() <= groups * r.size_ids.size()) {
        std::size_t j = 0;
        for (const std::uint32_t at : r.starts) {
            while (at >= (j + 1) * g) ++j;
            total += m.run_cost(m.size_ids[at], source[j], true);
        }
    } else {
        for (const std::uint32_t id : r.size_ids) {
            const std::vector<std::uint32_t>& before = r.starts_before[id];
            for (std::size_t j = 0; j < groups; ++j) {
                const std::size_t count = before[std::min(n, (j + 1) * g)] - before[j * g];
                if (count != 0) total += count * m.run_cost(id, source[j], true);
            }
        }
    }
    // Members whose colour differs from the member before them start runs of their own.
    for (std::size_t j = 1; j < groups; ++j) {
        const std::size_t at = j * g;
        const std::int32_t l = r.link_over[at];
        if (l < 0) continue;
        const auto [from, to] = r.links[static_cast<std::size_t>(l)];
        if (from + g < at) continue;  // a link over several group starts counts at its first
        const std::size_t to_group = to < at + g ? j : to / g;
        if (m.key_ids[source[j - 1]] != m.key_ids[source[to_group]])
            total += m.run_cost(m.size_ids[to], source[to_group], true);
    }
    return total;
}

}  // namespace gradation

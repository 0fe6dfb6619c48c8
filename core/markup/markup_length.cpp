#include "core/markup/markup_length.h"

#include "core/markup/markup_runs.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gradation {

void LengthCounter::append(std::u16string_view piece) {
    if (unit_ == LengthUnit::Utf16Units) {
        length_ += piece.size();
        return;
    }
    for (const char16_t u : piece) {
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (pending_high_) {
            pending_high_ = false;
            if (low) {
                length_ += 4;  // the pair is one code point past U+FFFF
                continue;
            }
            length_ += 3;  // a lone high surrogate becomes U+FFFD
        }
        if (high) {
            pending_high_ = true;
        } else {
            length_ += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;  // a lone low surrogate: U+FFFD, 3 bytes
        }
    }
}

std::size_t markup_length(std::u16string_view markup, LengthUnit unit) {
    LengthCounter counter(unit);
    counter.append(markup);
    return counter.length();
}

namespace {

constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

// A run's opening and closing, as the dialect's writer writes them.
class RunMeasure {
public:
    virtual ~RunMeasure() = default;
    // `first`: the markup's first run, which a writer may open differently.
    virtual std::size_t measure(const Colour& colour, const PlannedCharacter& c, bool coloured, bool first) = 0;
};

template <class Writer>
class WriterRunMeasure final : public RunMeasure {
public:
    // `fresh` has written nothing yet; the other runs are measured after one run.
    WriterRunMeasure(const Writer& fresh, const MarkupPlan& plan, LengthCounter& counter, bool separate)
        : fresh_(fresh), after_one_(fresh), counter_(counter), separate_(separate) {
        after_one_.run_open(plan.colours[0], plan.characters[0], true, separate_);
        after_one_.run_close();
    }
    std::size_t measure(const Colour& colour, const PlannedCharacter& c, bool coloured, bool first) override {
        Writer w = first ? fresh_ : after_one_;
        w.out.flush();
        const std::size_t before = counter_.length();
        w.run_open(colour, c, coloured, separate_);
        w.run_close();
        w.out.flush();
        return counter_.length() - before;
    }

private:
    Writer fresh_, after_one_;
    LengthCounter& counter_;
    bool separate_;
};

// Numbers values in the order they are first met; examples[id] is where that was.
template <class Value>
class Numbering {
public:
    std::uint32_t id(Value v, std::size_t at) {
        const auto [it, added] = ids_.try_emplace(v, static_cast<std::uint32_t>(examples.size()));
        if (added) examples.push_back(at);
        return it->second;
    }
    std::vector<std::size_t> examples;

private:
    std::unordered_map<Value, std::uint32_t> ids_;
};

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

struct MarkupLengths::Impl {
    const MarkupPlan& plan;
    std::size_t n;
    LengthCounter counter;
    PieceBuffer out{counter};
    std::vector<Seam> seams;              // seams[i]: how character i meets i - 1
    std::vector<std::uint32_t> key_ids;   // per plan colour: its written colour, numbered
    std::vector<std::uint32_t> size_ids;  // per character: its written size, numbered
    std::vector<std::size_t> size_examples;
    std::size_t key_count = 0;
    std::size_t base = 0;  // the fixed parts, every character's text and line steps
    std::unique_ptr<RunMeasure> measure;
    std::vector<std::vector<std::size_t>> coloured_costs;  // [size id][key id]
    std::vector<std::size_t> uncoloured_costs;             // [size id]
    std::optional<MergedRuns> merged;

    Impl(const MarkupPlan& p, Dialect dialect, bool separate, LengthUnit unit)
        : plan(p), n(p.characters.size()), counter(unit) {
        with_writer(dialect, WriterBase{out, plan}, [&](auto w) {
            learn(w);
            measure = std::make_unique<WriterRunMeasure<decltype(w)>>(w, plan, counter, separate);
            return true;
        });
        coloured_costs.resize(size_examples.size());
        uncoloured_costs.assign(size_examples.size(), kUnknown);
    }

    template <class Writer>
    void learn(Writer w) {
        seams.assign(n, Seam::Free);
        for (std::size_t i = 1; i < n; ++i) seams[i] = w.seam(plan.character(i - 1), plan.character(i));
        Numbering<std::uint32_t> keys;
        key_ids.resize(n);
        for (std::size_t k = 0; k < n; ++k) {
            const bool same = k > 0 && plan.colours[k] == plan.colours[k - 1];
            key_ids[k] = same ? key_ids[k - 1] : keys.id(w.key(plan.colours[k]), k);
        }
        key_count = keys.examples.size();
        Numbering<std::int64_t> sizes;
        size_ids.resize(n);
        for (std::size_t i = 0; i < n; ++i) size_ids[i] = sizes.id(w.size_key(plan.characters[i]), i);
        size_examples = std::move(sizes.examples);
        // In the order the markup pass writes them, so that a writer's state carries over.
        const std::size_t before = counter.length();
        w.open();
        for (std::size_t i = 0; i < n; ++i) {
            w.text(plan.character(i));
            if (w.vertical()) w.line_step();
        }
        w.close();
        out.flush();
        base = counter.length() - before;
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

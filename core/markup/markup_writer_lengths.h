// What the length count learns once from a dialect's writer: how the characters meet,
// their written colours and sizes, the fixed parts, and a run's opening and closing.
#pragma once

#include "core/markup/length_counter.h"
#include "core/markup/markup_writers_html.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace gradation {

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

// What a writer writes of a plan, where it goes (`out` feeds `counter`), and the tag form.
struct LengthJob {
    const MarkupPlan& plan;
    PieceBuffer& out;
    LengthCounter& counter;
    bool separate;
};

struct WriterLengths {
    std::vector<Seam> seams;              // seams[i]: how character i meets i - 1
    std::vector<std::uint32_t> key_ids;   // per plan colour: its written colour, numbered
    std::vector<std::uint32_t> size_ids;  // per character: its written size, numbered
    std::vector<std::size_t> size_examples;
    std::size_t key_count = 0;
    std::size_t base = 0;  // the fixed parts, every character's text and line steps
    std::unique_ptr<RunMeasure> measure;
};

template <class Writer>
WriterLengths learn_lengths(const Writer& fresh, const LengthJob& job) {
    const MarkupPlan& plan = job.plan;
    const std::size_t n = plan.characters.size();
    Writer w = fresh;
    WriterLengths l;
    l.seams.assign(n, Seam::Free);
    for (std::size_t i = 1; i < n; ++i) l.seams[i] = w.seam(plan.character(i - 1), plan.character(i));
    Numbering<std::uint32_t> keys;
    l.key_ids.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        const bool same = k > 0 && plan.colours[k] == plan.colours[k - 1];
        l.key_ids[k] = same ? l.key_ids[k - 1] : keys.id(w.key(plan.colours[k]), k);
    }
    l.key_count = keys.examples.size();
    Numbering<std::int64_t> sizes;
    l.size_ids.resize(n);
    for (std::size_t i = 0; i < n; ++i) l.size_ids[i] = sizes.id(w.size_key(plan.characters[i]), i);
    l.size_examples = std::move(sizes.examples);
    // In the order the markup pass writes them, so that a writer's state carries over.
    const std::size_t before = job.counter.length();
    w.open();
    for (std::size_t i = 0; i < n; ++i) {
        w.text(plan.character(i));
        if (w.vertical()) w.line_step();
    }
    w.close();
    job.out.flush();
    l.base = job.counter.length() - before;
    l.measure = std::make_unique<WriterRunMeasure<Writer>>(fresh, plan, job.counter, job.separate);
    return l;
}

}  // namespace gradation

#include "core/markup/markup_fit.h"

namespace gradation {

namespace {

// Before the final write, how many characters go between two questions to `cancel`.
constexpr std::size_t kCancelEvery = 4096;

}  // namespace

FitResult write_fitted_markup(std::u16string_view text, const SettingRecord& setting, const MarkupOptions& options,
                              LengthLimit limit, FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel,
                              MarkupSink& sink) {
    FitResult result{FitResult::Outcome::Cancelled, options, 0, limit};
    // Only the final write goes at the caller's pace (a window serves its events at each
    // question); the search asks seldom, yet often enough to stop promptly.
    std::size_t asked = 0;
    auto seldom = [&] { return ++asked % kCancelEvery == 0 && cancel(); };
    const std::optional<MarkupPlan> plan = build_plan(text, setting, seldom);
    if (!plan) return result;
    // The markup is written in the tag form it was measured in.
    const bool separate = separate_tags();
    auto tags = [separate] { return separate; };
    MarkupLengths lengths(*plan, options.dialect, separate, limit.unit);
    // Writes `o` when its length fits. Yields true when the search is over.
    auto attempt = [&](const MarkupOptions& o, std::size_t length) {
        if (length > limit.length) return false;
        result.used = o;
        result.length = length;
        const bool written = write_planned_markup(*plan, o, tags, cancel, sink);
        result.outcome = written ? FitResult::Outcome::Fitted : FitResult::Outcome::Cancelled;
        return true;
    };
    MarkupOptions o = options;
    if (cancel() || attempt(o, lengths.length(o))) return result;
    for (bool* shortening : {&o.merge, &o.plain_blanks}) {
        if (*shortening) continue;
        *shortening = true;
        if (cancel() || attempt(o, lengths.length(o))) return result;
    }

    // Merged with plain blanks from here. The coarsest gradient first: when one colour
    // for the whole text is too long, nothing shorter exists.
    const std::size_t n = plan->characters.size();
    if (cancel()) return result;
    const std::size_t shortest = lengths.merged_length(n);
    if (shortest > limit.length) {
        result.outcome = FitResult::Outcome::TooLong;
        result.used = o;
        result.used.characters_per_colour = n;
        result.length = shortest;
        return result;
    }
    // Only a g that changes the number of colour steps can change the markup's shape.
    std::size_t steps = (n + o.characters_per_colour - 1) / o.characters_per_colour;
    for (std::size_t g = o.characters_per_colour + 1; g <= n; ++g) {
        const std::size_t groups = (n + g - 1) / g;
        if (groups == steps) continue;
        steps = groups;
        o.characters_per_colour = g;
        if (cancel() || attempt(o, lengths.merged_length(g))) return result;
    }
    return result;
}

std::string describe_fit(const FitResult& r) {
    const std::string unit = r.limit.unit == LengthUnit::Utf8Bytes ? " bytes" : "";
    switch (r.outcome) {
    case FitResult::Outcome::Cancelled:
        return "cancelled";
    case FitResult::Outcome::TooLong:
        return "cannot fit: the shortest markup is " + std::to_string(r.length) + unit + ", over the limit of " +
               std::to_string(r.limit.length) + unit;
    case FitResult::Outcome::Fitted:
        break;
    }
    std::string what;
    auto add = [&what](const std::string& part) { what += (what.empty() ? "" : ", ") + part; };
    if (r.used.merge) add("merged");
    if (r.used.plain_blanks) add("plain blanks");
    if (r.used.characters_per_colour > 1) add(std::to_string(r.used.characters_per_colour) + " characters per colour");
    if (what.empty()) what = "as it is";
    return what + ": " + std::to_string(r.length) + " of " + std::to_string(r.limit.length) + unit;
}

}  // namespace gradation

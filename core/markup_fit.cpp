#include "core/markup_fit.h"

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

FitResult write_fitted_markup(std::u16string_view text, const SettingRecord& setting, const MarkupOptions& options,
                              LengthLimit limit, FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel,
                              MarkupSink& sink) {
    FitResult result{FitResult::Outcome::Cancelled, options, 0, limit};
    const std::optional<MarkupPlan> plan = build_plan(text, setting, options.colours, cancel);
    if (!plan) return result;
    // The length of one try, or nothing when cancelled.
    auto measure = [&](const MarkupOptions& o) -> std::optional<std::size_t> {
        LengthCounter counter(limit.unit);
        if (!write_planned_markup(*plan, o, separate_tags, cancel, counter)) return std::nullopt;
        return counter.length();
    };
    // Tries `o`: writes it when it fits. Yields true when the search is over.
    auto attempt = [&](const MarkupOptions& o) {
        const std::optional<std::size_t> length = measure(o);
        if (!length) return true;
        if (*length > limit.length) return false;
        result.used = o;
        result.length = *length;
        const bool written = write_planned_markup(*plan, o, separate_tags, cancel, sink);
        result.outcome = written ? FitResult::Outcome::Fitted : FitResult::Outcome::Cancelled;
        return true;
    };
    MarkupOptions o = options;
    if (attempt(o)) return result;
    for (bool* shortening : {&o.merge, &o.plain_blanks}) {
        if (*shortening) continue;
        *shortening = true;
        if (attempt(o)) return result;
    }

    // The coarsest gradient first: when one colour for the whole text is too long,
    // nothing shorter exists.
    const std::size_t n = plan->characters.size();
    MarkupOptions one = o;
    one.characters_per_colour = std::max<std::size_t>(n, 1);
    const std::optional<std::size_t> shortest = measure(one);
    if (!shortest) return result;
    if (*shortest > limit.length) {
        result.outcome = FitResult::Outcome::TooLong;
        result.used = one;
        result.length = *shortest;
        return result;
    }
    // Only a g that changes the number of colour steps can change the markup's shape.
    std::size_t steps = (n + o.characters_per_colour - 1) / o.characters_per_colour;
    for (std::size_t g = o.characters_per_colour + 1; g <= n; ++g) {
        const std::size_t groups = (n + g - 1) / g;
        if (groups == steps) continue;
        steps = groups;
        o.characters_per_colour = g;
        if (attempt(o)) return result;
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

#include "core/text/characters.h"
#include "core/markup/markup_fit.h"
#include "support/markup_helpers.h"

#include <gtest/gtest.h>

#include <set>

namespace gradation {
namespace {

using test::u8;

std::u16string times(std::u16string_view pattern, int count) {
    std::u16string out;
    while (count-- > 0) out += pattern;
    return out;
}

// Colours that come back after others, some past 255 (the low byte is written).
SettingRecord wandering() {
    SettingRecord s = test::plain({86, 0, 0}, {300, 256, 9});
    const Colour a = s.StartColor, b = s.EndColor;
    s.gradient = Gradient{GradientSpace::Srgb, {{a, 0}, {a, 20}, {b, 21}, {b, 40}, {a, 41}, {a, 60}, {b, 61}, {b, 100}}};
    return s;
}

SettingRecord waving() {
    SettingRecord s = test::plain();
    s.StartMark = s.EndMark = s.BreakAfter = s.Bold = s.TableWrap = s.SizeWave = true;
    s.SizeMode = 1;
    s.SizeValue = 4;
    s.WavePattern = 1;
    s.Direction = u'V';
    return s;
}

// The search as it was: every try written to a counter, g = 2, 3, ... in turn.
FitResult fit_by_writing(const MarkupPlan& plan, MarkupOptions o, LengthLimit limit, bool separate) {
    auto tags = [separate] { return separate; };
    auto no = [] { return false; };
    auto measure = [&](const MarkupOptions& tried) {
        LengthCounter counter(limit.unit);
        write_planned_markup(plan, tried, tags, no, counter);
        return counter.length();
    };
    const std::size_t n = plan.characters.size();
    for (int stage = 0; stage < 3; ++stage) {
        o.merge = o.merge || stage >= 1;
        o.plain_blanks = o.plain_blanks || stage == 2;
        if (measure(o) <= limit.length) return {FitResult::Outcome::Fitted, o, measure(o), limit};
    }
    MarkupOptions one = o;
    one.characters_per_colour = n;
    if (measure(one) > limit.length) return {FitResult::Outcome::TooLong, one, measure(one), limit};
    for (std::size_t g = 2, steps = n; g <= n; ++g) {
        if ((n + g - 1) / g == steps) continue;
        steps = (n + g - 1) / g;
        o.characters_per_colour = g;
        if (measure(o) <= limit.length) return {FitResult::Outcome::Fitted, o, measure(o), limit};
    }
    return {};
}

// Lengths found without writing are the lengths written, and the fit chooses and writes
// what trying every step in turn did, for limits on either side of each try's length.
TEST(MarkupFit, LengthsAndChoicesAsWritten) {
    const std::u16string texts[] = {times(u"gradation \u6587\u5B57 abc", 3), times(u" <a&b> [x] &l \u00A7z\u00A7 ", 3),
                                    u"a\r\nb\rc\n\t \U0001F44D\U0001F3FDe\u0301 \xD800 x\xDC00 ",
                                    times(u"<&[\u00A7", 9), u"   lead"};
    auto no = [] { return false; };
    for (const std::u16string& text : texts) {
        for (const int variant : {0, 1, 2}) {
            const SettingRecord s = variant == 2 ? waving() : variant == 1 ? wandering() : test::plain();
            for (const DialectInfo& d : dialects()) {
                const MarkupOptions start = default_options(d.dialect);
                const MarkupPlan plan = *build_plan(text, s, no);
                for (const LengthUnit unit : {LengthUnit::Utf16Units, LengthUnit::Utf8Bytes}) {
                    const bool separate = variant == 2 && unit == LengthUnit::Utf16Units;
                    auto tags = [separate] { return separate; };
                    MarkupLengths lengths(plan, d.dialect, separate, unit);
                    std::set<std::size_t> limits;
                    for (std::size_t g = 1; g <= plan.characters.size(); ++g) {
                        for (const int shortening : {0, 1, 2, 3}) {
                            const MarkupOptions o{d.dialect, shortening % 2 == 1, shortening >= 2, g};
                            LengthCounter written(unit);
                            write_planned_markup(plan, o, tags, no, written);
                            ASSERT_EQ(lengths.length(o), written.length()) << u8(text) << d.name << g << shortening;
                            if (shortening == 3) {
                                ASSERT_EQ(lengths.merged_length(g), written.length()) << u8(text) << g;
                            }
                            if (shortening == 3 || g == 1) limits.insert({written.length(), written.length() - 1});
                        }
                    }
                    for (const std::size_t limit : limits) {
                        const FitResult old = fit_by_writing(plan, start, {limit, unit}, separate);
                        test::StringSink sink, old_sink;
                        const FitResult r = write_fitted_markup(text, s, start, {limit, unit}, tags, no, sink);
                        if (old.outcome == FitResult::Outcome::Fitted)
                            write_planned_markup(plan, old.used, tags, no, old_sink);
                        EXPECT_EQ(describe_fit(r), describe_fit(old)) << u8(text) << d.name;
                        EXPECT_EQ(sink.markup, old_sink.markup) << u8(text) << d.name;
                    }
                }
            }
        }
    }
}

// Before the final write the fit asks to cancel far less than once a character, yet a
// stop asked for during the search ends it with nothing written.
TEST(MarkupFit, AsksToCancelSeldomBeforeTheFinalWrite) {
    const std::u16string text = times(u"ab ", 3000);  // only one colour fits 8 + 9000
    for (const std::size_t stop_at : {0, 5}) {
        std::size_t asked = 0;
        test::StringSink sink;
        const FitResult r = write_fitted_markup(text, test::plain(), default_options(Dialect::Minecraft), {9008},
                                                [] { return false; }, [&] { return ++asked == stop_at; }, sink);
        EXPECT_EQ(r.outcome, stop_at == 0 ? FitResult::Outcome::Fitted : FitResult::Outcome::Cancelled);
        EXPECT_EQ(sink.markup.size(), stop_at == 0 ? 9008u : 0u);
        EXPECT_LT(asked, stop_at == 0 ? 2 * text.size() : 6);
    }
}

}  // namespace
}  // namespace gradation

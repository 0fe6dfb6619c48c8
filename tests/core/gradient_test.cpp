// Gradients: worked colours from tests/data/gradients.py, the stored and command-line
// forms, reading an entry beside its line, and properties over random stops.
#include "core/colour/channel_steps.h"
#include "core/colour/gradient_steps.h"
#include "core/settings_file/gradient_entries.h"
#include "core/markup/markup_fit.h"
#include "support/markup_helpers.h"
#include "support/setting_lines.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace gradation {
namespace {

std::string hex(const std::vector<Colour>& colours) {
    std::string out;
    char buf[8];
    for (const Colour& c : colours) {
        std::snprintf(buf, sizeof buf, "%02X%02X%02X", c.red, c.green, c.blue);
        out += (out.empty() ? "" : " ") + std::string(buf);
    }
    return out;
}

TEST(Gradient, WorkedColoursFromTheSeparateScript) {
    std::ifstream table(GRADATION_GRADIENTS_TABLE);
    int rows = 0;
    for (std::string row; std::getline(table, row); ++rows) {
        std::istringstream fields(row);
        std::string n, stored, colours;
        std::getline(std::getline(std::getline(fields, n, '\t'), stored, '\t'), colours, '\t');
        const Result<Gradient> parsed = parse_gradient(stored);
        ASSERT_TRUE(parsed) << row;
        EXPECT_EQ(format_gradient(*parsed), stored);
        EXPECT_EQ(hex(gradient_colours(*parsed, std::stoi(n))), colours) << row;
    }
    EXPECT_GE(rows, 20);
}

// The table-driven channel encoder against rounding the exact encoded value, on fine grids.
TEST(Gradient, ChannelEncoderRoundsAsTheCurveDoes) {
    const struct {
        double from, to;
        int points;
    } grids[] = {{0.0, 1.0, 1 << 22}, {0.0, 0.0032, 1 << 16}, {-1.0, 2.0, 1 << 10}};
    for (const auto& g : grids)
        for (int i = 0; i <= g.points; ++i) {
            const double x = g.from + (g.to - g.from) * i / g.points;
            const double exact = std::nearbyint(255.0 * linear_to_srgb(std::clamp(x, 0.0, 1.0)));
            ASSERT_EQ(linear_to_channel(x), static_cast<std::int32_t>(exact)) << x;
        }
}

TEST(Gradient, TextForms) {
    std::string seventeen = "#000000";
    for (int i = 1; i < 17; ++i) seventeen += ",#000000";
    const struct {
        Result<Gradient> (*parse)(std::string_view);
        std::string text;
        std::string stored_or_refusal;
    } cases[] = {
        {parse_gradient, "oklch\t#ff0000@0  #FFFF00@35 #0080ff@100", "oklch #FF0000@0 #FFFF00@35 #0080FF@100"},
        {parse_gradient, "", "position 0: missing"},
        {parse_gradient, "hsv #FF0000@0 #0000FF@100", "position 0: unknown space 'hsv'"},
        {parse_gradient, "srgb #FF0000@0", "position 2: a gradient has 2 to 16 stops, not 1"},
        {parse_gradient, "srgb #FF0000@0 #FF00@100", "position 2: a stop is a colour #RRGGBB"},
        {parse_gradient, "srgb #FF0000@0 #GG0000@100", "position 2: '#GG0000' is not a colour"},
        {parse_gradient, "srgb #FF0000@0 #0000FF", "position 2: '#0000FF' has no position"},
        {parse_gradient, "srgb #FF0000@0 #0000FF@101", "position 2: the position of '#0000FF@101' is not"},
        {parse_gradient, "srgb #FF0000@0 #00FF00@60 #0000FF@50 #000000@100", "position 3: positions do not"},
        {parse_gradient, "srgb #FF0000@1 #0000FF@100", "position 1: the first stop is at 0"},
        {parse_gradient, "srgb #FF0000@0 #0000FF@99", "position 2: the last stop is at 100"},
        {parse_stop_list, "#ff0000,#ffff00@35,#0080ff", "srgb #FF0000@0 #FFFF00@35 #0080FF@100"},
        {parse_stop_list, " #000000 , #111111,#222222,#333333@90,#444444", "srgb #000000@0 #111111@30 #222222@60 "
                                                                          "#333333@90 #444444@100"},
        {parse_stop_list, "#000000,,#ffffff", "position 2: a stop is a colour #RRGGBB, not ''"},
        {parse_stop_list, seventeen, "position 17: a gradient has 2 to 16 stops, not 17"},
        {parse_stop_list, "#000000@-0,#ffffff", "position 1: the position of '#000000@-0'"},
    };
    for (const auto& c : cases) {
        const Result<Gradient> parsed = c.parse(c.text);
        const std::string got = parsed ? format_gradient(*parsed) : parsed.error().text();
        EXPECT_TRUE(got.starts_with(c.stored_or_refusal)) << c.text << ": " << got;
    }
}

TEST(Gradient, AnEntryIsUsedOnlyWhenItFitsItsLine) {
    const std::string section = "[UserSetting]\n00=x\n[gradient]\n00 = oklab #0080FF@0 #FF8000@100\n01=srgb #0080FF@0\n"
                                "02=srgb #0080FF@0 #FF8000@100\n02=oklab #0080FF@0 #FF8000@100\n04=srgb #0080FF@0 #FF" +
                                std::string(1, '\0') + "8000@100\n05=srgb" + std::string(1100, ' ') + "x\n";
    const SettingRecord line = test::plain();  // (0, 128, 255) to (255, 128, 0)
    const struct {
        int n;
        SettingRecord record;
        std::string gradient;  // formatted, or empty
        bool stale;
        std::string refused;
    } cases[] = {
        {0, line, "oklab #0080FF@0 #FF8000@100", false, ""},
        {0, test::plain({0, 128, 255}, {255, 128, 1}), "oklab #0080FF@0 #FF8000@100", true, ""},
        {1, line, "", false, "position 2: a gradient has 2 to 16 stops, not 1"},
        {2, line, "srgb #0080FF@0 #FF8000@100", false, ""},  // the first line with the key
        {3, line, "", false, ""},
        {4, line, "", false, "a NUL byte at byte 19 of the value ends it for the reader, and what comes before is "
                             "refused at position 2: a stop is a colour #RRGGBB, not '#FF'"},
        {5, line, "", false, "it reaches 1023 bytes, where the reader cuts a value, so it cannot be read whole"},
    };
    for (const auto& c : cases) {
        const GradientEntryRead read = read_gradient_entry(section, c.n, c.record);
        EXPECT_EQ(read.gradient ? format_gradient(*read.gradient) : "", c.gradient) << c.n;
        EXPECT_EQ(read.stale, c.stale) << c.n;
        EXPECT_EQ(read.refused ? read.refused->text() : "", c.refused) << c.n;
    }
}

// Setting n as every program applies it: its line, with the entry only when that fits.
TEST(Gradient, ASettingIsItsLineWithTheEntryThatFitsIt) {
    const std::string file = "[Gradient]\n00=oklab #0080FF@0 #FF8000@100\n01=srgb #0080FF@0\n";
    const std::string tail = test::lines::kStandardTail;  // (0, 128, 255) to (255, 128, 0)
    const std::string stale = tail.substr(0, tail.size() - 3) + "1,0";
    // Each row: the gradient applied (formatted), "two colours", or the refusal.
    const struct { int n; std::string line; bool reached_cut; std::string applied; } cases[] = {
        {0, "a" + tail, false, "oklab #0080FF@0 #FF8000@100"},
        {0, "a" + stale, false, "two colours"},
        {1, "a" + tail, false, "its Gradient entry is refused: position 2: a gradient has 2 to 16 stops, not 1"},
        {0, "a,ON", false, "position 2: missing"},
        {0, "a" + tail, true, "it reaches 1023 bytes, where the reader cuts a value, so it cannot be read whole"},
    };
    for (const auto& c : cases) {
        const Result<SettingRecord> s = setting_with_gradient(file, {test::u16(c.line), c.reached_cut}, c.n);
        const std::string got = !s ? s.error().text() : s->gradient ? format_gradient(*s->gradient) : "two colours";
        EXPECT_TRUE(got.starts_with(c.applied)) << c.n << ": " << got;
    }
}

// A setting's own gradient feeds the colour plan: every dialect, space and colour-step
// size gives what a plan holding the same colours gives; fitting keeps the end stops.
TEST(Gradient, ReachesEveryDialectAndFitThroughThePlan) {
    const std::u16string text = u"a bcdefg";
    const std::vector<GradientStop> stops = {{{255, 0, 0}, 0}, {{255, 255, 0}, 35}, {{0, 128, 255}, 100}};
    const auto no = [] { return false; };
    for (const DialectInfo& d : dialects()) {
        for (int space = 0; space < 5; ++space) {
            SettingRecord s = test::plain({255, 0, 0}, {0, 128, 255});
            const Gradient g{static_cast<GradientSpace>(space), stops};
            MarkupOptions o = default_options(d.dialect);
            o.characters_per_colour = static_cast<std::size_t>(space % 3 + 1);
            MarkupPlan plan = *build_plan(text, s, no);
            plan.colours = gradient_colours(g, static_cast<int>(plan.colours.size()));
            test::StringSink expected;
            write_planned_markup(plan, o, no, no, expected);
            s.gradient = g;
            EXPECT_EQ(gradient_markup(text, s, false, o), expected.markup) << d.name << ' ' << space;
        }
    }
    SettingRecord s = test::plain({255, 0, 0}, {0, 128, 255});
    s.gradient = Gradient{GradientSpace::Oklch, stops};
    test::StringSink sink;
    const FitResult r = write_fitted_markup(u"abcd", s, default_options(Dialect::Minecraft), {35},
                                            [] { return false; }, [] { return false; }, sink);
    EXPECT_EQ(describe_fit(r), "merged, plain blanks, 2 characters per colour: 20 of 35");
    EXPECT_EQ(test::u8(sink.markup), "&#ff0000ab&#0080ffcd");
}

TEST(Gradient, PropertiesOverRandomStops) {
    std::mt19937 random(20);
    const auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto colour = [&](int low, int high) { return Colour{number(low, high), number(low, high), number(low, high)}; };
    for (int run = 0; run < 400; ++run) {
        const int n = run % 50 == 0 ? number(1, 32767) : number(1, 120);
        // Two stops in srgb: today's channel arithmetic exactly, also for colours outside 0..255.
        const Colour start = colour(-300, 300), end = colour(-300, 300);
        const std::vector<Colour> two = gradient_colours(two_stop_gradient(start, end), n);
        const ChannelSteps red(start.red, end.red, n), green(start.green, end.green, n), blue(start.blue, end.blue, n);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(two[static_cast<std::size_t>(i - 1)], (Colour{red.at(i), green.at(i), blue.at(i)})) << run;
        // Any stops in any space: the ends are the end stops, every channel within 0..255.
        Gradient g{static_cast<GradientSpace>(run % 5), {{colour(0, 255), 0}}};
        for (int k = number(0, 14); k > 0; --k) g.stops.push_back({colour(0, 255), number(0, 100)});
        g.stops.push_back({colour(0, 255), 100});
        std::sort(g.stops.begin(), g.stops.end(), [](auto& a, auto& b) { return a.position < b.position; });
        const std::vector<Colour> all = gradient_colours(g, n);
        for (const Colour& c : all) ASSERT_TRUE(in_byte_range(c)) << format_gradient(g);
        if (g.space == GradientSpace::Srgb) continue;
        EXPECT_EQ(all.front(), g.stops.front().colour) << format_gradient(g);
        EXPECT_EQ(all.back(), n == 1 ? g.stops.front().colour : g.stops.back().colour) << format_gradient(g);
    }
}

}  // namespace
}  // namespace gradation

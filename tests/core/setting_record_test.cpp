#include "core/text/number_text.h"
#include "core/setting_line/setting_meaning.h"
#include "core/setting_line/setting_record.h"
#include "support/setting_lines.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

namespace gradation {
namespace {

using test::u16;

using test::lines::kItem;
using test::lines::kStandard;

SettingRecord parse_ok(std::string_view line) {
    const Result<SettingRecord> p = parse_setting_line(u16(line));
    EXPECT_TRUE(p) << line << " refused: " << test::why(p);
    return p.value_or(SettingRecord{});
}

// A line built from the standard one with one field replaced.
std::string with_field(int position, std::string_view text) {
    std::string line = kStandard;
    std::size_t start = 0;
    for (int i = 0; i < position; ++i) start = line.find(',', start) + 1;
    std::size_t end = line.find(',', start);
    if (end == std::string::npos) end = line.size();
    return line.replace(start, end - start, text);
}

TEST(SettingRecord, StandardLineWithDevTag) {
    EXPECT_EQ(test::u8(setting_name(u16(kStandard))), "起動時標準");
    SettingRecord expected;
    expected.SizeValue = 1;
    expected.Direction = u'H';
    expected.StartColor = {0, 128, 255};
    expected.EndColor = {255, 128, 0};
    EXPECT_EQ(parse_ok(kStandard), expected);
}

TEST(SettingRecord, TwentyOneFieldsLeaveDevTagZero) {
    const SettingRecord r = parse_ok(kItem);
    EXPECT_TRUE(r.StartMark && r.EndMark && r.BreakAfter && r.Underline && r.Italic && r.Bold);
    EXPECT_EQ(r.SizeMode, 1);
    EXPECT_EQ(r.SizeValue, 5);
    EXPECT_EQ(r.WavePattern, 2);
    EXPECT_EQ(r.StartColor, (Colour{25, 25, 112}));
    EXPECT_EQ(r.EndColor, (Colour{30, 144, 255}));
    EXPECT_EQ(r.DevTag, 0);
}

TEST(SettingRecord, FieldsLandInTheirPlaces) {
    const SettingRecord r =
        parse_ok("x,OFF,OFF,OFF,OFF,OFF,ON, 0, 0, 1,ON, 3,H,ON, 0, 1, 2, 3, 4, 5, 6");
    EXPECT_TRUE(r.Bold);
    EXPECT_FALSE(r.Underline || r.Italic);
    EXPECT_TRUE(r.TableWrap);
    EXPECT_EQ(r.TableBorder, 3);
    EXPECT_EQ(r.Direction, u'H');
    EXPECT_TRUE(r.SizeWave);
    EXPECT_EQ(r.WavePattern, 0);
    EXPECT_EQ(r.StartColor, (Colour{1, 2, 3}));
    EXPECT_EQ(r.EndColor, (Colour{4, 5, 6}));
}

TEST(SettingRecord, FlagIsTrueOnlyForExactOn) {
    const std::pair<const char*, bool> cases[] = {
        {"ON", true}, {"OFF", false}, {"on", false}, {"On", false}, {" ON", false},
        {"ON ", false}, {"", false}, {"ONN", false}, {"1", false}, {"ＯＮ", false},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(parse_ok(with_field(1, text)).StartMark, expected) << '"' << text << '"';
        EXPECT_EQ(parse_ok(with_field(13, text)).SizeWave, expected) << '"' << text << '"';
    }
}

TEST(SettingRecord, DirectionIsTheFirstCharacter) {
    const std::pair<const char*, char16_t> cases[] = {
        {"H", u'H'}, {"V", u'V'}, {"Vertical", u'V'}, {" V", u' '}, {"", u' '}, {"v", u'v'}, {"縦", u'縦'},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_ok(with_field(12, text)).Direction, expected) << '"' << text << '"';
}

TEST(SettingRecord, NumbersAreFlooredAndMayCarryBlanks) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {" 0", 0}, {"5", 5}, {" 128 ", 128}, {"\t7\t", 7}, {"2.9", 2}, {" 2.9", 2},
        {"-1.5", -2}, {"-0.5", -1}, {"+3", 3}, {"-0", 0}, {"007", 7}, {"-2", -2},
        {" 32767", 32767}, {"-32768", -32768}, {"32767.99", 32767}, {"1.0", 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_ok(with_field(9, text)).SizeValue, expected) << '"' << text << '"';
}

TEST(SettingRecord, DevTagIsRoundedHalfToEvenAndZeroWhenNotANumber) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {"1", 1}, {"0", 0}, {"", 0}, {"A", 0}, {" 1 ", 1}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2},
        {"0.51", 1}, {"0.50", 0}, {"-0.5", 0}, {"-1.5", -2}, {"1,2", 0}, {"1e0", 0}, {"2", 2},
    };
    for (const auto& [text, expected] : cases) {
        const std::string line = std::string(kItem) + "," + text;
        EXPECT_EQ(parse_ok(line).DevTag, expected) << '"' << text << '"';
    }
}

TEST(SettingRecord, RefusesAWholeLineNamingThePosition) {
    struct Case {
        std::string line;
        int position;
    };
    const Case cases[] = {
        {"", 1},
        {"Plain", 1},
        {"x,ON,ON", 3},
        {"x,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128", 20},
        {with_field(7, "abc"), 7},
        {with_field(8, ""), 8},
        {with_field(9, " "), 9},
        {with_field(11, "1e3"), 11},
        {with_field(14, "0x1"), 14},
        {with_field(15, "1 2"), 15},
        {with_field(16, "３"), 16},
        {with_field(17, "2."), 17},
        {with_field(18, ".5"), 18},
        {with_field(19, "--1"), 19},
        {with_field(20, "32768"), 20},
        {with_field(15, "-32769"), 15},
        {with_field(15, "-32768.5"), 15},
        {with_field(9, "99999999999999999999"), 9},
        {std::string(kItem) + ",40000", 21},
        {with_field(9, "x") + "," + with_field(7, "y"), 9},  // the first bad position is named
    };
    for (const Case& c : cases) {
        const Result<SettingRecord> p = parse_setting_line(u16(c.line));
        ASSERT_FALSE(p.has_value()) << c.line;
        EXPECT_EQ(p.error().position, c.position) << c.line << " -> " << p.error().text();
        EXPECT_FALSE(p.error().reason().empty());
    }
}

TEST(SettingRecord, ColoursOutsideTheByteRangeAreKept) {
    const SettingRecord r = parse_ok(with_field(15, "-1"));
    EXPECT_EQ(r.StartColor.red, -1);
    EXPECT_EQ(parse_ok(with_field(20, " 300,1")).EndColor.blue, 300);
}

TEST(NumberText, ReadsOnlyPlainDecimals) {
    const char16_t* not_numbers[] = {u"", u" ", u"+", u"-", u".", u"1.", u".1", u"1.2.3", u"1e5", u"0x10",
                                     u"１", u"1 1", u"- 1", u"1-", u"\u00A01"};
    for (const char16_t* text : not_numbers)
        EXPECT_EQ(test::why(read_number16(text, Rounding::Floor)), "not a number") << test::u8(text);
    EXPECT_EQ(read_number16(u"-32768.0", Rounding::HalfEven), -32768);
    EXPECT_EQ(test::why(read_number16(u"32767.5", Rounding::HalfEven)), "outside -32768..32767");
    EXPECT_EQ(read_number16(u"-32767.5", Rounding::HalfEven), -32768);
}

TEST(SettingRecord, FormatsTheShippedWayAndReadsBack) {
    const struct {
        const char* line;     // as given
        const char* written;  // as format_setting_line writes its record
    } cases[] = {
        {kStandard, kStandard},
        {kItem, "アイテム,ON,ON,ON,ON,ON,ON, 1, 0, 5,OFF, 0,H,OFF, 2, 25, 25, 112, 30, 144, 255,0"},
        {"x,on,OFF,OFF,OFF,OFF,ON,1,0,3,ON,2,Vertical,ON,1,-1,2.9,3,4,5,6, 1.5",
         "x,OFF,OFF,OFF,OFF,OFF,ON, 1, 0, 3,ON, 2,V,ON, 1,-1, 2, 3, 4, 5, 6,2"},
        {",OFF,OFF,OFF,OFF,OFF,OFF,-32768, 0, 32767,OFF, 0, ,OFF, 0, 300, 0, 0, 0, 0, 0,-7",
         ",OFF,OFF,OFF,OFF,OFF,OFF,-32768, 0, 32767,OFF, 0, ,OFF, 0, 300, 0, 0, 0, 0, 0,-7"},
    };
    for (const auto& c : cases) {
        const SettingRecord record = parse_ok(c.line);
        const std::u16string written = format_setting_line(setting_name(u16(c.line)), record);
        EXPECT_EQ(test::u8(written), c.written);
        EXPECT_EQ(parse_ok(test::u8(written)), record) << c.written;
    }
}

// The generator waves for every absolute size mode; the window pictures mode 1 only.
TEST(SettingMeaning, WaveOfTheGeneratorAndOfTheWindow) {
    const struct {
        std::int16_t mode, pattern;
        bool wave, generator_waves, window_shows_wave;
    } cases[] = {
        {1, 0, true, true, true}, {3, 3, true, true, false}, {2, 1, true, false, false},
        {0, 1, true, false, false}, {1, 4, true, false, false}, {1, 2, false, false, false},
    };
    for (const auto& c : cases) {
        SettingRecord s;
        s.SizeMode = c.mode;
        s.WavePattern = c.pattern;
        s.SizeWave = c.wave;
        EXPECT_EQ(generator_waves(s), c.generator_waves) << c.mode << ' ' << c.pattern;
        EXPECT_EQ(window_shows_wave(s), c.window_shows_wave) << c.mode << ' ' << c.pattern;
    }
}

}  // namespace
}  // namespace gradation

#include "core/text/characters.h"
#include "support/test_text.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <fstream>
#include <sstream>

namespace gradation {
namespace {

using test::u16;

// The characters of a text, each as its UTF-16 units.
std::vector<std::u16string> characters(std::u16string_view text) {
    const std::vector<std::uint32_t> starts = character_starts(text);
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        out.emplace_back(text.substr(starts[i], starts[i + 1] - starts[i]));
    return out;
}

struct CountCase {
    const char* name;
    std::u16string text;
    std::size_t characters;
};

class CharacterCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(CharacterCount, CountsWhatAReaderSees) {
    const CountCase& c = GetParam();
    const std::vector<std::u16string> parts = characters(c.text);
    EXPECT_EQ(parts.size(), c.characters);
    std::u16string joined;
    for (const auto& p : parts) joined += p;
    EXPECT_EQ(joined, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterCount,
    ::testing::Values(
        CountCase{"ka_with_combining_voiced_mark", u"\u304B\u3099", 1},
        CountCase{"half_width_ka_and_sound_mark", u"\uFF76\uFF9E", 2},
        CountCase{"half_width_ha_and_semi_voiced_mark", u"\uFF8A\uFF9F", 2},
        CountCase{"heart_with_emoji_presentation", u"\u2764\uFE0F", 1},
        CountCase{"thumbs_up_with_skin_tone", u16("👍🏽"), 1},
        CountCase{"family_zwj_sequence", u16("👨‍👩‍👧"), 1},
        CountCase{"two_flags", u16("🇯🇵🇺🇸"), 2},
        CountCase{"keycap", u"1\uFE0F\u20E3", 1},
        CountCase{"ideographic_variation_sequence", u16("葛\U000E0100"), 1},
        CountCase{"e_with_combining_acute", u"e\u0301", 1},
        CountCase{"cr_lf", u"\r\n", 2},
        CountCase{"cr_then_mark", u"\r\u0301", 2},
        CountCase{"mark_first", u"\u0301a", 2},
        CountCase{"lone_high_surrogate", std::u16string(1, u'\xD83D') + u"a", 2},
        CountCase{"lone_low_surrogate_then_mark", std::u16string(1, u'\xDE00') + u"\u0301", 2},
        CountCase{"reversed_pair", std::u16string{u'\xDE00', u'\xD83D'}, 2},
        CountCase{"mark_between_lone_surrogates", std::u16string{u'\xD83D', u'\u0301', u'\xDE00', u'\u0301'}, 4},
        CountCase{"sound_mark_then_zwj_and_emoji", u16("👍\uFF9E\u200D👍"), 3},
        CountCase{"sound_mark_takes_following_marks", u"\uFF76\uFF9E\u0301", 2},
        CountCase{"two_sound_marks", u"\uFF76\uFF9E\uFF9E", 3},
        CountCase{"japanese_and_ascii", u16("グラデーション abc、"), 12},
        CountCase{"many_marks_on_one_letter", u"a" + std::u16string(200, u'\u0301'), 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Unicode's own test: each line is code points with ÷ (break) or × (no break)
// before, between and after them.
struct BreakTestLine {
    std::u16string text;
    std::vector<std::uint32_t> starts;  // the expected character starts, then the end
};

void append_code_point(std::u16string& to, char32_t cp) {
    if (cp >= 0x10000) {
        to.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        to.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
        to.push_back(static_cast<char16_t>(cp));
    }
}

// Reads one line, with the two exceptions applied to its expected breaks: a break
// between CR and LF, and before a half-width sound mark.
std::optional<BreakTestLine> parse_break_test_line(const std::string& line) {
    const std::string data = line.substr(0, line.find('#'));
    std::istringstream fields(data);
    BreakTestLine out;
    std::string field;
    bool break_before = false;
    while (fields >> field) {
        if (field == "\xC3\xB7") {  // ÷
            break_before = true;
        } else if (field == "\xC3\x97") {  // ×
            break_before = false;
        } else {
            const auto cp = static_cast<char32_t>(std::stoul(field, nullptr, 16));
            const bool after_cr = !out.text.empty() && out.text.back() == u'\r';
            if (break_before || (cp == U'\n' && after_cr) || cp == 0xFF9E || cp == 0xFF9F)
                out.starts.push_back(static_cast<std::uint32_t>(out.text.size()));
            append_code_point(out.text, cp);
        }
    }
    if (out.text.empty()) return std::nullopt;
    out.starts.push_back(static_cast<std::uint32_t>(out.text.size()));
    return out;
}

TEST(Characters, UnicodeGraphemeBreakTestWithTheTwoExceptions) {
    std::ifstream file(GRADATION_GRAPHEME_BREAK_TEST);
    ASSERT_TRUE(file) << GRADATION_GRAPHEME_BREAK_TEST << " is missing (Debian package unicode-data)";
    std::string line;
    int lines = 0;
    int cr_lf_lines = 0;
    while (std::getline(file, line)) {
        const auto expected = parse_break_test_line(line);
        if (!expected) continue;
        ++lines;
        if (expected->text.find(u"\r\n") != std::u16string::npos) ++cr_lf_lines;
        EXPECT_EQ(character_starts(expected->text), expected->starts) << line;
    }
    EXPECT_GT(lines, 600);  // the whole file was read
    EXPECT_GT(cr_lf_lines, 0);
}

// The shortcut past ICU holds only where Unicode's data says so.
TEST(Characters, PlainUnitsAreOfClassOther) {
    int plain = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (!is_plain_unit(static_cast<char16_t>(c))) continue;
        ++plain;
        EXPECT_EQ(u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_GRAPHEME_CLUSTER_BREAK), U_GCB_OTHER)
            << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_GT(plain, 20000);
}

TEST(Characters, EmptyTextHasNone) { EXPECT_EQ(character_starts(u""), std::vector<std::uint32_t>{0}); }

}  // namespace
}  // namespace gradation

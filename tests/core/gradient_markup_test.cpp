#include "core/markup/gradient_markup.h"
#include "support/markup_helpers.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

namespace gradation {
namespace {

using test::u16;
using test::u8;
using test::colours;
using test::markup;
using test::matches;
using test::plain;

// The red channel of each character, as numbers.
std::vector<int> reds(int n, int start, int end) {
    std::vector<int> out;
    for (const std::string& c : colours(std::string(static_cast<std::size_t>(n), 'x'), plain({static_cast<std::int16_t>(start), 0, 0}, {static_cast<std::int16_t>(end), 0, 0})))
        out.push_back(std::stoi(c.substr(0, 2), nullptr, 16));
    return out;
}

std::vector<int> sizes(int n, int pattern, int value) {
    SettingRecord s = plain();
    s.SizeMode = 1;
    s.SizeWave = true;
    s.WavePattern = static_cast<std::int16_t>(pattern);
    s.SizeValue = static_cast<std::int16_t>(value);
    const std::string m = markup(std::string(static_cast<std::size_t>(n), 'x'), s);
    std::vector<int> out;
    const std::regex size("SIZE=\"(-?[0-9]+)\"");
    for (auto it = std::sregex_iterator(m.begin(), m.end(), size); it != std::sregex_iterator(); ++it)
        out.push_back(std::stoi((*it)[1]));
    return out;
}

TEST(GradientMarkup, ThreeCharactersTwoColours) {
    EXPECT_EQ(markup("abc", plain()),
              "<FONT COLOR=\"#0080AA\">a</FONT><FONT COLOR=\"#558055\">b</FONT>"
              "<FONT COLOR=\"#AA8000\">c</FONT>\r\n");
    EXPECT_EQ(colours("a", plain()), std::vector<std::string>{"008000"});
}

TEST(GradientMarkup, TheThreeTagForms) {
    SettingRecord s = plain();
    s.SizeMode = 1;
    s.SizeValue = 3;
    EXPECT_EQ(markup("a", s, false).substr(0, 39), "<FONT COLOR=\"#008000\" SIZE=\"3\">a</FONT>");
    EXPECT_EQ(markup("a", s, true), "<FONT COLOR=\"#008000\"><FONT SIZE=\"3\">a</FONT></FONT>\r\n");
    s.SizeMode = 0;
    EXPECT_EQ(markup("a", s, true), "<FONT COLOR=\"#008000\">a</FONT>\r\n");
    s.SizeMode = -3;
    EXPECT_EQ(markup("a", s, false), "<FONT COLOR=\"#008000\">a</FONT>\r\n");
}

TEST(GradientMarkup, ColourSteps) {
    struct Case {
        int n, start, end;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {2, 0, 5, {0, 2}},
        {2, 5, 0, {2, 0}},
        {4, 0, 255, {0, 64, 128, 191}},
        {4, 255, 0, {191, 128, 64, 0}},
        {6, 0, 5, {0, 1, 2, 2, 3, 4}},  // 3 * (5 / 6) is exactly 2.5 in doubles
        {6, 5, 0, {4, 3, 2, 2, 1, 0}},
        {3, 7, 7, {7, 7, 7}},
        {1, 200, 10, {10}},
        {2, 0, 255, {0, 128}},  // 127.5 rounds to even
    };
    for (const Case& c : cases)
        EXPECT_EQ(reds(c.n, c.start, c.end), c.expected) << c.n << " from " << c.start << " to " << c.end;
}

TEST(GradientMarkup, HexTextKeepsTheLowByte) {
    const std::pair<int, std::string> cases[] = {{256, "00"}, {-1, "FF"}, {5, "05"}, {0, "00"},
                                                 {300, "2C"}, {-32768, "00"}, {32767, "FF"}};
    for (const auto& [value, hex] : cases) {
        const auto v = static_cast<std::int16_t>(value);
        EXPECT_EQ(colours("a", plain({v, v, v}, {v, v, v})).at(0), hex + hex + hex) << value;
    }
}

TEST(GradientMarkup, ExtremeColoursDoNotOverflow) {
    const auto c = colours(std::string(32767, 'x'), plain({-32768, 32767, 0}, {32767, -32768, 0}));
    ASSERT_EQ(c.size(), 32767u);
    // Red rises from -32768 (low byte 00); green falls towards its low end -32768.
    EXPECT_EQ(c.front(), "00FD00");
    EXPECT_EQ(c.back(), "FD0000");
}

TEST(GradientMarkup, EveryCharacterGetsItsOwnTagUnescaped) {
    EXPECT_EQ(markup("a<\r\n", plain({0, 0, 0}, {0, 0, 0})),
              "<FONT COLOR=\"#000000\">a</FONT><FONT COLOR=\"#000000\"><</FONT>"
              "<FONT COLOR=\"#000000\">\r</FONT><FONT COLOR=\"#000000\">\n</FONT>\r\n");
}

TEST(GradientMarkup, AllFlagsTableVerticalSeparate) {
    SettingRecord s = plain({255, 0, 0}, {0, 0, 255});
    s.StartMark = s.EndMark = s.BreakAfter = s.Underline = s.Italic = s.Bold = true;
    s.SizeMode = 1;
    s.SizeValue = 4;
    s.TableWrap = true;
    s.TableBorder = 2;
    s.Direction = u'V';
    EXPECT_EQ(markup("ab", s, true),
              "<!--start 「ab」-->\r\n"
              "<TABLE BORDER=2><TR VALIGN=\"MIDDLE\"><TD><CENTER><U><B><I>"
              "<FONT COLOR=\"#800000\"><FONT SIZE=\"4\">a</FONT></FONT><BR>"
              "<FONT COLOR=\"#000080\"><FONT SIZE=\"4\">b</FONT></FONT><BR>"
              "</I></B></U></CENTER></TD></TR></TABLE><BR>\r\n"
              "<!--end font gradation-->\r\n");
}

TEST(GradientMarkup, DirectionAndTable) {
    SettingRecord s = plain({0, 0, 0}, {0, 0, 0});
    const std::string tag = "<FONT COLOR=\"#000000\">a</FONT>";
    struct Case {
        bool table;
        char16_t direction;
        std::string body;
    };
    const Case cases[] = {
        {true, u'V', tag + "<BR>"},
        {true, u'v', tag},
        {true, u'H', tag},
        {false, u'V', tag},
    };
    for (const Case& c : cases) {
        s.TableWrap = c.table;
        s.TableBorder = 1;
        s.Direction = c.direction;
        const std::string open = c.table ? "<TABLE BORDER=1><TR VALIGN=\"MIDDLE\"><TD><CENTER>" : "";
        const std::string close = c.table ? "</CENTER></TD></TR></TABLE>" : "";
        EXPECT_EQ(markup("a", s), open + c.body + close + "\r\n");
    }
    s.TableBorder = -7;
    s.Direction = u'H';
    s.TableWrap = true;
    EXPECT_EQ(markup("a", s).substr(0, 17), "<TABLE BORDER=-7>");
}

TEST(GradientMarkup, RelativeAndAbsoluteSizeText) {
    struct Case {
        int mode, sign, value;
        bool wave;
        int pattern;
        std::string size;
    };
    const Case cases[] = {
        {2, 1, 2, false, 0, "-2"}, {2, 0, 2, false, 0, "+2"}, {2, 2, 2, false, 0, "2"},
        {2, -1, 3, false, 0, "3"}, {2, 0, -2, false, 0, "+-2"}, {2, 0, 3, true, 0, "+3"},
        {1, 0, 5, false, 0, "5"},  {3, 1, 6, false, 0, "6"},   {1, 0, 4, true, 7, "4"},
        {1, 0, 4, true, -1, "4"},
    };
    for (const Case& c : cases) {
        SettingRecord s = plain();
        s.SizeMode = static_cast<std::int16_t>(c.mode);
        s.SizeSign = static_cast<std::int16_t>(c.sign);
        s.SizeValue = static_cast<std::int16_t>(c.value);
        s.SizeWave = c.wave;
        s.WavePattern = static_cast<std::int16_t>(c.pattern);
        EXPECT_EQ(markup("a", s), "<FONT COLOR=\"#008000\" SIZE=\"" + c.size + "\">a</FONT>\r\n")
            << c.mode << ' ' << c.sign << ' ' << c.value;
    }
}

TEST(GradientMarkup, SizeWaves) {
    struct Case {
        int n, pattern, value;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {12, 0, 5, {5, 4, 4, 3, 3, 2, 2, 3, 3, 4, 4, 5}},
        {12, 1, 3, {3, 4, 4, 5, 5, 6, 6, 5, 5, 4, 4, 3}},
        {12, 2, 5, {5, 4, 4, 4, 4, 3, 3, 3, 3, 2, 2, 2}},
        {12, 3, 3, {3, 4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6}},
        {7, 0, 5, {5, 4, 3, 2, 3, 4, 5}},
        {12, 0, 3, {3, 2, 2, 1, 1, 1, 1, 2, 2, 3, 3, 4}},
        {12, 1, 6, {6, 7, 7, 7, 7, 7, 7, 6, 6, 5, 5, 4}},
        {12, 3, 6, {6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {5, 3, 3, {3, 4, 5, 6, 7}},
        {1, 0, 5, {5}}, {1, 1, 5, {5}}, {1, 2, 5, {5}}, {1, 3, 5, {5}},
        {2, 2, 1, {1, 1}},
        {3, 2, -5, {-5, 1, 1}},  // below 1 from the start: the clamp lifts it to 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizes(c.n, c.pattern, c.value), c.expected) << "n " << c.n << " pattern " << c.pattern;
}

TEST(GradientMarkup, ExtremeSizeValuesDoNotOverflow) {
    // Wide arithmetic: values past the 16-bit range are written as they come.
    const std::vector<int> up = sizes(4, 1, 32767);
    EXPECT_EQ(up.front(), 32767);
    const std::vector<int> down = sizes(32767, 0, -32768);
    ASSERT_EQ(down.size(), 32767u);
    EXPECT_EQ(down.front(), -32768);
    const std::vector<int> falling = sizes(32767, 2, 32767);
    EXPECT_EQ(falling.back(), 32767 - 3);  // third = 10922: four steps, the first right away
}

TEST(GradientMarkup, SurrogatePairIsOneCharacter) {
    const std::string m = markup("a😀b", plain());
    EXPECT_EQ(m, "<FONT COLOR=\"#0080AA\">a</FONT><FONT COLOR=\"#558055\">😀</FONT>"
                 "<FONT COLOR=\"#AA8000\">b</FONT>\r\n");
    // A lone surrogate is a character of its own.
    const std::u16string lone = u"\xD800" u"a";
    const std::u16string out = gradient_markup(lone, plain(), false);
    EXPECT_NE(out.find(u">\xD800</FONT>"), std::u16string::npos);
    EXPECT_NE(out.find(u">a</FONT>"), std::u16string::npos);
}

TEST(GradientMarkup, StartMarkerCannotBeClosedByTheText) {
    SettingRecord s = plain({0, 0, 0}, {0, 0, 0});
    s.StartMark = true;
    const std::pair<const char*, const char*> cases[] = {
        {"a-->b", "a--&gt;b"}, {"--!>", "--!&gt;"}, {"--->", "---&gt;"}, {"a>b", "a>b"},
        {"- ->", "- ->"}, {"-!>", "-!>"}, {"<!--x", "<!--x"}, {"ab\r\n", "ab\r\n"},
    };
    for (const auto& [text, copied] : cases) {
        const std::string m = markup(text, s);
        EXPECT_EQ(m.substr(0, m.find("\r\n<FONT")), std::string("<!--start 「") + copied + "」-->") << text;
    }
    // Inside the tags the text stays as it is.
    EXPECT_NE(markup("-->", s).find("<FONT COLOR=\"#000000\">></FONT>"), std::string::npos);
}

TEST(GradientMarkup, CancelCheckRunsBeforeEveryCharacterOfBothPasses) {
    const std::u16string text = u"ab😀cd";  // five characters
    int calls = 0;
    auto count = [&] { return ++calls, false; };
    auto joined = [] { return false; };
    ASSERT_TRUE(gradient_markup(text, plain(), joined, count).has_value());
    EXPECT_EQ(calls, 10);

    for (int stop_at = 1; stop_at <= 10; ++stop_at) {
        int seen = 0;
        auto stop = [&] { return ++seen == stop_at; };
        EXPECT_FALSE(gradient_markup(text, plain(), joined, stop).has_value()) << stop_at;
        EXPECT_EQ(seen, stop_at) << "the run ends at once";
    }
}

TEST(GradientMarkup, SeparateTagsIsReadForEveryCharacter) {
    SettingRecord s = plain({0, 0, 0}, {0, 0, 0});
    s.SizeMode = 1;
    s.SizeValue = 2;
    int character = 0;
    bool separate = false;
    auto cancel = [&] { return false; };
    auto flips = [&] {
        separate = ++character >= 2;  // switched on from the second character
        return separate;
    };
    const std::string m = u8(*gradient_markup(u"abc", s, flips, cancel));
    EXPECT_EQ(character, 3);
    EXPECT_EQ(m, "<FONT COLOR=\"#000000\" SIZE=\"2\">a</FONT>"
                 "<FONT COLOR=\"#000000\"><FONT SIZE=\"2\">b</FONT></FONT>"
                 "<FONT COLOR=\"#000000\"><FONT SIZE=\"2\">c</FONT></FONT>\r\n");
}

TEST(GradientMarkup, StyleTagsNestInOrder) {
    SettingRecord s = plain({0, 0, 0}, {0, 0, 0});
    const std::string tag = "<FONT COLOR=\"#000000\">a</FONT>";
    s.Underline = s.Italic = true;
    EXPECT_EQ(markup("a", s), "<U><I>" + tag + "</I></U>\r\n");
    s.Underline = s.Italic = false;
    s.Bold = true;
    s.BreakAfter = true;
    EXPECT_EQ(markup("a", s), "<B>" + tag + "</B><BR>\r\n");
    s.Bold = s.BreakAfter = false;
    s.EndMark = true;
    EXPECT_EQ(markup("a", s), tag + "\r\n<!--end font gradation-->\r\n");
}

}  // namespace
}  // namespace gradation

#include "core/text/characters.h"
#include "core/markup/markup_buffer.h"
#include "core/markup/markup_fit.h"
#include "support/markup_helpers.h"
#include "support/markup_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace gradation {
namespace {

using test::plain;
using test::u16;
using test::u8;

// Every character #FF8000, so runs merge.
SettingRecord orange() { return plain({255, 128, 0}, {255, 128, 0}); }

// Flags, both markers, a line break after and a table: what each dialect keeps of them.
SettingRecord all_styles() {
    SettingRecord s = orange();
    s.StartMark = s.EndMark = s.BreakAfter = s.Underline = s.Italic = s.Bold = s.TableWrap = true;
    s.TableBorder = 1;
    return s;
}

SettingRecord smaller() {
    SettingRecord s = orange();
    s.SizeMode = 2;
    s.SizeSign = 1;
    return s;
}

// The same cases for every dialect; what changes is the expected markup.
struct Case {
    std::string name;
    std::function<SettingRecord()> setting;
    std::string text;
    bool merge, plain_blanks;
};
const Case kCases[] = {
    {"plain", [] { return plain(); }, "abc", false, false},
    {"styles", all_styles, "x", false, false},
    {"size", smaller, "x", false, false},
    {"merge", orange, "ab", true, false},
    {"blanks", [] { return plain(); }, "a b", true, true},
    {"hostile", orange, "[\xC2\xA7&<\"\\\r\n\x1B\xC2\x9B", true, false},
    {"clusters", [] { return plain(); }, "e\u0301\U0001F44D\U0001F3FD", false, false},
};

const std::map<Dialect, std::vector<std::string>> kExpected = {
    {Dialect::Html,
     {"<FONT COLOR=\"#0080AA\">a</FONT><FONT COLOR=\"#558055\">b</FONT><FONT COLOR=\"#AA8000\">c</FONT>\r\n",
      "<!--start 「x」-->\r\n<TABLE BORDER=1><TR VALIGN=\"MIDDLE\"><TD><CENTER><U><B><I><FONT COLOR=\"#FF8000\">x</FONT>"
      "</I></B></U></CENTER></TD></TR></TABLE><BR>\r\n<!--end font gradation-->\r\n",
      "<FONT COLOR=\"#FF8000\" SIZE=\"-1\">x</FONT>\r\n", "<FONT COLOR=\"#FF8000\">ab</FONT>\r\n",
      "<FONT COLOR=\"#0080AA\">a </FONT><FONT COLOR=\"#AA8000\">b</FONT>\r\n", "<FONT COLOR=\"#FF8000\">[§</FONT><FONT COLOR=\"#FF8000\">&</FONT><FONT COLOR=\"#FF8000\"><</FONT>"
      "<FONT COLOR=\"#FF8000\">\"\\\r\n\x1B\u009B</FONT>\r\n",
      "<FONT COLOR=\"#008080\">e\u0301</FONT><FONT COLOR=\"#808000\">\U0001F44D\U0001F3FD</FONT>\r\n"}},
    {Dialect::HtmlCss,
     {"<span style=\"color:#0080aa\">a</span><span style=\"color:#558055\">b</span>"
      "<span style=\"color:#aa8000\">c</span>\r\n",
      "<!--start 「x」-->\r\n<table border=1><tr valign=\"middle\"><td><center><u><b><i>"
      "<span style=\"color:#ff8000\">x</span></i></b></u></center></td></tr></table><br>\r\n"
      "<!--end font gradation-->\r\n",
      "<span style=\"color:#ff8000;font-size:small\">x</span>\r\n", "<span style=\"color:#ff8000\">ab</span>\r\n",
      "<span style=\"color:#0080aa\">a </span><span style=\"color:#aa8000\">b</span>\r\n",
      "<span style=\"color:#ff8000\">[§&amp;&lt;&quot;\\<br>\x1B\u009B</span>\r\n",
      "<span style=\"color:#008080\">e\u0301</span><span style=\"color:#808000\">\U0001F44D\U0001F3FD</span>\r\n"}},
    {Dialect::Bbcode,
     {"[color=#0080aa]a[/color][color=#558055]b[/color][color=#aa8000]c[/color]",
      "[u][b][i][color=#ff8000]x[/color][/i][/b][/u]\r\n", "[color=#ff8000][size=2]x[/size][/color]",
      "[color=#ff8000]ab[/color]", "[color=#0080aa]a [/color][color=#aa8000]b[/color]",
      "[color=#ff8000][[/color][color=#ff8000]§&<\"\\\r\n\x1B\u009B[/color]", "[color=#008080]e\u0301[/color][color=#808000]\U0001F44D\U0001F3FD[/color]"}},
    {Dialect::Minecraft,
     {"&#0080aaa&#558055b&#aa8000c", "&#ff8000&l&o&nx\r\n", "&#ff8000x", "&#ff8000ab", "&#0080aaa &#aa8000b",
      "&#ff8000[§&&#ff8000<\"\\\r\n\u241B\u241B[", "&#008080e\u0301&#808000\U0001F44D\U0001F3FD"}},
    {Dialect::MinecraftSection,
     {"§x§0§0§8§0§a§aa§x§5§5§8§0§5§5b§x§a§a§8§0§0§0c", "§x§f§f§8§0§0§0§l§o§nx\r\n", "§x§f§f§8§0§0§0x",
      "§x§f§f§8§0§0§0ab", "§x§0§0§8§0§a§aa §x§a§a§8§0§0§0b", "§x§f§f§8§0§0§0[§&§x§f§f§8§0§0§0<\"\\\r\n\u241B\u241B[",
      "§x§0§0§8§0§8§0e\u0301§x§8§0§8§0§0§0\U0001F44D\U0001F3FD"}},
    {Dialect::MiniMessage,
     {"<#0080aa>a<#558055>b<#aa8000>c", "<u><b><i><#ff8000>x</i></b></u>\r\n", "<#ff8000>x", "<#ff8000>ab",
      "<#0080aa>a <#aa8000>b", "<#ff8000>[§&\\<\"\\\\\r\n\u241B\u241B[", "<#008080>e\u0301<#808000>\U0001F44D\U0001F3FD"}},
    {Dialect::MinecraftJson,
     {R"([{"text":"a","color":"#0080aa"},{"text":"b","color":"#558055"},{"text":"c","color":"#aa8000"}])",
      R"([{"text":"x","color":"#ff8000","bold":true,"italic":true,"underlined":true},{"text":"\r\n"}])",
      R"([{"text":"x","color":"#ff8000"}])", R"([{"text":"ab","color":"#ff8000"}])",
      R"([{"text":"a ","color":"#0080aa"},{"text":"b","color":"#aa8000"}])",
      "[{\"text\":\"[§&<\\\"\\\\\\r\\n\\u001b\u009B\",\"color\":\"#ff8000\"}]",
      "[{\"text\":\"e\u0301\",\"color\":\"#008080\"},{\"text\":\"\U0001F44D\U0001F3FD\",\"color\":\"#808000\"}]"}},
    {Dialect::Ansi,
     {"\x1B[38;2;0;128;170ma\x1B[38;2;85;128;85mb\x1B[38;2;170;128;0mc\x1B[0m",
      "\x1B[1;3;4m\x1B[38;2;255;128;0mx\x1B[0m\r\n", "\x1B[38;2;255;128;0mx\x1B[0m",
      "\x1B[38;2;255;128;0mab\x1B[0m", "\x1B[38;2;0;128;170ma \x1B[38;2;170;128;0mb\x1B[0m",
      "\x1B[38;2;255;128;0m[§&<\"\\\r\n\u241B\u241B[\x1B[0m",
      "\x1B[38;2;0;128;128me\u0301\x1B[38;2;128;128;0m\U0001F44D\U0001F3FD\x1B[0m"}},
    // The nearest of the cube: 0080aa is (0, 135, 175), 558055 (95, 135, 95), aa8000 (175, 135, 0).
    {Dialect::Ansi256,
     {"\x1B[38;5;31ma\x1B[38;5;65mb\x1B[38;5;136mc\x1B[0m", "\x1B[1;3;4m\x1B[38;5;208mx\x1B[0m\r\n",
      "\x1B[38;5;208mx\x1B[0m", "\x1B[38;5;208mab\x1B[0m", "\x1B[38;5;31ma \x1B[38;5;136mb\x1B[0m",
      "\x1B[38;5;208m[§&<\"\\\r\n\u241B\u241B[\x1B[0m", "\x1B[38;5;30me\u0301\x1B[38;5;100m\U0001F44D\U0001F3FD\x1B[0m"}},
    // The nearest by OKLab: 0080aa is 10, 558055 30, aa8000 41, ff8000 07, 008080 34, 808000 30.
    {Dialect::Irc,
     {"\x03" "10a\x03" "30b\x03" "41c\x0F", "\x02\x1D\x1F\x03" "07x\x0F\r\n", "\x03" "07x\x0F", "\x03" "07ab\x0F",
      "\x03" "10a \x03" "41b\x0F", "\x03" "07[§&<\"\\\r\n\u241B\u241B[\x0F",
      "\x03" "34e\u0301\x03" "30\U0001F44D\U0001F3FD\x0F"}},
    // The nearest by OKLab: 0080aa is 34 (blue), 558055 and 008080 36 (cyan), aa8000 and ff8000 33
    // (yellow), 808000 32 (green).
    {Dialect::Discord,
     {"```ansi\n\x1B[34ma\x1B[36mb\x1B[33mc\x1B[0m```", "```ansi\n\x1B[1;4m\x1B[33mx\x1B[0m```\r\n",
      "```ansi\n\x1B[33mx\x1B[0m```", "```ansi\n\x1B[33mab\x1B[0m```", "```ansi\n\x1B[34ma \x1B[33mb\x1B[0m```",
      "```ansi\n\x1B[33m[§&<\"\\\r\n\u241B\u241B[\x1B[0m```",
      "```ansi\n\x1B[36me\u0301\x1B[32m\U0001F44D\U0001F3FD\x1B[0m```"}},
};

TEST(MarkupDialects, WorkedExamples) {
    for (const auto& [dialect, expected] : kExpected) {
        ASSERT_EQ(expected.size(), std::size(kCases));
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const Case& c = kCases[i];
            MarkupOptions o = default_options(dialect);
            o.merge = c.merge;
            o.plain_blanks = c.plain_blanks;
            EXPECT_EQ(u8(gradient_markup(u16(c.text), c.setting(), false, o)), expected[i])
                << dialect_info(dialect).name << ": " << c.name;
        }
    }
}

TEST(MarkupDialects, WhatEachLeavesOutAndWarnsAbout) {
    SettingRecord s = all_styles();
    s.SizeMode = 1;
    using F = Feature;
    EXPECT_EQ(features_left_out(Dialect::Html, s, true), std::vector<F>{});
    EXPECT_EQ(features_left_out(Dialect::HtmlCss, s, true), std::vector<F>{F::SeparateTags});
    EXPECT_EQ(features_left_out(Dialect::Bbcode, s, false), (std::vector<F>{F::Table, F::StartMark, F::EndMark}));
    EXPECT_EQ(features_left_out(Dialect::Ansi, s, false),
              (std::vector<F>{F::Size, F::Table, F::StartMark, F::EndMark}));
    using N = TextNote;
    EXPECT_EQ(text_notes(Dialect::Minecraft, u"&\u00A7&\x7F\u0085\t"),
              (std::vector<NoteCount>{{N::SectionSign, 1}, {N::Ampersand, 2}, {N::Controls, 2}}));
    EXPECT_EQ(text_notes(Dialect::MinecraftJson, u"&\u00A7\x1B"), (std::vector<NoteCount>{{N::SectionSign, 1}}));
    EXPECT_EQ(text_notes(Dialect::Ansi256, u"&\u00A7\x1B\r\n"), (std::vector<NoteCount>{{N::Controls, 1}}));
    EXPECT_EQ(text_notes(Dialect::HtmlCss, u"&\u00A7\x1B"), std::vector<NoteCount>{});
}

TEST(MarkupDialects, FittingALimit) {
    struct FitCase {
        Dialect dialect;
        std::string text;
        LengthLimit limit;
        std::string report, markup;
    };
    const FitCase cases[] = {
        {Dialect::Html, "ab", {62}, "as it is: 62 of 62", ""},
        {Dialect::Html, "ab", {61}, "merged: 33 of 61", "<FONT COLOR=\"#FF8000\">ab</FONT>\r\n"},
        {Dialect::Minecraft, "abcd", {36}, "merged, plain blanks: 36 of 36", ""},
        {Dialect::Minecraft, "abcd", {35}, "merged, plain blanks, 2 characters per colour: 20 of 35",
         "&#008080ab&#bf8000cd"},
        {Dialect::Minecraft, "abcd", {12}, "merged, plain blanks, 4 characters per colour: 12 of 12", "&#008080abcd"},
        {Dialect::Minecraft, "abcd", {11}, "cannot fit: the shortest markup is 12, over the limit of 11", ""},
        {Dialect::Minecraft, "\u00E9", {9}, "merged, plain blanks: 9 of 9", ""},
        {Dialect::Minecraft, "\u00E9", {9, LengthUnit::Utf8Bytes},
         "cannot fit: the shortest markup is 10 bytes, over the limit of 9 bytes", ""},
    };
    for (const FitCase& c : cases) {
        const SettingRecord s = c.text == "ab" ? orange() : plain({0, 128, 170}, {255, 128, 0});
        test::StringSink sink;
        const FitResult r = write_fitted_markup(u16(c.text), s, default_options(c.dialect), c.limit,
                                                [] { return false; }, [] { return false; }, sink);
        EXPECT_EQ(describe_fit(r), c.report) << c.text;
        if (!c.markup.empty() || r.outcome == FitResult::Outcome::TooLong) {
            EXPECT_EQ(u8(sink.markup), c.markup);
        }
    }
}

// The text as the dialect's reader shows it: "<br>" as a line break in html-css, control
// characters as symbols in the terminals and the game, where a "\u00A7" and the character
// after it do not show.
std::string shown(Dialect d, std::string_view text) {
    std::u16string pictured;
    for (const char16_t u : u16(text)) {
        if (!dialect_info(d).notes.controls || !is_acting_control(u)) pictured += u;
        else if (u < 0x20 || u == 0x7F) pictured += u == 0x7F ? u'\u2421' : static_cast<char16_t>(0x2400 + u);
        else pictured += {u'\u241B', static_cast<char16_t>(u - 0x40)};
    }
    const bool game = d == Dialect::Minecraft || d == Dialect::MinecraftSection;
    const char* hidden = game ? "\xC2\xA7([\x01-\x7F]|[\xC0-\xFF][\x80-\xBF]+)?" : "\r\n?|\n";
    if (!game && d != Dialect::HtmlCss) return u8(pictured);
    return std::regex_replace(u8(pictured), std::regex(hidden), game ? "" : "\n");
}

// Hostile texts in every dialect, unmerged, merged and fitted to a limit that forces
// coarser colours, with one colour and with a gradient: read back as the dialect's reader
// reads them, the text comes back whole and every colour is ours.
TEST(MarkupDialects, ATextIsOnlyEverText) {
    const char* const kTexts[] = {"\\<click:run_command:/op me>x", "a\\b", "ab\\", "<script>alert(1)</script>",
                                  "see [url=http://evil.example]here[/url] [/color][img]x[/img]", "[b]x[/b] [/color]y",
                                  "a \u00A7 b \u00A7z c \u00A7", "a\u00A7.b \u00A7&l", "hi\x1B]0;pwned\a\x1B[2J\x1B[31mred",
                                  "\a\b\x7F\u009B" "31m\t", "&amp; &lt; &l &#ff0000x", "one\r\ntwo\rthree\nfour\r",
                                  "\U0001F44D\U0001F3FD<\u0301&\u200D[\u0301 e\u0301 &",
                                  "1,2,,3 \x02\x03" "04,05x\x0F\x16\x1D\x1F\x11\x1E\x04" "ff0000y", "```js\nx``` ````y`"};
    auto no = [] { return false; };
    for (const char* text : kTexts) {
        for (const SettingRecord& s : {plain({200, 200, 200}, {200, 200, 200}), plain()}) {
            for (const DialectInfo& d : dialects()) {
                std::set<long> ours;
                for (const Colour& c : setting_colours(s, character_starts(u16(text)).size() - 1))
                    ours.insert(d.nearest ? test::kPalette + d.nearest(c) : long(colour_key(c)));
                std::size_t limit = kMaxTextUnits * 64;  // unmerged and merged as they are; then shorter than merged
                for (const int mode : {0, 1, 2}) {
                    MarkupOptions o = default_options(d.dialect);
                    o.merge = mode > 0;
                    test::StringSink sink;
                    const FitResult fit = write_fitted_markup(u16(text), s, o, {limit}, no, no, sink);
                    limit = mode == 1 ? fit.length - 1 : limit;
                    if (fit.outcome != FitResult::Outcome::Fitted) continue;
                    std::u16string m = sink.markup;
                    if (d.dialect <= Dialect::HtmlCss) m.resize(m.size() - 2);  // the markup's own line break
                    const test::Reading r = test::read_back(d.dialect, u8(m));
                    EXPECT_EQ(r.text, shown(d.dialect, text)) << d.name << ", mode " << mode << ": " << u8(m);
                    EXPECT_TRUE(std::includes(ours.begin(), ours.end(), r.colours.begin(), r.colours.end())) << u8(m);
                }
            }
        }
    }
}

}  // namespace
}  // namespace gradation

// The generator's unit is the character a reader sees (core/characters.h), and its
// markup can be streamed piece by piece to a sink.
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

// The contents of the colour tags, in order (the markup of the plain setting).
std::vector<std::string> tag_contents(std::string_view text) {
    const std::string m = markup(text, plain({0, 0, 0}, {0, 0, 0}));
    const std::string open = "<FONT COLOR=\"#000000\">";
    std::vector<std::string> out;
    for (std::size_t at = m.find(open); at != std::string::npos; at = m.find(open, at)) {
        at += open.size();
        const std::size_t end = m.find("</FONT>", at);
        out.push_back(m.substr(at, end - at));
    }
    return out;
}

TEST(GradientMarkup, EverythingCountsCharactersNotUnits) {
    // Twelve characters of two units each: colours, "V" breaks and cancel checks all
    // go by twelve (the size wave: below).
    std::string text;
    for (int i = 0; i < 12; ++i) text += "e\u0301";
    EXPECT_EQ(colours("e\u0301e\u0301e\u0301", plain()), colours("abc", plain()));
    SettingRecord vertical = plain();
    vertical.TableWrap = true;
    vertical.Direction = u'V';
    const std::string v = markup(text, vertical);
    std::size_t breaks = 0;
    for (auto at = v.find("<BR>"); at != std::string::npos; at = v.find("<BR>", at + 1)) ++breaks;
    EXPECT_EQ(breaks, 12u);
    int calls = 0;
    auto count = [&] { return ++calls, false; };
    auto joined = [] { return false; };
    ASSERT_TRUE(gradient_markup(u16(text), plain(), joined, count).has_value());
    EXPECT_EQ(calls, 24);
}

TEST(GradientMarkup, SizeWaveOverClusters) {
    SettingRecord s = plain();
    s.SizeMode = 1;
    s.SizeWave = true;
    s.WavePattern = 0;
    s.SizeValue = 5;
    std::string text;
    for (int i = 0; i < 12; ++i) text += "👍🏽";
    EXPECT_EQ(matches(markup(text, s), std::regex("SIZE=\"(-?[0-9]+)\"")),
              (std::vector<std::string>{"5", "4", "4", "3", "3", "2", "2", "3", "3", "4", "4", "5"}));
}

TEST(GradientMarkup, ALongClusterStaysWhole) {
    const std::string marks = [] {
        std::string m = "a";
        for (int i = 0; i < 300; ++i) m += "\u0301";
        return m;
    }();
    EXPECT_EQ(tag_contents(marks + "b"), (std::vector<std::string>{marks, "b"}));
}

// A sink that keeps every piece it is given.
class PieceSink final : public MarkupSink {
public:
    void append(std::u16string_view piece) override { pieces.emplace_back(piece); }
    std::u16string joined() const {
        std::u16string all;
        for (const auto& p : pieces) all += p;
        return all;
    }
    std::vector<std::u16string> pieces;
};

TEST(GradientMarkup, StreamsToASinkWhatItReturnsAsAString) {
    SettingRecord s = plain();
    s.StartMark = s.EndMark = s.TableWrap = s.Bold = true;
    s.SizeMode = 1;
    s.SizeValue = 3;
    const std::u16string text = u16("a-->ｶﾞ👍🏽\r\n");
    auto separate = [] { return true; };
    auto never = [] { return false; };
    PieceSink sink;
    ASSERT_TRUE(write_gradient_markup(text, s, separate, never, sink));
    EXPECT_EQ(sink.joined(), gradient_markup(text, s, true));
    EXPECT_GT(sink.pieces.size(), 6u);  // piece by piece, not one string at the end

    // Stopped in the first pass nothing is written; in the second, the run ends there.
    for (const int stop_at : {1, 9, 10, 18}) {  // nine characters
        int calls = 0;
        auto stop = [&] { return ++calls == stop_at; };
        PieceSink stopped;
        EXPECT_FALSE(write_gradient_markup(text, s, separate, stop, stopped));
        EXPECT_EQ(stopped.pieces.empty(), stop_at <= 9) << stop_at;
    }
}

}  // namespace
}  // namespace gradation

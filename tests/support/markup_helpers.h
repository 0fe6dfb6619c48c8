// Helpers shared by the generator's tests: a plain setting, markup as UTF-8, and the
// pieces of markup that a pattern picks out.
#pragma once

#include "core/markup/gradient_markup.h"
#include "support/test_text.h"

#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::test {

// No markers, no size, no table; horizontal; the given colours.
inline SettingRecord plain(Colour start = {0, 128, 255}, Colour end = {255, 128, 0}) {
    SettingRecord s;
    s.Direction = u'H';
    s.SizeValue = 1;
    s.StartColor = start;
    s.EndColor = end;
    return s;
}

inline std::string markup(std::string_view text, const SettingRecord& s, bool separate = false) {
    return u8(gradient_markup(u16(text), s, separate));
}

// Keeps what the generator writes.
struct StringSink final : MarkupSink {
    void append(std::u16string_view piece) override { markup += piece; }
    std::u16string markup;
};

// The first group of every match of `pattern` in `text`, in order.
inline std::vector<std::string> matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

// The colour texts of a run, in order.
inline std::vector<std::string> colours(std::string_view text, const SettingRecord& s) {
    return matches(markup(text, s), std::regex("COLOR=\"#([0-9A-F]{6})\""));
}

}  // namespace gradation::test

// The generator on any setting and text: one colour tag per character when it runs
// through, nothing at all when the cancel check stops it.
#include "core/gradient_markup.h"
#include "fuzz_input.h"

namespace {

std::size_t count(std::u16string_view haystack, std::u16string_view needle) {
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::u16string_view::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

std::size_t characters(std::u16string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++n) {
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    fuzz::Input in(data, size);
    SettingRecord s;
    s.StartMark = in.flag();
    s.EndMark = in.flag();
    s.BreakAfter = in.flag();
    s.Underline = in.flag();
    s.Italic = in.flag();
    s.Bold = in.flag();
    s.SizeMode = static_cast<std::int16_t>(in.byte() % 4 == 3 ? in.int16() : in.byte() % 3);
    s.SizeSign = static_cast<std::int16_t>(in.byte() % 4 == 3 ? in.int16() : in.byte() % 2);
    s.SizeValue = in.byte() % 2 ? in.int16() : static_cast<std::int16_t>(in.byte() % 9);
    s.TableWrap = in.flag();
    s.TableBorder = in.int16();
    s.Direction = in.flag() ? u'V' : static_cast<char16_t>(in.byte());
    s.SizeWave = in.flag();
    s.WavePattern = static_cast<std::int16_t>(in.byte() % 8 == 7 ? in.int16() : in.byte() % 4);
    for (auto& c : s.StartColor) c = in.byte() % 2 ? in.int16() : in.byte();
    for (auto& c : s.EndColor) c = in.byte() % 2 ? in.int16() : in.byte();
    const bool separate_at_start = in.flag();
    const std::uint16_t flip_at = static_cast<std::uint16_t>(in.int16());
    const std::uint16_t cancel_at = static_cast<std::uint16_t>(in.int16());
    const std::u16string text = in.rest_as_units(4000);
    if (text.empty()) return 0;

    const std::size_t n = characters(text);
    std::size_t separate_calls = 0;
    auto separate = [&] { return (++separate_calls >= flip_at) != separate_at_start; };
    std::size_t cancel_calls = 0;
    auto never = [&] { return ++cancel_calls, false; };
    const auto full = gradient_markup(text, s, separate, never);
    FUZZ_CHECK(full.has_value());
    FUZZ_CHECK(cancel_calls == 2 * n);
    FUZZ_CHECK(separate_calls == n);
    // Each character's own tag, plus any copies of the tag text inside the start marker.
    const std::u16string_view tag = u"<FONT COLOR=\"#";
    FUZZ_CHECK(count(*full, tag) == n + (s.StartMark ? count(text, tag) : 0));
    FUZZ_CHECK(full->ends_with(u"\r\n"));

    if (cancel_at > 0 && cancel_at <= 2 * n) {
        std::size_t calls = 0;
        auto stop = [&] { return ++calls == cancel_at; };
        FUZZ_CHECK(!gradient_markup(text, s, separate, stop).has_value());
        FUZZ_CHECK(calls == cancel_at);
    }
    return 0;
}

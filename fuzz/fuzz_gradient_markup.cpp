// The generator on any setting and text: one colour tag per character when it runs
// through, no tag boundary inside a character, nothing at all when the cancel check
// stops it.
#include "core/text/characters.h"
#include "core/markup/gradient_markup.h"
#include "core/markup/markup_fit.h"
#include "fuzz_input.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <set>

namespace {

using gradation::fuzz::Input;

std::size_t count(std::u16string_view haystack, std::u16string_view needle) {
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::u16string_view::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

// Units that make clusters interesting: marks, joiners, selectors, surrogate halves
// of emoji, flags and modifiers, Hangul jamo, prepend and spacing marks, CR, LF,
// half-width kana and sound marks, the characters of a comment's end, and what starts
// markup in some dialect: tags, escapes, codes and control characters.
constexpr char16_t kAlphabet[] = {
    u'a', u'\r', u'\n', 0x0301, 0x200D, 0xFE0F, 0x20E3, 0xFF76, 0xFF9E, 0xFF9F, 0xD83D, 0xDC4D, 0xDFFD, 0xD83C,
    0xDDEF, 0xDDF5, 0xDB40, 0xDD00, 0x1100, 0x1161, 0x11A8, 0xAC00, 0x0600, 0x0903, 0x2764, 0x304B, 0x3099,
    u'<', u'-', u'>', u'!', 0x0001, 0x00AD, u'1', u'[', u'/', u'&', u'\\', 0x00A7, 0x001B, 0x009B, 0x007F};

// The text: raw 16-bit units, or bytes picking units from the alphabet above.
std::u16string text_from(Input& in) {
    if (in.flag()) return in.rest_as_units(4000);
    std::u16string text;
    for (const char c : in.rest().substr(0, 4000))
        text.push_back(kAlphabet[static_cast<unsigned char>(c) % std::size(kAlphabet)]);
    return text;
}

char32_t code_point_before(std::u16string_view t, std::size_t p) {
    const char16_t last = t[p - 1];
    if (last >= 0xDC00 && last <= 0xDFFF && p >= 2 && t[p - 2] >= 0xD800 && t[p - 2] <= 0xDBFF)
        return 0x10000 + ((t[p - 2] - 0xD800u) << 10) + (last - 0xDC00u);
    return last;
}

char32_t code_point_at(std::u16string_view t, std::size_t p) {
    const char16_t first = t[p];
    if (first >= 0xD800 && first <= 0xDBFF && p + 1 < t.size() && t[p + 1] >= 0xDC00 && t[p + 1] <= 0xDFFF)
        return 0x10000 + ((first - 0xD800u) << 10) + (t[p + 1] - 0xDC00u);
    return first;
}

// The start marker's copy of the text: ">" after "--" or "--!" becomes "&gt;".
std::u16string comment_copy(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::u16string_view before = text.substr(0, i);
        const bool closes = text[i] == u'>' && (before.ends_with(u"--") || before.ends_with(u"--!"));
        out += closes ? std::u16string_view(u"&gt;") : text.substr(i, 1);
    }
    return out;
}

bool is_surrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

int cluster_class(char32_t cp) { return u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_GRAPHEME_CLUSTER_BREAK); }

// Where the generator put tag boundaries, read back from the markup: the content of
// every colour tag, in order. A character never holds "</", so its content ends at
// the next "</FONT>".
std::vector<std::size_t> tag_boundaries(std::u16string_view m, std::u16string_view text, std::size_t& end) {
    std::vector<std::size_t> bounds{0};
    std::size_t at = m.find(u"<FONT COLOR=\"#");
    std::size_t copied = 0;
    while (at != std::u16string_view::npos && copied < text.size()) {
        FUZZ_CHECK(bounds.size() <= text.size());
        at = m.find(u"\">", at) + 2;
        if (m.substr(at).starts_with(u"<FONT SIZE=\"")) at = m.find(u"\">", at) + 2;
        const std::size_t close = m.find(u"</FONT>", at);
        FUZZ_CHECK(close != std::u16string_view::npos);
        FUZZ_CHECK(m.substr(at, close - at) == text.substr(copied, close - at));
        copied += close - at;
        bounds.push_back(copied);
        at = m.find(u"<FONT COLOR=\"#", close);
    }
    end = copied;
    return bounds;
}

struct StringSink final : gradation::MarkupSink {
    void append(std::u16string_view piece) override { markup += piece; }
    std::u16string markup;
};

// The colour codes of a dialect's markup, in order, as 0xRRGGBB (the palette index for
// ansi-256, irc and discord). Only for texts that hold none of the markers.
std::vector<std::uint32_t> colours_read_back(gradation::Dialect d, std::u16string_view m) {
    using gradation::Dialect;
    static const std::u16string_view kMarkers[] = {u"COLOR=\"#", u"color:#",        u"[color=#",
                                                   u"&#",         u"\u00A7x",        u"<#",
                                                   u"\"color\":\"#", u"\x1B[38;2;", u"\x1B[38;5;",
                                                   u"\x03",      u"\x1B[3"};
    static_assert(std::size(kMarkers) == gradation::kDialectCount, "a marker for every dialect");
    const std::u16string_view marker = kMarkers[static_cast<int>(d)];
    std::vector<std::uint32_t> out;
    for (auto at = m.find(marker); at != std::u16string_view::npos; at = m.find(marker, at + 1)) {
        std::uint32_t v = 0, part = 0;
        std::size_t p = at + marker.size();
        if (d == Dialect::Irc) {  // always two digits
            out.push_back(std::uint32_t((m[p] - u'0') * 10 + (m[p + 1] - u'0')));
            continue;
        }
        if (d == Dialect::Ansi || d == Dialect::Ansi256 || d == Dialect::Discord) {  // decimals up to "m", channels after ";"
            for (; m[p] != u'm'; ++p) {
                if (m[p] == u';') v = v << 8 | part, part = 0;
                else part = part * 10 + (m[p] - u'0');
            }
            out.push_back(v << 8 | part);
            continue;
        }
        for (int digits = 0; digits < 6; ++p) {
            if (m[p] == u'\u00A7') continue;
            const char16_t c = m[p] | 0x20;
            v = v * 16 + static_cast<std::uint32_t>(c <= u'9' ? c - u'0' : c - u'a' + 10);
            ++digits;
        }
        out.push_back(v);
    }
    return out;
}

// Whether `at` starts with one of `pieces`, ASCII letters in either case.
bool starts_one_of(std::u16string_view at, std::initializer_list<std::u16string_view> pieces) {
    std::u16string lower(at.substr(0, 12));
    for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c | 0x20) : c;
    return std::any_of(pieces.begin(), pieces.end(), [&](std::u16string_view p) { return lower.starts_with(p); });
}

bool hex_digit(char16_t c) { return (c >= u'0' && c <= u'9') || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f'); }
bool tag_name_start(char16_t c) { return ((c | 0x20) >= u'a' && (c | 0x20) <= u'z') || c == u'/' || c == u'!' || c == u'?'; }

// The length of a colour code of ours at the start of `at` ("&#rrggbb", "§x§r§r§g§g§b§b",
// an SGR sequence), or 0.
std::size_t our_code(std::u16string_view at) {
    const bool amp = at.starts_with(u"&#"), section = at.starts_with(u"\u00A7x");
    for (std::size_t k = 0; (amp || section) && k < 6; ++k)
        if (at.size() <= (amp ? 2 + k : 3 + 2 * k) || !hex_digit(at[amp ? 2 + k : 3 + 2 * k])) return 0;
    if (amp || section) return amp ? 8 : 14;
    const std::size_t end = at.starts_with(u"\x1B[") ? at.find_first_not_of(u"0123456789;", 2) : 0;
    return end != 0 && end < at.size() && at[end] == u'm' ? end + 1 : 0;
}

// The length of an IRC code of ours at the start of `at`: "\x03" and two digits, or one
// of the formats and the reset; or 0.
std::size_t irc_code(std::u16string_view at) {
    if (at.starts_with(u'\x03'))
        return at.size() >= 3 && at[1] >= u'0' && at[1] <= u'9' && at[2] >= u'0' && at[2] <= u'9' ? 3 : 0;
    return !at.empty() && std::u16string_view(u"\x02\x0F\x1D\x1F").find(at[0]) != std::u16string_view::npos ? 1 : 0;
}

// A text is never markup: where the dialect's reader would start a tag, an escape, a
// code or a control sequence, the markup holds one of ours. `m` has no start marker.
void check_text_stays_text(gradation::Dialect d, std::u16string_view m) {
    using gradation::Dialect;
    const bool legacy = d == Dialect::Minecraft || d == Dialect::MinecraftSection;
    bool after_code = false;  // the formats of ours follow a colour code of ours
    for (std::size_t i = 0; i < m.size(); ++i) {
        const std::u16string_view at = m.substr(i);
        const char16_t next = i + 1 < m.size() ? m[i + 1] : u'\0';
        const std::size_t code = d == Dialect::Irc ? irc_code(at) : our_code(at);
        FUZZ_CHECK(!gradation::dialect_info(d).notes.controls || !gradation::is_acting_control(m[i]) || code > 0);
        if (d <= Dialect::HtmlCss && m[i] == u'<' && tag_name_start(next))
            FUZZ_CHECK(starts_one_of(at, {u"<font ", u"</font>", u"<span ", u"</span>", u"<br>", u"<b>", u"</b>", u"<i>",
                                          u"</i>", u"<u>", u"</u>", u"<table ", u"</table>", u"<tr ", u"</tr>", u"<td>",
                                          u"</td>", u"<center>", u"</center>", u"<!--end font"}));
        if (d <= Dialect::HtmlCss && m[i] == u'&')
            FUZZ_CHECK((!tag_name_start(next) && next != u'#') || starts_one_of(at, {u"&amp;", u"&lt;", u"&gt;", u"&quot;"}));
        if (d == Dialect::Bbcode && m[i] == u'[' && tag_name_start(next))
            FUZZ_CHECK(starts_one_of(at, {u"[color=#", u"[/color]", u"[size=", u"[/size]", u"[b]", u"[/b]", u"[i]",
                                          u"[/i]", u"[u]", u"[/u]"}));
        if (d == Dialect::Irc && code == 3) FUZZ_CHECK(at.size() == 3 || at[3] != u',');  // no background colour
        if (d == Dialect::Discord && at.starts_with(u"```"))  // only the block's own opening and closing
            FUZZ_CHECK(i == 0 || at == u"```" || at == u"```\r\n");
        if (d == Dialect::MiniMessage && m[i] == u'\\') FUZZ_CHECK(next == u'\\' || next == u'<');
        if (d == Dialect::MiniMessage && m[i] == u'<')
            FUZZ_CHECK(starts_one_of(at, {u"<#", u"<b>", u"</b>", u"<i>", u"</i>", u"<u>", u"</u>"}));
        if (d == Dialect::MiniMessage && m[i] == u'\\') ++i;  // the escaped unit
        if (!legacy) continue;
        if (code > 0) {
            i += code - 1;
            after_code = true;
        } else if (m[i] == u'\u00A7' || (m[i] == u'&' && (hex_digit(next) || tag_name_start(next)))) {
            // A text "§" takes the character after it; a code not ours follows nothing of ours.
            FUZZ_CHECK(m[i] == u'\u00A7' || (after_code && (next == u'l' || next == u'o' || next == u'n')));
            ++i;
        } else {
            after_code = false;
        }
    }
}

// Every dialect on the same text: each character's colour read back equals html's;
// merged runs never repeat their neighbour's colour (and size, where it is written);
// fitted markup never passes its limit, and what cannot fit writes nothing.
void check_dialects(const std::u16string& text, const gradation::SettingRecord& s, std::size_t n,
                    std::uint16_t limit, bool alphabet) {
    using namespace gradation;
    auto no = [] { return false; };
    const std::u16string html = gradient_markup(text, s, false, {});
    const std::vector<std::uint32_t> reference = colours_read_back(Dialect::Html, html);
    for (const DialectInfo& d : dialects()) {
        MarkupOptions o;
        o.dialect = d.dialect;
        if (alphabet && !s.StartMark) {
            std::vector<std::uint32_t> expected = reference;
            if (d.nearest)  // the palette index the row gives
                for (auto& c : expected) c = std::uint32_t(d.nearest({int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF)}));
            const std::vector<std::uint32_t> starts = character_starts(text);
            for (std::size_t i = n; d.dialect == Dialect::HtmlCss && i-- > 1;)  // an LF after a CR is in the CR's run
                if (text[starts[i]] == u'\n' && text[starts[i] - 1] == u'\r') expected.erase(expected.begin() + long(i));
            FUZZ_CHECK(colours_read_back(d.dialect, gradient_markup(text, s, false, o)) == expected);
            o.merge = true;
            const std::vector<std::uint32_t> merged = colours_read_back(d.dialect, gradient_markup(text, s, false, o));
            const bool sizes_vary = s.SizeMode > 0 && s.SizeMode != 2 && s.SizeWave && (d.writes & feature_bit(Feature::Size));
            const bool lone_lt = d.dialect == Dialect::Html && text.find(u'<') != std::u16string::npos;  // its own run
            if (!sizes_vary && !lone_lt)
                for (std::size_t i = 1; i < merged.size(); ++i) FUZZ_CHECK(merged[i] != merged[i - 1]);
            FUZZ_CHECK(merged.size() <= n);
        }
        for (const bool merge : {false, true}) {
            o.merge = merge;
            if (!s.StartMark) check_text_stays_text(d.dialect, gradient_markup(text, s, false, o));
        }
        for (const LengthUnit unit : {LengthUnit::Utf16Units, LengthUnit::Utf8Bytes}) {
            StringSink sink;
            const FitResult r = write_fitted_markup(text, s, default_options(d.dialect), {limit, unit}, no, no, sink);
            FUZZ_CHECK(r.outcome != FitResult::Outcome::Cancelled);
            if (r.outcome == FitResult::Outcome::TooLong) {
                FUZZ_CHECK(sink.markup.empty() && r.length > limit);
            } else {
                FUZZ_CHECK(markup_length(sink.markup, unit) == r.length && r.length <= limit);
                if (!s.StartMark) check_text_stays_text(d.dialect, sink.markup);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    Input in(data, size);
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
    for (Colour* colour : {&s.StartColor, &s.EndColor})
        for (std::int32_t* c : {&colour->red, &colour->green, &colour->blue}) *c = in.byte() % 2 ? in.int16() : in.byte();
    const bool separate_at_start = in.flag();
    const std::uint16_t flip_at = static_cast<std::uint16_t>(in.int16());
    const std::uint16_t cancel_at = static_cast<std::uint16_t>(in.int16());
    const std::uint16_t limit = static_cast<std::uint16_t>(in.int16());
    const std::u16string text = text_from(in);
    if (text.empty()) return 0;

    const std::vector<std::uint32_t> starts = character_starts(text);
    const std::size_t n = starts.size() - 1;
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

    // The tags hold the text, character by character, in order, and every tag
    // boundary is one that the cluster rules allow.
    const std::u16string prefix = s.StartMark ? u"<!--start \u300C" + comment_copy(text) + u"\u300D-->\r\n" : u"";
    FUZZ_CHECK(full->starts_with(prefix));
    std::size_t covered = 0;
    const std::vector<std::size_t> bounds = tag_boundaries(std::u16string_view(*full).substr(prefix.size()), text, covered);
    FUZZ_CHECK(covered == text.size());
    FUZZ_CHECK(std::equal(bounds.begin(), bounds.end(), starts.begin(), starts.end()));
    const std::set<std::size_t> at(bounds.begin(), bounds.end());
    for (std::size_t p = 1; p < text.size(); ++p) {
        const char16_t c = text[p];
        const bool bound = at.count(p) != 0;
        if (c == 0xFF9E || c == 0xFF9F || (c == u'\n' && text[p - 1] == u'\r')) FUZZ_CHECK(bound);
        if (!bound) continue;
        FUZZ_CHECK(!(text[p - 1] >= 0xD800 && text[p - 1] <= 0xDBFF && c >= 0xDC00 && c <= 0xDFFF));
        // Marks and joiners stay with what they follow, and a prepended mark with what
        // follows it, except at a control, a sound mark or a lone surrogate.
        const char32_t next = code_point_at(text, p);
        const char32_t last = code_point_before(text, p);
        const bool forced = c == 0xFF9E || c == 0xFF9F || is_surrogate(next) || is_surrogate(last);
        const int after = cluster_class(next);
        const int before = cluster_class(last);
        if (after == U_GCB_EXTEND || after == U_GCB_ZWJ || after == U_GCB_SPACING_MARK)
            FUZZ_CHECK(before == U_GCB_CONTROL || before == U_GCB_CR || before == U_GCB_LF || forced);
        if (before == U_GCB_PREPEND)
            FUZZ_CHECK(after == U_GCB_CONTROL || after == U_GCB_CR || after == U_GCB_LF || forced);
    }

    const bool plain_alphabet = std::none_of(text.begin(), text.end(), [](char16_t c) {
        return c == u'#' || c == u'&' || c == u'[' || c == u'"' || c == u':' || c == 0x1B || c == 0xA7;
    });
    check_dialects(text, s, n, limit, plain_alphabet);

    if (cancel_at > 0 && cancel_at <= 2 * n) {
        std::size_t calls = 0;
        auto stop = [&] { return ++calls == cancel_at; };
        FUZZ_CHECK(!gradient_markup(text, s, separate, stop).has_value());
        FUZZ_CHECK(calls == cancel_at);
    }
    return 0;
}

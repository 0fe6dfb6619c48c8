// A text backend without ICU, for the tests: extended grapheme clusters by Unicode's
// UAX #29 rules over a table generated from Unicode's own data files, and Windows-31J
// through the C library's iconv. Linked in place of ICU's, it shows that nothing above
// the text library depends on ICU.
#include "core/text/text_backend.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace gradation::text_backend {
namespace {

enum class Class {
    Other, CR, LF, Control, Extend, ZWJ, RegionalIndicator, Prepend, SpacingMark, L, V, T, LV, LVT,
    ExtendedPictographic
};

struct Range {
    char32_t first, last;
    Class cls;
};

constexpr Range kRanges[] = {
#include "core/text/grapheme_table.inc"
};

Class class_of(char32_t cp) {
    const auto* it = std::upper_bound(std::begin(kRanges), std::end(kRanges), cp,
                                      [](char32_t c, const Range& r) { return c < r.first; });
    if (it == std::begin(kRanges) || cp > (it - 1)->last) return Class::Other;
    return (it - 1)->cls;
}

bool any_of(Class c, std::initializer_list<Class> set) { return std::find(set.begin(), set.end(), c) != set.end(); }

// What the rules remember of the text before a boundary: whether an emoji, its
// extenders and a ZWJ came last (GB11), and how many regional indicators run (GB12/13).
struct Context {
    bool emoji_then_extends = false;
    bool emoji_zwj = false;
    int regional_run = 0;
};

// Whether a cluster boundary lies between `before` and `after` (rules GB3 to GB999).
bool breaks(Class before, Class after, const Context& seen) {
    using C = Class;
    if (before == C::CR && after == C::LF) return false;                        // GB3
    if (any_of(before, {C::Control, C::CR, C::LF})) return true;                // GB4
    if (any_of(after, {C::Control, C::CR, C::LF})) return true;                 // GB5
    if (before == C::L && any_of(after, {C::L, C::V, C::LV, C::LVT})) return false;  // GB6
    if (any_of(before, {C::LV, C::V}) && any_of(after, {C::V, C::T})) return false;  // GB7
    if (any_of(before, {C::LVT, C::T}) && after == C::T) return false;          // GB8
    if (any_of(after, {C::Extend, C::ZWJ, C::SpacingMark})) return false;       // GB9, GB9a
    if (before == C::Prepend) return false;                                     // GB9b
    if (seen.emoji_zwj && after == C::ExtendedPictographic) return false;       // GB11
    if (before == C::RegionalIndicator && after == C::RegionalIndicator)        // GB12, GB13
        return seen.regional_run % 2 == 0;
    return true;                                                                // GB999
}

void remember(Class c, Context& seen) {
    seen.emoji_zwj = seen.emoji_then_extends && c == Class::ZWJ;
    if (c == Class::ExtendedPictographic) seen.emoji_then_extends = true;
    else if (c != Class::Extend) seen.emoji_then_extends = false;
    seen.regional_run = c == Class::RegionalIndicator ? seen.regional_run + 1 : 0;
}

char32_t code_point_at(std::u16string_view text, std::size_t i, std::size_t& units) {
    const char16_t c = text[i];
    units = 1;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        units = 2;
        return 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
    }
    return c;
}

// Converts `in` with iconv from one encoding to another; nothing when a byte does not convert.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input(in), out(in.size() * 4 + 8, '\0');
    char* src = input.data();
    char* dst = out.data();
    std::size_t src_left = input.size(), dst_left = out.size();
    const std::size_t done = iconv(cd, &src, &src_left, &dst, &dst_left);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
}

std::u16string from_utf16le(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

}  // namespace

void append_cluster_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts) {
    Context seen;
    Class before = Class::Other;
    for (std::size_t i = 0, units = 0; i < piece.size(); i += units) {
        const Class now = class_of(code_point_at(piece, i, units));
        if (i == 0 || breaks(before, now, seen)) starts.push_back(static_cast<std::uint32_t>(offset + i));
        remember(now, seen);
        before = now;
    }
}

// Double-byte characters one at a time, so that one that does not convert becomes one
// U+FFFD and the rest still decode.
std::optional<std::u16string> decode_windows_31j_run(std::string_view run) {
    std::u16string out;
    for (std::size_t i = 0; i < run.size();) {
        const auto b = static_cast<unsigned char>(run[i]);
        const std::size_t width = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < run.size() ? 2 : 1;
        const std::optional<std::string> utf16 = convert("UTF-16LE", "WINDOWS-31J", run.substr(i, width));
        out += utf16 ? from_utf16le(*utf16) : std::u16string(1, u'\uFFFD');
        i += width;
    }
    return out;
}

std::optional<std::string> encode_windows_31j(std::u16string_view code_point) {
    std::string utf16le;
    for (const char16_t u : code_point) {
        utf16le.push_back(static_cast<char>(u & 0xFF));
        utf16le.push_back(static_cast<char>(u >> 8));
    }
    return convert("WINDOWS-31J", "UTF-16LE", utf16le);
}

}  // namespace gradation::text_backend

// The text backend of the page: the browser's own Unicode, reached from WebAssembly.
// Grapheme clusters come from Intl.Segmenter; Windows-31J from TextDecoder("shift_jis"),
// read once into a table that also gives the way back for saving a Shift-JIS QX.ini.
#include "core/text/text_backend.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <unordered_map>

// Writes where each grapheme cluster of the `n` units at `units` starts into `starts`
// (room for n) and returns how many; -1 when the browser has no Intl.Segmenter.
EM_JS(int, browser_cluster_starts, (const char16_t* units, int n, std::uint32_t* starts), {
    if (typeof Intl === "undefined" || !Intl.Segmenter) return -1;
    Module.graphemes = Module.graphemes || new Intl.Segmenter(undefined, {granularity: "grapheme"});
    Module.utf16 = Module.utf16 || new TextDecoder("utf-16le");
    const text = Module.utf16.decode(HEAPU8.subarray(units, units + 2 * n));
    let count = 0;
    for (const segment of Module.graphemes.segment(text)) HEAPU32[(starts >> 2) + count++] = segment.index;
    return count;
});

// Fills `table` (65,536 units: byte b at b, a lead and trail byte at lead * 256 + trail)
// with what TextDecoder("shift_jis") makes of each single byte from 0x80 and each pair,
// U+FFFD where that is no character. False when the browser has no such decoder.
EM_JS(bool, browser_windows_31j_table, (std::uint16_t* table), {
    let decoder;
    try { decoder = new TextDecoder("shift_jis"); } catch (e) { return false; }
    const codes = [];
    for (let b = 0x80; b <= 0xFF; ++b) codes.push(b);
    const lead = (b) => (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    for (let l = 0x81; l <= 0xFC; ++l)
        for (let t = 0x40; lead(l) && t <= 0xFC; ++t)
            if (t !== 0x7F) codes.push(l * 256 + t);
    // One call for all of them, each followed by a line feed that no pair takes as its own.
    const bytes = [];
    for (const c of codes) c > 0xFF ? bytes.push(c >> 8, c & 0xFF, 10) : bytes.push(c, 10);
    const pieces = decoder.decode(new Uint8Array(bytes)).split("\n");
    codes.forEach((c, i) => { HEAPU16[(table >> 1) + c] = pieces[i].length === 1 ? pieces[i].charCodeAt(0) : 0xFFFD; });
    return true;
});

namespace gradation::text_backend {
namespace {

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The decoder's table, read on first use; empty when the browser has no decoder.
const std::vector<std::uint16_t>& windows_31j_table() {
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> t(0x10000, 0xFFFD);
        return browser_windows_31j_table(t.data()) ? t : std::vector<std::uint16_t>();
    }();
    return table;
}

// Each character's bytes, as Windows writes them: the lowest pair that decodes to it,
// leaving out the rows 0xED and 0xEE (IBM's characters as NEC placed them), which
// Windows reads but writes at 0xFA to 0xFC.
const std::unordered_map<char16_t, std::uint16_t>& windows_31j_bytes() {
    static const std::unordered_map<char16_t, std::uint16_t> bytes = [] {
        std::unordered_map<char16_t, std::uint16_t> map;
        const std::vector<std::uint16_t>& table = windows_31j_table();
        for (std::uint32_t code = 0x80; code < table.size(); ++code) {
            const bool pair = code > 0xFF;
            if (pair && (!is_lead_byte(static_cast<unsigned char>(code >> 8)) || code >> 8 == 0xED || code >> 8 == 0xEE))
                continue;
            if (!pair && is_lead_byte(static_cast<unsigned char>(code))) continue;
            if (table[code] != 0xFFFD) map.emplace(static_cast<char16_t>(table[code]), static_cast<std::uint16_t>(code));
        }
        return map;
    }();
    return bytes;
}

}  // namespace

void append_cluster_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts) {
    std::vector<std::uint32_t> found(piece.size());
    const int count = browser_cluster_starts(piece.data(), static_cast<int>(piece.size()), found.data());
    if (count < 0) {  // code points, without a segmenter: a surrogate pair stays whole
        for (std::size_t i = 0; i < piece.size(); ++i) {
            starts.push_back(static_cast<std::uint32_t>(offset + i));
            if (piece[i] >= 0xD800 && piece[i] <= 0xDBFF && i + 1 < piece.size()) ++i;
        }
        return;
    }
    for (int i = 0; i < count; ++i) starts.push_back(static_cast<std::uint32_t>(offset + found[static_cast<std::size_t>(i)]));
}

std::optional<std::u16string> decode_windows_31j_run(std::string_view run) {
    const std::vector<std::uint16_t>& table = windows_31j_table();
    if (table.empty()) return std::nullopt;
    std::u16string out;
    for (std::size_t i = 0; i < run.size(); ++i) {
        std::uint32_t code = static_cast<unsigned char>(run[i]);
        if (is_lead_byte(static_cast<unsigned char>(code)) && i + 1 < run.size())
            code = code << 8 | static_cast<unsigned char>(run[++i]);
        out.push_back(static_cast<char16_t>(table[code]));
    }
    return out;
}

std::optional<std::string> encode_windows_31j(std::u16string_view code_point) {
    if (code_point.size() != 1) return std::nullopt;  // Windows-31J has nothing beyond the BMP
    const auto& bytes = windows_31j_bytes();
    const auto found = bytes.find(code_point[0]);
    if (found == bytes.end()) return std::nullopt;
    const std::uint16_t code = found->second;
    return code > 0xFF ? std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}
                       : std::string(1, static_cast<char>(code));
}

}  // namespace gradation::text_backend

#include "core/setting_line/setting_value_encoding.h"

#include "core/text/utf8.h"
#include "core/text/windows_31j.h"

#include <cstdio>

namespace gradation {
namespace {

bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point at text[i] (a surrogate pair counts as one) and its length in units.
std::u16string_view character_at(std::u16string_view text, std::size_t i) {
    const bool pair = is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1]);
    return text.substr(i, pair ? 2 : 1);
}

char32_t code_point(std::u16string_view character) {
    if (character.size() == 2)
        return 0x10000 + ((static_cast<char32_t>(character[0]) - 0xD800) << 10) + (character[1] - 0xDC00u);
    return character[0];
}

}  // namespace

std::string encoding_name(ValueEncoding encoding) {
    return encoding == ValueEncoding::Utf8 ? "UTF-8" : "Windows-31J (Shift-JIS)";
}

std::string describe_character(std::u16string_view character) {
    const char32_t cp = code_point(character);
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(cp));
    const bool prints = cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp < 0xA0) && !(cp >= 0xD800 && cp <= 0xDFFF);
    return prints ? "'" + utf16_to_utf8(character) + "' (" + number + ")" : std::string(number);
}

Result<std::string> encode_value(std::u16string_view text, ValueEncoding encoding) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
        const std::u16string_view character = character_at(text, i);
        i += character.size();
        const auto refused = [&] {
            return refuse(RefusalCode::CharacterUnencodable, {describe_character(character), encoding_name(encoding)});
        };
        if (character.size() == 1 && (is_high_surrogate(character[0]) || is_low_surrogate(character[0])))
            return refused();  // a lone surrogate is no character in either encoding
        if (encoding == ValueEncoding::Utf8) {
            bytes += utf16_to_utf8(character);
        } else if (const auto encoded = encode_windows_31j_character(character)) {
            bytes += *encoded;
        } else {
            return refused();
        }
    }
    return bytes;
}

}  // namespace gradation

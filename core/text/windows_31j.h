// Windows-31J (Shift-JIS as Windows writes it, with its vendor rows), both ways, through
// the text backend (ICU's "windows-31j" converter in the programs).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gradation {

// Bytes below 0x80 outside a pair are ASCII; bytes that are no character, and a lead
// byte without its second byte, become U+FFFD.
std::u16string decode_windows_31j(std::string_view bytes);

// The bytes of one code point (`text` holds exactly one: a unit or a surrogate pair),
// or nothing when Windows-31J has no character that decodes back to it.
std::optional<std::string> encode_windows_31j_character(std::u16string_view character);

}  // namespace gradation

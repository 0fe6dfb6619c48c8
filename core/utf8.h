// UTF-8 <-> UTF-16 for the command-line front end and the tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gradation {

// The UTF-16 form of valid UTF-8, or nothing when the bytes are not valid UTF-8
// (overlong forms, surrogates and values past U+10FFFF are invalid).
std::optional<std::u16string> utf8_to_utf16(std::string_view bytes);

// The UTF-16 form of any bytes: what is not valid UTF-8 becomes U+FFFD (one for a
// broken sequence, one for each stray byte).
std::u16string utf8_to_utf16_replacing(std::string_view bytes);

bool is_valid_utf8(std::string_view bytes);

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

}  // namespace gradation

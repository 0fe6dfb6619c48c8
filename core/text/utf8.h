// UTF-8 <-> UTF-16 for the command-line converter and the tests.
#pragma once

#include <cstddef>
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

// UTF-16 to UTF-8 piece by piece: a surrogate pair split between two pieces stays
// whole; a lone surrogate becomes U+FFFD.
class Utf8Encoder {
public:
    // Room `encode` may need: 3 bytes for each unit, and 3 for a surrogate left over.
    static constexpr std::size_t room_for(std::size_t units) { return 3 * units + 3; }

    // Writes the UTF-8 of `units` from `to` on; yields the end of what was written.
    char* encode(std::u16string_view units, char* to);
    // Ends the text: a high surrogate still waiting for its pair becomes U+FFFD.
    char* finish(char* to);

private:
    char16_t pending_high_ = 0;
};

}  // namespace gradation

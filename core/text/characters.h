// Characters as a reader sees them: extended grapheme clusters, with the two
// exceptions the markup format relies on.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace gradation {

// Where each character of `text` starts, in 16-bit units, followed by text.size().
// A character is an extended grapheme cluster (Unicode UAX #29, from the text backend),
// except that CR and LF are always characters of their own (CR LF is two) and a
// half-width katakana sound mark (U+FF9E, U+FF9F) starts a character of its own.
// A lone surrogate is one character.
std::vector<std::uint32_t> character_starts(std::u16string_view text);

// True for a unit in the common ranges (ASCII and Latin letters, kana, CJK ideographs,
// full-width forms) whose code points all have the grapheme cluster class Other:
// between two such units a character always ends, with no need to ask the backend.
bool is_plain_unit(char16_t c);

}  // namespace gradation

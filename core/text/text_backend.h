// The seam between the text library and a Unicode library: the two things the core
// takes from one. The native programs link ICU's (icu/); the tests can link one
// without ICU (without_icu/) to show that nothing above the seam needs ICU; the
// browser build links the browser's own (Intl.Segmenter, TextDecoder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::text_backend {

// Appends where each extended grapheme cluster (Unicode UAX #29) of `piece` starts,
// plus `offset`. `piece` holds no lone surrogate.
void append_cluster_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts);

// Decodes Windows-31J bytes that are double-byte characters and single bytes from 0x80
// up (never ASCII); a byte or pair that is no character becomes U+FFFD. Empty when no
// decoder is available, which the caller then shows as U+FFFD for each byte.
std::optional<std::u16string> decode_windows_31j_run(std::string_view run);

// The Windows-31J bytes of one code point beyond ASCII, or nothing when it has none.
// The caller keeps only bytes that decode back to the same code point.
std::optional<std::string> encode_windows_31j(std::u16string_view code_point);

}  // namespace gradation::text_backend

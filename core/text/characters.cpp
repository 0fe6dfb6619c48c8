#include "core/text/characters.h"

#include "core/text/text_backend.h"

namespace gradation {
namespace {

bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool lone_surrogate_at(std::u16string_view text, std::size_t i) {
    if (is_high_surrogate(text[i])) return i + 1 == text.size() || !is_low_surrogate(text[i + 1]);
    if (is_low_surrogate(text[i])) return i == 0 || !is_high_surrogate(text[i - 1]);
    return false;
}

// A character starts here whatever the cluster rules say: the LF of a CR LF pair; a
// half-width sound mark, which the rules would join to the kana before it; a lone
// surrogate and what follows it, which the cluster rules would join to marks around it.
bool forced_start(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    return c == 0xFF9E || c == 0xFF9F || (c == u'\n' && text[i - 1] == u'\r') || lone_surrogate_at(text, i) ||
           lone_surrogate_at(text, i - 1);
}

// Between two plain units a character ends; each side is then segmented on its own,
// which is exact because no cluster rule looks back across a unit of class Other.
bool plain_pair(std::u16string_view text, std::size_t i) { return is_plain_unit(text[i - 1]) && is_plain_unit(text[i]); }

// The cluster starts of one piece between forced starts. Each piece is segmented
// on its own, so a sound mark is also not joined to what precedes it by a rule
// that looks back (emoji ZWJ sequences, regional indicator pairs).
void cluster_starts(std::u16string_view piece, std::size_t offset, std::vector<std::uint32_t>& starts) {
    if (piece.size() == 1) {  // one unit is one character
        starts.push_back(static_cast<std::uint32_t>(offset));
        return;
    }
    text_backend::append_cluster_starts(piece, offset, starts);
}

}  // namespace

bool is_plain_unit(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x300 && c != 0xAD) || (c >= 0x3000 && c <= 0x3029) ||
           (c >= 0x3041 && c <= 0x3096) || (c >= 0x309B && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xFF01 && c <= 0xFF9D);
}

std::vector<std::uint32_t> character_starts(std::u16string_view text) {
    std::vector<std::uint32_t> starts;
    starts.reserve(text.size() + 1);
    std::size_t piece_start = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!plain_pair(text, i) && !forced_start(text, i)) continue;
        cluster_starts(text.substr(piece_start, i - piece_start), piece_start, starts);
        piece_start = i;
    }
    if (piece_start < text.size())
        cluster_starts(text.substr(piece_start), piece_start, starts);
    starts.push_back(static_cast<std::uint32_t>(text.size()));
    return starts;
}

}  // namespace gradation

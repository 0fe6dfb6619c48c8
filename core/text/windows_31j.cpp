#include "core/text/windows_31j.h"

#include "core/text/text_backend.h"

namespace gradation {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool is_trail_byte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// A run of double-byte characters and single bytes from 0x80 up, through the decoder.
void append_non_ascii_run(std::u16string& out, std::string_view run) {
    if (run.empty()) return;
    const std::optional<std::u16string> decoded = text_backend::decode_windows_31j_run(run);
    if (!decoded) {
        out.append(run.size(), kReplacement);
        return;
    }
    for (const char16_t c : *decoded) out.push_back(c == 0x1A ? kReplacement : c);
}

}  // namespace

// Bytes below 0x80 are written here directly, since some decoders' IBM tables swap
// control codes (0x1A, 0x1C, 0x7F).
std::u16string decode_windows_31j(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t run_start = 0;
    std::size_t i = 0;
    const auto flush = [&] { append_non_ascii_run(out, bytes.substr(run_start, i - run_start)); };
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool pair = is_lead_byte(b) && i + 1 < bytes.size() &&
                          is_trail_byte(static_cast<unsigned char>(bytes[i + 1]));
        if (pair) {
            i += 2;
        } else if (b >= 0x80 && !is_lead_byte(b)) {
            ++i;
        } else {
            flush();
            out.push_back(b < 0x80 ? static_cast<char16_t>(b) : kReplacement);
            run_start = ++i;
        }
    }
    flush();
    return out;
}

std::optional<std::string> encode_windows_31j_character(std::u16string_view character) {
    if (character.empty()) return std::nullopt;
    if (character.size() == 1 && character[0] < 0x80) return std::string(1, static_cast<char>(character[0]));
    const std::optional<std::string> encoded = text_backend::encode_windows_31j(character);
    // A fallback mapping (U+00A5 to the backslash byte, say) would read back as another
    // character: only what decodes back to itself counts.
    if (!encoded || encoded->empty() || decode_windows_31j(*encoded) != character) return std::nullopt;
    return encoded;
}

}  // namespace gradation

#include "core/text/windows_31j.h"

#include <unicode/ucnv.h>

#include <memory>

namespace gradation {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool is_trail_byte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// ICU's "windows-31j": Shift-JIS with the Windows vendor rows (circled digits, ㈱).
// Opened once per call; the converter keeps no state between values.
std::unique_ptr<UConverter, ConverterCloser> open_windows_31j() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) return nullptr;
    // What cannot be mapped becomes U+FFFD, not the converter's own substitute U+001A.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    return converter;
}

// A run of double-byte characters and single bytes from 0x80 up, through the codec.
void append_non_ascii_run(std::u16string& out, std::string_view run, UConverter* converter) {
    if (run.empty()) return;
    if (converter == nullptr) {  // no such converter in this ICU
        out.append(run.size(), kReplacement);
        return;
    }
    std::u16string decoded(run.size() * 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int32_t length = ucnv_toUChars(converter, decoded.data(), static_cast<int32_t>(decoded.size()),
                                         run.data(), static_cast<int32_t>(run.size()), &status);
    if (U_FAILURE(status)) {
        out.append(run.size(), kReplacement);
        return;
    }
    decoded.resize(static_cast<std::size_t>(length));
    for (const char16_t c : decoded) out.push_back(c == 0x1A ? kReplacement : c);
}

}  // namespace

// Bytes below 0x80 are written here directly, since the codec's IBM tables swap some
// control codes (0x1A, 0x1C, 0x7F).
std::u16string decode_windows_31j(std::string_view bytes) {
    const auto converter = open_windows_31j();
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t run_start = 0;
    std::size_t i = 0;
    const auto flush = [&] { append_non_ascii_run(out, bytes.substr(run_start, i - run_start), converter.get()); };
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
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) return std::nullopt;
    // Stop at anything without a mapping rather than writing the converter's substitute.
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    char bytes[8];
    const int32_t length = ucnv_fromUChars(converter.get(), bytes, sizeof bytes, character.data(),
                                           static_cast<int32_t>(character.size()), &status);
    if (U_FAILURE(status) || length <= 0) return std::nullopt;
    std::string encoded(bytes, static_cast<std::size_t>(length));
    // A fallback mapping (U+00A5 to the backslash byte, say) would read back as another
    // character: only what decodes back to itself counts.
    if (decode_windows_31j(encoded) != character) return std::nullopt;
    return encoded;
}

}  // namespace gradation

#include "core/text/utf8.h"

#include <cstdint>

namespace gradation {
namespace {

// Decodes one code point at bytes[i], advancing i; -1 when invalid.
long decode_one(std::string_view bytes, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra;
    long cp;
    long min;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes.size()) return -1;
    for (int k = 1; k <= extra; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

// Appends code point `cp` as one unit, or as a surrogate pair above U+FFFF.
void append_utf16(std::u16string& out, long cp) {
    if (cp >= 0x10000) {
        const long v = cp - 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

}  // namespace

std::optional<std::u16string> utf8_to_utf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const long cp = decode_one(bytes, i);
        if (cp < 0) return std::nullopt;
        append_utf16(out, cp);
    }
    return out;
}

std::u16string utf8_to_utf16_replacing(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t start = i;
        const long cp = decode_one(bytes, i);
        if (cp < 0) {
            // One U+FFFD for a lead byte and the continuation bytes that follow it
            // (a sequence cut short or overlong); one for each stray byte.
            const auto b0 = static_cast<unsigned char>(bytes[start]);
            const std::size_t extra = b0 >= 0xC2 && b0 <= 0xDF ? 1 : b0 >= 0xE0 && b0 <= 0xEF ? 2 : b0 >= 0xF0 && b0 <= 0xF4 ? 3 : 0;
            i = start + 1;
            for (std::size_t k = 0; k < extra && i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80; ++k) ++i;
            out.push_back(u'\uFFFD');
        } else {
            append_utf16(out, cp);
        }
    }
    return out;
}

bool is_valid_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (decode_one(bytes, i) < 0) return false;
    }
    return true;
}

namespace {

char* put_code_point(char32_t cp, char* to) {
    if (cp < 0x80) {
        *to++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *to++ = static_cast<char>(0xC0 | (cp >> 6));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *to++ = static_cast<char>(0xE0 | (cp >> 12));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *to++ = static_cast<char>(0xF0 | (cp >> 18));
        *to++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return to;
}

}  // namespace

char* Utf8Encoder::encode(std::u16string_view units, char* to) {
    for (const char16_t u : units) {
        if (u < 0x80 && pending_high_ == 0) {
            *to++ = static_cast<char>(u);
        } else if (u >= 0xDC00 && u <= 0xDFFF && pending_high_ != 0) {
            to = put_code_point(0x10000 + ((pending_high_ - 0xD800u) << 10) + (u - 0xDC00u), to);
            pending_high_ = 0;
        } else {
            to = finish(to);
            if (u >= 0xD800 && u <= 0xDBFF) {
                pending_high_ = u;
            } else {
                to = put_code_point(u >= 0xDC00 && u <= 0xDFFF ? 0xFFFD : u, to);
            }
        }
    }
    return to;
}

char* Utf8Encoder::finish(char* to) {
    if (pending_high_ == 0) return to;
    pending_high_ = 0;
    return put_code_point(0xFFFD, to);
}

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out(Utf8Encoder::room_for(text.size()), '\0');
    Utf8Encoder encoder;
    char* end = encoder.finish(encoder.encode(text, out.data()));
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

}  // namespace gradation

#include "core/text/number_text.h"

#include <algorithm>
#include <cstdint>

namespace gradation {
namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

Result<std::int16_t> read_number16(std::u16string_view s, Rounding rounding) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && is_blank(s[i])) ++i;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';

    // Whole part, saturated well above the 16-bit range so it cannot overflow.
    constexpr std::int64_t kSaturate = 1'000'000;
    std::int64_t whole = 0;
    const std::size_t whole_start = i;
    while (i < n && is_digit(s[i])) {
        whole = std::min<std::int64_t>(whole * 10 + (s[i] - u'0'), kSaturate);
        ++i;
    }
    if (i == whole_start) return refuse(RefusalCode::NotANumber);

    // Fraction, compared with one half: below, exactly, or above.
    int versus_half = -1;  // no fraction counts as below a half (and as zero)
    bool fraction_nonzero = false;
    if (i < n && s[i] == u'.') {
        ++i;
        const std::size_t frac_start = i;
        bool rest_nonzero = false;
        while (i < n && is_digit(s[i])) {
            if (i == frac_start) {
                const int first = s[i] - u'0';
                versus_half = first < 5 ? -1 : (first > 5 ? 1 : 0);
            } else if (s[i] != u'0') {
                rest_nonzero = true;
            }
            if (s[i] != u'0') fraction_nonzero = true;
            ++i;
        }
        if (i == frac_start) return refuse(RefusalCode::NotANumber);
        if (versus_half == 0 && rest_nonzero) versus_half = 1;
    }
    while (i < n && is_blank(s[i])) ++i;
    if (i != n) return refuse(RefusalCode::NotANumber);

    // Round the magnitude, then apply the sign.
    std::int64_t value = whole;
    if (rounding == Rounding::Floor) {
        if (negative && fraction_nonzero) value += 1;  // floor(-2.5) = -3
    } else if (versus_half > 0 || (versus_half == 0 && (whole % 2) == 1)) {
        value += 1;
    }
    if (negative) value = -value;
    if (value < INT16_MIN || value > INT16_MAX) return refuse(RefusalCode::NumberOutside16Bit);
    return static_cast<std::int16_t>(value);
}

}  // namespace gradation

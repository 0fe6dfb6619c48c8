// Reading a decimal number out of a setting field.
#pragma once

#include "core/base/refusal.h"

#include <cstdint>
#include <string_view>

namespace gradation {

enum class Rounding { Floor, HalfEven };

// A field reads as a number when it is: optional blanks (space, tab), optional sign,
// one or more digits, optionally "." and one or more digits, optional blanks.
// The value is rounded as asked (exactly, on the decimal text) and must then fit
// a signed 16-bit integer. Refused as NotANumber or NumberOutside16Bit.
Result<std::int16_t> read_number16(std::u16string_view field, Rounding rounding);

}  // namespace gradation

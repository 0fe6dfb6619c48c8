// The one colour type: a setting's colours, a gradient's stops, each character's colour
// in the plan, and what the windows show.
#pragma once

#include <cstdint>

namespace gradation {

// Red, green and blue, normally 0..255. A setting line may carry any 16-bit value, and
// the two-colour arithmetic may step beyond 0..255 from there: both are kept as they are
// (each markup writer keeps only a channel's low byte, as the html markup always has).
struct Colour {
    std::int32_t red = 0, green = 0, blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

// Whether every channel lies in 0..255 (two hex digits each).
constexpr bool in_byte_range(const Colour& c) {
    return c.red >= 0 && c.red <= 255 && c.green >= 0 && c.green <= 255 && c.blue >= 0 && c.blue <= 255;
}

}  // namespace gradation

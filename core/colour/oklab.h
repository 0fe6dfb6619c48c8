// Colour conversions for gradients: sRGB's transfer curve and OKLab (Björn Ottosson's
// matrices).
#pragma once

#include <array>
#include <cstdint>

namespace gradation {

using LinearRgb = std::array<double, 3>;  // linear-light sRGB, 0..1 inside the gamut
using Lab = std::array<double, 3>;        // OKLab: L, a, b

double srgb_to_linear(double encoded);  // 0..1 both ways
double linear_to_srgb(double linear);

Lab linear_to_oklab(const LinearRgb& rgb);
// Inline: gamut mapping calls it at every step of its search.
inline LinearRgb oklab_to_linear(const Lab& lab) {
    const double l0 = lab[0] + 0.3963377774 * lab[1] + 0.2158037573 * lab[2];
    const double m0 = lab[0] - 0.1055613458 * lab[1] - 0.0638541728 * lab[2];
    const double s0 = lab[0] - 0.0894841775 * lab[1] - 1.2914855480 * lab[2];
    const double l = l0 * l0 * l0;
    const double m = m0 * m0 * m0;
    const double s = s0 * s0 * s0;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

// An 8-bit channel (0..255) as linear light, and back, rounded to the nearest (ties to even).
double channel_to_linear(int channel);
std::int32_t linear_to_channel(double linear);

}  // namespace gradation

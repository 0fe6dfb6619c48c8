// Colour conversions for gradients: sRGB's transfer curve, OKLab (Björn Ottosson's
// matrices) and its polar form OKLCH.
#pragma once

#include <array>
#include <cstdint>

namespace gradation {

using LinearRgb = std::array<double, 3>;  // linear-light sRGB, 0..1 inside the gamut
using Lab = std::array<double, 3>;        // OKLab: L, a, b
using Lch = std::array<double, 3>;        // OKLCH: L, chroma, hue in degrees 0..360

double srgb_to_linear(double encoded);  // 0..1 both ways
double linear_to_srgb(double linear);

// An 8-bit channel (0..255) as linear light, and back: round(255 × the curve), ties to
// even, after clamping to 0..1.
double channel_to_linear(std::int32_t channel);
std::int32_t linear_to_channel(double linear);

Lab linear_to_oklab(const LinearRgb& rgb);
LinearRgb oklab_to_linear(const Lab& lab);

Lch oklab_to_oklch(const Lab& lab);
Lab oklch_to_oklab(const Lch& lch);

}  // namespace gradation

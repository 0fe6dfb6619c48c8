// Colour conversions for gradients: sRGB's transfer curve, OKLab and OKLCH (Björn
// Ottosson's matrices), and CSS Color 4's gamut mapping into sRGB.
#pragma once

#include <array>
#include <cstdint>

namespace gradation {

using LinearRgb = std::array<double, 3>;  // linear-light sRGB, 0..1 inside the gamut
using Lab = std::array<double, 3>;        // OKLab: L, a, b

double srgb_to_linear(double encoded);  // 0..1 both ways
double linear_to_srgb(double linear);

Lab linear_to_oklab(const LinearRgb& rgb);
LinearRgb oklab_to_linear(const Lab& lab);

// An 8-bit channel (0..255) as linear light, and back, rounded to the nearest (ties to even).
double channel_to_linear(int channel);
std::int32_t linear_to_channel(double linear);

// The OKLab colour brought into sRGB: unchanged when inside; else its OKLCH chroma lowered
// by binary search until it lies within a just-noticeable difference (deltaE OK 0.02) of
// its clipped form, which is then taken. Lightness 1 or more is white, 0 or less black.
LinearRgb map_into_srgb(const Lab& lab);

}  // namespace gradation

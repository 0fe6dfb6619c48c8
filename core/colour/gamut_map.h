// CSS Color 4's gamut mapping of OKLab colours into sRGB.
#pragma once

#include "core/colour/oklab.h"

namespace gradation {

// The colour brought into sRGB: unchanged when inside; else its OKLCH chroma lowered by
// binary search until it lies within a just-noticeable difference (deltaE OK 0.02) of its
// clipped form, which is then taken. Lightness 1 or more is white, 0 or less black.
LinearRgb gamut_map(const Lab& origin);

}  // namespace gradation

// CSS Color 4's gamut mapping of OKLab colours into sRGB.
#pragma once

#include "core/colour/oklab.h"

#include <span>

namespace gradation {

// Each OKLab colour brought into sRGB (out[i] for colours[i]; out as long as colours, or the
// same span): unchanged when inside; else its OKLCH chroma lowered by binary search until it
// lies within a just-noticeable difference (deltaE OK 0.02) of its clipped form, which is
// then taken. Lightness 1 or more is white, 0 or less black. The searches of several colours
// advance side by side, so that their steps overlap in the processor.
void map_into_srgb(std::span<const Lab> colours, std::span<LinearRgb> out);

}  // namespace gradation

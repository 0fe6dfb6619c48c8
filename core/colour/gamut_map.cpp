// CSS Color 4's "CSS gamut mapping algorithm", step for step, with sRGB as the destination.
#include "core/colour/gamut_map.h"

#include <algorithm>
#include <cmath>

namespace gradation {
namespace {

constexpr double kJnd = 0.02;  // deltaE OK
constexpr double kEpsilon = 0.0001;

bool in_gamut(const LinearRgb& rgb) {
    return std::all_of(rgb.begin(), rgb.end(), [](double c) { return c >= 0.0 && c <= 1.0; });
}

// Clamping linear light equals clamping the encoded value: the curve keeps 0 and 1.
LinearRgb clip(const LinearRgb& rgb) {
    return {std::clamp(rgb[0], 0.0, 1.0), std::clamp(rgb[1], 0.0, 1.0), std::clamp(rgb[2], 0.0, 1.0)};
}

// deltaE OK: the distance in OKLab.
double delta(const Lab& one, const Lab& two) {
    return std::sqrt((one[0] - two[0]) * (one[0] - two[0]) + (one[1] - two[1]) * (one[1] - two[1]) +
                     (one[2] - two[2]) * (one[2] - two[2]));
}

}  // namespace

LinearRgb gamut_map(const Lab& origin) {
    if (origin[0] >= 1.0) return {1.0, 1.0, 1.0};
    if (origin[0] <= 0.0) return {0.0, 0.0, 0.0};
    if (const LinearRgb rgb = oklab_to_linear(origin); in_gamut(rgb)) return rgb;
    Lch current = oklab_to_oklch(origin);
    LinearRgb clipped = clip(oklab_to_linear(origin));
    if (delta(linear_to_oklab(clipped), origin) < kJnd) return clipped;
    double min = 0.0;
    double max = current[1];
    bool min_in_gamut = true;
    while (max - min > kEpsilon) {
        const double chroma = (min + max) / 2.0;
        current[1] = chroma;
        const Lab current_lab = oklch_to_oklab(current);
        const LinearRgb rgb = oklab_to_linear(current_lab);
        if (min_in_gamut && in_gamut(rgb)) {
            min = chroma;
            continue;
        }
        clipped = clip(rgb);
        const double e = delta(linear_to_oklab(clipped), current_lab);
        if (e < kJnd) {
            if (kJnd - e < kEpsilon) return clipped;
            min_in_gamut = false;
            min = chroma;
        } else {
            max = chroma;
        }
    }
    return clipped;
}

}  // namespace gradation

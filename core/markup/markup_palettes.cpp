#include "core/markup/markup_palettes.h"

#include "core/markup/markup_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gradation {

int xterm_256_index(const Colour& c) {
    const int rgb[3] = {low_byte(c.red), low_byte(c.green), low_byte(c.blue)};
    auto nearest_level = [](int v) {
        int best = 0;
        for (int k = 1; k < 6; ++k)
            if (std::abs(kCubeLevels[k] - v) < std::abs(kCubeLevels[best] - v)) best = k;
        return best;
    };
    auto distance = [&rgb](int r, int g, int b) {
        return (rgb[0] - r) * (rgb[0] - r) + (rgb[1] - g) * (rgb[1] - g) + (rgb[2] - b) * (rgb[2] - b);
    };
    const int r = nearest_level(rgb[0]), g = nearest_level(rgb[1]), b = nearest_level(rgb[2]);
    int best = 16 + 36 * r + 6 * g + b;
    int best_distance = distance(kCubeLevels[r], kCubeLevels[g], kCubeLevels[b]);
    // The grey ramp 8, 18, ..., 238: the step nearest to the mean is the nearest grey.
    const double mean = (rgb[0] + rgb[1] + rgb[2]) / 3.0;
    const int k = std::clamp(static_cast<int>(std::lround((mean - 8) / 10)), 0, 23);
    const int grey = 8 + 10 * k;
    if (distance(grey, grey, grey) < best_distance) best = 232 + k;
    return best;
}

}  // namespace gradation

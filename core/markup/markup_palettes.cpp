#include "core/markup/markup_palettes.h"

#include "core/colour/oklab.h"
#include "core/markup/markup_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace gradation {
namespace {

Lab oklab_of(int r, int g, int b) {
    return linear_to_oklab({channel_to_linear(r), channel_to_linear(g), channel_to_linear(b)});
}

// A palette's entries in OKLab, worked out once, and the nearest of them to a colour.
class OklabNearest {
public:
    explicit OklabNearest(std::span<const std::uint32_t> palette) {
        for (const std::uint32_t c : palette) labs_.push_back(oklab_of(int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF)));
    }
    int operator()(const Colour& c) const {
        const Lab lab = oklab_of(low_byte(c.red), low_byte(c.green), low_byte(c.blue));
        auto distance = [&lab](const Lab& e) {
            return (e[0] - lab[0]) * (e[0] - lab[0]) + (e[1] - lab[1]) * (e[1] - lab[1]) + (e[2] - lab[2]) * (e[2] - lab[2]);
        };
        int best = 0;
        for (int i = 1; i < static_cast<int>(labs_.size()); ++i)
            if (distance(labs_[i]) < distance(labs_[best])) best = i;
        return best;
    }

private:
    std::vector<Lab> labs_;
};

}  // namespace

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

int irc_colour_index(const Colour& c) {
    static const OklabNearest nearest(kIrcPalette);
    return nearest(c);
}

int discord_colour_index(const Colour& c) {
    static const OklabNearest nearest(kDiscordPalette);
    return nearest(c);
}

}  // namespace gradation

// The palettes of the dialects that choose from a few colours, and how a colour finds
// its nearest entry.
#pragma once

#include "core/markup/markup_plan.h"

#include <array>
#include <cstdint>

namespace gradation {

inline constexpr std::array<int, 6> kCubeLevels = {0, 95, 135, 175, 215, 255};

// 0xRRGGBB.
constexpr std::uint32_t packed_rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// xterm's 256 colours: 16 that vary by terminal (never written; shown as #C0C0C0), the
// 6x6x6 cube and the grey ramp.
constexpr std::array<std::uint32_t, 256> xterm_palette() {
    std::array<std::uint32_t, 256> p{};
    for (int i = 0; i < 16; ++i) p[i] = 0xC0C0C0;
    for (int c = 0; c < 216; ++c) p[16 + c] = packed_rgb(kCubeLevels[c / 36], kCubeLevels[c / 6 % 6], kCubeLevels[c % 6]);
    for (int k = 0; k < 24; ++k) p[232 + k] = packed_rgb(8 + 10 * k, 8 + 10 * k, 8 + 10 * k);
    return p;
}

inline constexpr std::array<std::uint32_t, 256> kXtermPalette = xterm_palette();

// The nearest of the xterm palette's 6x6x6 cube (16..231) or grey ramp (232..255).
int xterm_256_index(const Colour& c);

}  // namespace gradation

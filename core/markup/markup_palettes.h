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

// mIRC's table (https://www.mirc.com/colors.html) for 0..15, and the extended colours
// 16..98 that mIRC 7.51 and most clients took up
// (http://anti.teamidiot.de/static/nei/*/extended_mirc_color_proposal.html).
inline constexpr std::array<std::uint32_t, 99> kIrcPalette = {
    0xFFFFFF, 0x000000, 0x00007F, 0x009300, 0xFF0000, 0x7F0000, 0x9C009C, 0xFC7F00, 0xFFFF00, 0x00FC00,
    0x009393, 0x00FFFF, 0x0000FC, 0xFF00FF, 0x7F7F7F, 0xD2D2D2,
    0x470000, 0x472100, 0x474700, 0x324700, 0x004700, 0x00472C, 0x004747, 0x002747, 0x000047, 0x2E0047, 0x470047, 0x47002A,
    0x740000, 0x743A00, 0x747400, 0x517400, 0x007400, 0x007449, 0x007474, 0x004074, 0x000074, 0x4B0074, 0x740074, 0x740045,
    0xB50000, 0xB56300, 0xB5B500, 0x7DB500, 0x00B500, 0x00B571, 0x00B5B5, 0x0063B5, 0x0000B5, 0x7500B5, 0xB500B5, 0xB5006B,
    0xFF0000, 0xFF8C00, 0xFFFF00, 0xB2FF00, 0x00FF00, 0x00FFA0, 0x00FFFF, 0x008CFF, 0x0000FF, 0xA500FF, 0xFF00FF, 0xFF0098,
    0xFF5959, 0xFFB459, 0xFFFF71, 0xCFFF60, 0x6FFF6F, 0x65FFC9, 0x6DFFFF, 0x59B4FF, 0x5959FF, 0xC459FF, 0xFF66FF, 0xFF59BC,
    0xFF9C9C, 0xFFD39C, 0xFFFF9C, 0xE2FF9C, 0x9CFF9C, 0x9CFFDB, 0x9CFFFF, 0x9CD3FF, 0x9C9CFF, 0xDC9CFF, 0xFF9CFF, 0xFF94D3,
    0x000000, 0x131313, 0x282828, 0x363636, 0x4D4D4D, 0x656565, 0x818181, 0x9F9F9F, 0xBCBCBC, 0xE2E2E2, 0xFFFFFF,
};

// Discord's eight foreground colours in its "ansi" code blocks, for codes 30..37.
inline constexpr std::array<std::uint32_t, 8> kDiscordPalette = {0x4F545C, 0xDC322F, 0x859900, 0xB58900,
                                                                 0x268BD2, 0xD33682, 0x2AA198, 0xFFFFFF};

// The nearest of the xterm palette's 6x6x6 cube (16..231) or grey ramp (232..255).
int xterm_256_index(const Colour& c);

// The entry of mIRC's or Discord's palette nearest to `c` by OKLab distance (the lowest index on a tie).
int irc_colour_index(const Colour& c);
int discord_colour_index(const Colour& c);

}  // namespace gradation

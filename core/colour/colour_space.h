// The colour spaces a gradient blends in, one row each: its name, whether it is polar,
// and its conversions from and back to linear-light sRGB.
#pragma once

#include "core/colour/oklab.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace gradation {

enum class GradientSpace { Srgb, LinearSrgb, Oklab, Oklch, OklchLonger };

// How a polar space's hue turns between two stops; None: the space is not polar.
enum class HueArc { None, Shorter, Longer };

using Coordinates = std::array<double, 3>;  // a colour in its space; polar: L, chroma, hue in degrees

struct ColourSpace {
    GradientSpace space;
    std::string_view name;  // as the settings file and the command line spell it
    HueArc hue;
    // A stop's colour in the space, and a blended one back into sRGB's gamut. Both null:
    // the space steps the 8-bit channels themselves by the generator's arithmetic.
    Coordinates (*from_linear)(const LinearRgb&);
    LinearRgb (*to_linear)(const Coordinates&);

    bool polar() const { return hue != HueArc::None; }
    bool steps_channels() const { return from_linear == nullptr; }
};

// Every space, in the order the editor and the help list them.
std::span<const ColourSpace> colour_spaces();
const ColourSpace& colour_space(GradientSpace space);
std::optional<GradientSpace> space_from_name(std::string_view name);
std::string_view space_name(GradientSpace space);

}  // namespace gradation

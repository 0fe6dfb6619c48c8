#include "core/colour/colour_space.h"

#include "core/colour/gamut_map.h"

namespace gradation {
namespace {

Coordinates as_is(const Coordinates& c) { return c; }
Coordinates to_oklch(const LinearRgb& rgb) { return oklab_to_oklch(linear_to_oklab(rgb)); }
LinearRgb from_oklch(const Lch& lch) { return gamut_map(oklch_to_oklab(lch)); }

constexpr ColourSpace kSpaces[] = {
    {GradientSpace::Srgb, "srgb", HueArc::None, nullptr, nullptr},
    {GradientSpace::LinearSrgb, "linear-srgb", HueArc::None, as_is, as_is},
    {GradientSpace::Oklab, "oklab", HueArc::None, linear_to_oklab, gamut_map},
    {GradientSpace::Oklch, "oklch", HueArc::Shorter, to_oklch, from_oklch},
    {GradientSpace::OklchLonger, "oklch-longer", HueArc::Longer, to_oklch, from_oklch},
};

}  // namespace

std::span<const ColourSpace> colour_spaces() { return kSpaces; }

const ColourSpace& colour_space(GradientSpace space) {
    for (const ColourSpace& row : kSpaces)
        if (row.space == space) return row;
    return kSpaces[0];  // not reached: every space has a row
}

std::optional<GradientSpace> space_from_name(std::string_view name) {
    for (const ColourSpace& row : kSpaces)
        if (row.name == name) return row.space;
    return std::nullopt;
}

std::string_view space_name(GradientSpace space) { return colour_space(space).name; }

}  // namespace gradation

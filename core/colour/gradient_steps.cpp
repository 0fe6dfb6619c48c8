#include "core/colour/gradient_steps.h"

#include <algorithm>
#include <cmath>

namespace gradation {
namespace {

// Below this OKLCH chroma a colour is a grey: its hue means nothing (greys from sRGB
// come out near 1e-8, the faintest tint of one 8-bit step near 1e-3).
constexpr double kGrey = 1e-6;
// Hues that differ by less than this many degrees are one hue. Shades of one hue (#00FF00
// and #00F700, which scale one linear colour) come out up to 5.4e-13 degrees apart by
// rounding alone; a real difference this small moves a colour by far less than one
// 8-bit step.
constexpr double kSameHue = 1e-9;

Colour clamped(const Colour& c) {
    return {std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255)};
}

// The stop's colour in the space it blends in.
Coordinates in_space(const Colour& colour, const ColourSpace& space) {
    const Colour c = clamped(colour);
    return space.from_linear({channel_to_linear(c.red), channel_to_linear(c.green), channel_to_linear(c.blue)});
}

// How far the hue turns from `from` to `to`, as CSS Color 4 interpolates: a grey's hue is
// missing and takes the other stop's (two greys have none to turn); a difference within
// rounding of zero is zero; then the shorter way, or the longer one, which between equal
// hues is a whole turn (as for a rainbow, or from a colour to a grey).
double hue_turn(std::array<double, 3>& from, const std::array<double, 3>& to, bool longer) {
    const bool grey_from = from[1] < kGrey;
    const bool grey_to = to[1] < kGrey;
    if (grey_from && grey_to) return 0.0;
    if (grey_from) from[2] = to[2];
    double d = grey_to ? 0.0 : to[2] - from[2];
    if (std::abs(d) < kSameHue) d = 0.0;
    if (!longer) {
        if (d > 180.0) d -= 360.0;
        if (d < -180.0) d += 360.0;
    } else if (d > 0.0 && d < 180.0) {
        d -= 360.0;
    } else if (d > -180.0 && d <= 0.0) {
        d += 360.0;
    }
    return d;
}

}  // namespace

GradientSteps::GradientSteps(const Gradient& gradient, int n) : space_(colour_space(gradient.space)), n_(n) {
    first_ = clamped(gradient.stops.front().colour);
    last_ = clamped(gradient.stops.back().colour);
    if (space_.steps_channels()) {
        add_channel_spans(gradient);
    } else {
        add_blend_spans(gradient);
    }
}

// Span k takes characters round(n * P_k / 100) .. round(n * P_k+1 / 100) - 1 (0-based):
// each span gets its share of the text by width, every character belongs to exactly one
// span, and with two stops the one span is the whole text, as the generator has it.
void GradientSteps::add_channel_spans(const Gradient& g) {
    const auto boundary = [this](int position) { return (n_ * position + 50) / 100; };
    for (std::size_t k = 0; k + 1 < g.stops.size(); ++k) {
        const int first = boundary(g.stops[k].position);
        const int count = boundary(g.stops[k + 1].position) - first;
        if (count == 0) continue;
        const Colour& from = g.stops[k].colour;
        const Colour& to = g.stops[k + 1].colour;
        channel_spans_.push_back({first, count,
                                  {ChannelSteps(from.red, to.red, count), ChannelSteps(from.green, to.green, count),
                                   ChannelSteps(from.blue, to.blue, count)}});
    }
}

void GradientSteps::add_blend_spans(const Gradient& g) {
    for (std::size_t k = 0; k + 1 < g.stops.size(); ++k) {
        BlendSpan span;
        span.start = g.stops[k].position;
        span.width = g.stops[k + 1].position - g.stops[k].position;
        span.from = in_space(g.stops[k].colour, space_);
        const Coordinates to = in_space(g.stops[k + 1].colour, space_);
        for (std::size_t c = 0; c < 3; ++c) span.delta[c] = to[c] - span.from[c];
        if (space_.polar()) span.delta[2] = hue_turn(span.from, to, space_.hue == HueArc::Longer);
        blend_spans_.push_back(span);
    }
}

Colour GradientSteps::stepped_at(int i) const {
    for (const ChannelSpan& span : channel_spans_) {
        if (i > span.first + span.count) continue;
        const int local = i - span.first;
        return {span.channels[0].at(local), span.channels[1].at(local), span.channels[2].at(local)};
    }
    return last_;  // not reached: the last span ends at n
}

// Character i's colour (1 < i < n) blended in the space.
Coordinates GradientSteps::blended_at(int i) const {
    const double position = 100.0 * (i - 1) / (n_ - 1);
    // The last span that starts at or before the position: at a stop shared by two spans
    // (a hard edge) the later one's colour shows.
    std::size_t k = 0;
    while (k + 1 < blend_spans_.size() && blend_spans_[k + 1].start <= position) ++k;
    const BlendSpan& span = blend_spans_[k];
    const double t = span.width > 0 ? (position - span.start) / span.width : 0.0;
    Coordinates v{};
    for (std::size_t c = 0; c < 3; ++c) v[c] = span.from[c] + t * span.delta[c];
    return v;
}

std::vector<Colour> GradientSteps::colours() const {
    std::vector<Colour> colours(static_cast<std::size_t>(std::max(n_, 0)));
    if (space_.steps_channels()) {
        for (int i = 1; i <= n_; ++i) colours[static_cast<std::size_t>(i - 1)] = stepped_at(i);
        return colours;
    }
    if (colours.empty()) return colours;
    // The ends are the end stops exactly; one character takes the first stop.
    colours.front() = first_;
    if (n_ == 1) return colours;
    colours.back() = last_;
    for (int i = 2; i < n_; ++i) {
        const LinearRgb rgb = space_.to_linear(blended_at(i));
        colours[static_cast<std::size_t>(i - 1)] = {linear_to_channel(rgb[0]), linear_to_channel(rgb[1]),
                                                    linear_to_channel(rgb[2])};
    }
    return colours;
}

std::vector<Colour> gradient_colours(const Gradient& gradient, int n) { return GradientSteps(gradient, n).colours(); }

}  // namespace gradation

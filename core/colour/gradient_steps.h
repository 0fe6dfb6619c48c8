// The colour of every character of a text along a gradient.
#pragma once

#include "core/colour/channel_steps.h"
#include "core/colour/colour.h"
#include "core/colour/gradient.h"

#include <array>
#include <vector>

namespace gradation {

class GradientSteps {
public:
    GradientSteps(const Gradient& gradient, int n);

    // The colours of all n characters, in order.
    std::vector<Colour> colours() const;

private:
    // Between two neighbouring stops, for a space that steps channels: the characters
    // [first, first + count) step through the generator's channel arithmetic.
    struct ChannelSpan {
        int first = 0;
        int count = 0;
        std::array<ChannelSteps, 3> channels;
    };
    // Between two neighbouring stops, for a space that blends: from `from` by `delta`
    // times the fraction of the way from position `start` (percent) across `width`.
    struct BlendSpan {
        double start = 0;
        double width = 0;
        Coordinates from{};
        Coordinates delta{};
    };

    void add_channel_spans(const Gradient& gradient);
    void add_blend_spans(const Gradient& gradient);
    Colour stepped_at(int i) const;
    Coordinates blended_at(int i) const;

    const ColourSpace& space_;
    int n_;
    Colour first_{};
    Colour last_{};
    std::vector<ChannelSpan> channel_spans_;
    std::vector<BlendSpan> blend_spans_;
};

// The colours of all n characters, in order.
std::vector<Colour> gradient_colours(const Gradient& gradient, int n);

}  // namespace gradation

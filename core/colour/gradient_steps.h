// The colour of every character of a text along a gradient.
#pragma once

#include "core/colour/channel_steps.h"
#include "core/colour/colour.h"
#include "core/colour/gradient.h"
#include "core/colour/oklab.h"

#include <array>
#include <vector>

namespace gradation {

class GradientSteps {
public:
    GradientSteps(const Gradient& gradient, int n);

    // The colours of all n characters, in order.
    std::vector<Colour> colours() const;

private:
    // Between two neighbouring stops. srgb: the characters [first, first + count) step
    // through the generator's channel arithmetic. The other spaces: from `from` (OKLCH
    // for the oklch spaces, else OKLab or linear light) by `delta` times the fraction.
    struct Span {
        int first = 0;
        int count = 0;
        std::array<ChannelSteps, 3> channels{ChannelSteps(0, 0, 1), ChannelSteps(0, 0, 1), ChannelSteps(0, 0, 1)};
        double start = 0;  // position, percent
        double width = 0;
        std::array<double, 3> from{};
        std::array<double, 3> delta{};
    };

    void add_srgb_spans(const Gradient& gradient);
    void add_spans(const Gradient& gradient);
    Colour srgb_at(int i) const;
    std::array<double, 3> blended_at(int i) const;

    GradientSpace space_;
    int n_;
    Colour first_{};
    Colour last_{};
    std::vector<Span> spans_;
};

// The colours of all n characters, in order.
std::vector<Colour> gradient_colours(const Gradient& gradient, int n);

}  // namespace gradation

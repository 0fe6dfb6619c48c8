// One colour channel stepping from a start value towards an end value, the arithmetic
// the gradient markup uses for each of red, green and blue. Only core includes it: core
// builds without fused multiply-add, which this arithmetic relies on.
#pragma once

#include <cmath>
#include <cstdint>

namespace gradation {

// One channel's walk from s to e over n characters: the lower end is met exactly,
// the higher one approached by steps of |s - e| / n.
class ChannelSteps {
public:
    ChannelSteps(int s, int e, int n) : n_(n) {
        step_ = static_cast<double>(s - e) / n;
        if (step_ >= 0) {
            base_ = e;
            falling_ = true;
        } else {
            step_ = -step_;
            base_ = s;
        }
    }

    // The value at character i (1-based): the product is rounded before the sum (no
    // fused multiply-add), then rounded to the nearest integer, ties to even.
    std::int32_t at(int i) const {
        const double k = falling_ ? n_ - i : i - 1;
        const double product = k * step_;
        const double v = product + base_;
        return static_cast<std::int32_t>(std::nearbyint(v));
    }

private:
    int n_;
    double step_;
    double base_ = 0;
    bool falling_ = false;
};

}  // namespace gradation

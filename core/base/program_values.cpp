#include "core/base/program_values.h"

#include <algorithm>
#include <cmath>

namespace gradation {

long long centred_edge(double screen_extent, double window_extent) {
    const double difference = screen_extent - window_extent;
    if (!std::isfinite(difference)) return 0;
    // Round half to even without depending on the floating-point rounding mode.
    const double below = std::floor(difference);
    const double fraction = difference - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    // Keep far-off values inside long long; no screen comes near this.
    constexpr double kLimit = 4.0e18;
    rounded = std::clamp(rounded, -kLimit, kLimit);
    return static_cast<long long>(rounded) / 2;  // integer division drops the remainder towards zero
}

}  // namespace gradation

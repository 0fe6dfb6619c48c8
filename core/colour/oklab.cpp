#include "core/colour/oklab.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace gradation {
double srgb_to_linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double linear_to_srgb(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055; }

Lab linear_to_oklab(const LinearRgb& c) {
    const double l = std::cbrt(0.4122214708 * c[0] + 0.5363325363 * c[1] + 0.0514459929 * c[2]);
    const double m = std::cbrt(0.2119034982 * c[0] + 0.6806995451 * c[1] + 0.1073969566 * c[2]);
    const double s = std::cbrt(0.0883024619 * c[0] + 0.2817188376 * c[1] + 0.6299787005 * c[2]);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

double channel_to_linear(int channel) { return srgb_to_linear(channel / 255.0); }

// Rounding 255 * linear_to_srgb(l) picks the k whose interval of linear light holds l, so
// the channel is the number of interval ends at or below l: no power per channel. Each
// end is found where the rounded curve itself steps. Buckets of the double's exponent and
// top mantissa bits (from 2^-13, below the first end) are narrower than the gaps between
// ends, so a bucket holds at most one end: its count of ends below and one comparison.
std::int32_t linear_to_channel(double linear) {
    constexpr int kBits = 7;
    constexpr unsigned kLowestExponent = 1023 - 13;
    constexpr std::size_t kBuckets = 13 << kBits;
    struct Table {
        std::array<double, 256> ends{};  // the last one never reached
        std::array<std::uint8_t, kBuckets> below{};
    };
    static const Table kTable = [] {
        Table t;
        for (int k = 0; k < 255; ++k) {
            double low = srgb_to_linear(k / 255.0);
            double high = srgb_to_linear((k + 1) / 255.0);
            for (int i = 0; i < 64; ++i) {
                const double mid = (low + high) / 2;
                (std::nearbyint(255.0 * linear_to_srgb(mid)) > k ? high : low) = mid;
            }
            t.ends[static_cast<std::size_t>(k)] = high;
        }
        t.ends[255] = 2.0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            const double start = std::bit_cast<double>((std::uint64_t{kLowestExponent} << 52) + (std::uint64_t{b} << (52 - kBits)));
            t.below[b] = static_cast<std::uint8_t>(std::lower_bound(t.ends.begin(), t.ends.end(), start) - t.ends.begin());
        }
        return t;
    }();
    if (!(linear >= 0x1p-13)) return 0;
    if (linear >= 1.0) return 255;
    const auto bucket = static_cast<std::size_t>((std::bit_cast<std::uint64_t>(linear) >> (52 - kBits)) -
                                                 (std::uint64_t{kLowestExponent} << kBits));
    const std::size_t k = kTable.below[bucket];
    return static_cast<std::int32_t>(k + (kTable.ends[k] <= linear ? 1 : 0));
}

}  // namespace gradation

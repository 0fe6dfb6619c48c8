#include "core/oklab.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace gradation {
namespace {

constexpr double kJustNoticeable = 0.02;  // deltaE OK
constexpr double kChromaPrecision = 0.0001;

bool inside(const LinearRgb& rgb) {
    return std::all_of(rgb.begin(), rgb.end(), [](double c) { return c >= 0.0 && c <= 1.0; });
}

// Clamping linear light equals clamping the encoded value: the curve keeps 0 and 1.
LinearRgb clipped(const LinearRgb& rgb) {
    return {std::clamp(rgb[0], 0.0, 1.0), std::clamp(rgb[1], 0.0, 1.0), std::clamp(rgb[2], 0.0, 1.0)};
}

double distance(const Lab& x, const Lab& y) {
    return std::sqrt((x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1]) + (x[2] - y[2]) * (x[2] - y[2]));
}

// The cube root of x (0..1, as linear light mixes) to a relative error far below 1e-10: a
// first guess from the exponent bits (within a few percent), then two Halley steps, each
// of which cubes the error. Tiny or negative values take std::cbrt.
double quick_cbrt(double x) {
    if (!(x > 1e-30)) return std::cbrt(x);
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) / 3 + 0x2A9F7893782DA1CEULL);
    for (int i = 0; i < 2; ++i) {
        const double y3 = y * y * y;
        y *= (y3 + 2.0 * x) / (2.0 * y3 + x);
    }
    return y;
}

// OKLab from linear light with quick_cbrt: within 1e-9 of linear_to_oklab.
Lab quick_oklab(const LinearRgb& c) {
    const double l = quick_cbrt(0.4122214708 * c[0] + 0.5363325363 * c[1] + 0.0514459929 * c[2]);
    const double m = quick_cbrt(0.2119034982 * c[0] + 0.6806995451 * c[1] + 0.1073969566 * c[2]);
    const double s = quick_cbrt(0.0883024619 * c[0] + 0.2817188376 * c[1] + 0.6299787005 * c[2]);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

// The distance of the clipped colour from `lab`, as the search compares it. The quick
// cube root decides wherever it is far from the two values compared against; close to
// them the exact one does, so every decision is that of std::cbrt.
double clip_distance(const LinearRgb& clip, const Lab& lab) {
    constexpr double kSlack = 1e-8;
    const double e = distance(quick_oklab(clip), lab);
    if (std::abs(e - kJustNoticeable) > kSlack && std::abs(e - (kJustNoticeable - kChromaPrecision)) > kSlack)
        return e;
    return distance(linear_to_oklab(clip), lab);
}

}  // namespace

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

LinearRgb oklab_to_linear(const Lab& lab) {
    const double l0 = lab[0] + 0.3963377774 * lab[1] + 0.2158037573 * lab[2];
    const double m0 = lab[0] - 0.1055613458 * lab[1] - 0.0638541728 * lab[2];
    const double s0 = lab[0] - 0.0894841775 * lab[1] - 1.2914855480 * lab[2];
    const double l = l0 * l0 * l0;
    const double m = m0 * m0 * m0;
    const double s = s0 * s0 * s0;
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

double channel_to_linear(int channel) { return srgb_to_linear(channel / 255.0); }

// Rounding 255 * linear_to_srgb(l) picks the k whose interval of linear light holds l, so
// the channel is the number of interval ends at or below l: no power per channel. Each
// end is found where the rounded curve itself steps. The ends lie further apart than the
// buckets of sqrt(l) (each holds at most one), so a bucket gives a count that is at most
// one or two short, and a short walk finds the rest.
std::int32_t linear_to_channel(double linear) {
    constexpr int kBuckets = 1024;
    struct Table {
        std::array<double, 255> ends{};
        std::array<std::uint8_t, kBuckets + 1> below{};  // ends below the bucket before this one
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
        for (int b = 1; b <= kBuckets; ++b) {
            const double edge = (b - 1.0) / kBuckets;
            t.below[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(
                std::lower_bound(t.ends.begin(), t.ends.end(), edge * edge) - t.ends.begin());
        }
        return t;
    }();
    if (!(linear > 0.0)) return 0;
    const auto bucket = static_cast<std::size_t>(std::min(std::sqrt(linear), 1.0) * kBuckets);
    std::size_t k = kTable.below[bucket];
    while (k < kTable.ends.size() && kTable.ends[k] <= linear) ++k;
    return static_cast<std::int32_t>(k);
}

LinearRgb map_into_srgb(const Lab& lab) {
    if (lab[0] >= 1.0) return {1.0, 1.0, 1.0};
    if (lab[0] <= 0.0) return {0.0, 0.0, 0.0};
    const LinearRgb origin = oklab_to_linear(lab);
    if (inside(origin)) return origin;
    // The hue stays; only the chroma moves, so a and b scale together.
    const double chroma = std::hypot(lab[1], lab[2]);
    const auto at_chroma = [&](double c) {
        const double k = chroma > 0.0 ? c / chroma : 0.0;
        return Lab{lab[0], lab[1] * k, lab[2] * k};
    };
    LinearRgb clip = clipped(origin);
    if (clip_distance(clip, lab) < kJustNoticeable) return clip;
    double low = 0.0;
    double high = chroma;
    bool low_inside = true;
    while (high - low > kChromaPrecision) {
        const double c = (low + high) / 2.0;
        const Lab current = at_chroma(c);
        const LinearRgb rgb = oklab_to_linear(current);
        if (low_inside && inside(rgb)) {
            low = c;
            continue;
        }
        clip = clipped(rgb);
        const double e = clip_distance(clip, current);
        if (e < kJustNoticeable) {
            if (kJustNoticeable - e < kChromaPrecision) return clip;
            low_inside = false;
            low = c;
        } else {
            high = c;
        }
    }
    return clip;
}

}  // namespace gradation

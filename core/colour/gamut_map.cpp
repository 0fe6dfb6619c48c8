#include "core/colour/gamut_map.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

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

constexpr int kRootBits = 9;

// Cube roots of the middles of 2^9 slices of [1, 2), [2, 4) and [4, 8).
const std::array<float, 3 << kRootBits> kRoots = [] {
    std::array<float, 3 << kRootBits> roots{};
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const double mantissa = 1.0 + (static_cast<double>(i % (1 << kRootBits)) + 0.5) / (1 << kRootBits);
        roots[i] = static_cast<float>(std::cbrt(std::ldexp(mantissa, static_cast<int>(i >> kRootBits))));
    }
    return roots;
}();

// The cube root of x (0..1, as linear light mixes) to a relative error below 1e-10: a
// first guess from the table (within 3.3e-4), then one Halley step, which cubes the error
// (times 2/3). Tiny or negative values take std::cbrt.
double quick_cbrt(double x) {
    if (!(x > 1e-30)) return std::cbrt(x);
    // x = m * 2^(3(q - 342) + r) with 0 <= r < 3, from the biased exponent E = 3q + r - 3.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<unsigned>(bits >> 52) + 3;
    const unsigned q = biased / 3;
    const std::size_t index = ((biased - 3 * q) << kRootBits) | ((bits >> (52 - kRootBits)) & ((1 << kRootBits) - 1));
    const double y = kRoots[index] * std::bit_cast<double>(static_cast<std::uint64_t>(q + 1023 - 342) << 52);
    const double y3 = y * y * y;
    return y * ((y3 + 2.0 * x) / (2.0 * y3 + x));
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

double squared_distance(const Lab& x, const Lab& y) {
    return (x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1]) + (x[2] - y[2]) * (x[2] - y[2]);
}

// How far the clipped colour lies from its colour, as the search asks: beyond a
// just-noticeable difference, within it, or within it by less than the chroma precision
// (where the search stops).
enum class ClipDistance { Beyond, Within, Edge };

ClipDistance classified(double e) {
    if (!(e < kJustNoticeable)) return ClipDistance::Beyond;
    return kJustNoticeable - e < kChromaPrecision ? ClipDistance::Edge : ClipDistance::Within;
}

// The quick cube root decides, in squares (no root), wherever the distance is far from the
// two values compared against; close to them the exact one does, so every decision is that
// of std::cbrt. No branch but that rare one: the searches of several colours then overlap.
ClipDistance clip_distance(const LinearRgb& clip, const Lab& lab) {
    constexpr double kSlack = 1e-8;
    constexpr double kEdge = kJustNoticeable - kChromaPrecision;
    constexpr std::array<double, 4> kSquares = {
        (kEdge - kSlack) * (kEdge - kSlack), (kEdge + kSlack) * (kEdge + kSlack),
        (kJustNoticeable - kSlack) * (kJustNoticeable - kSlack), (kJustNoticeable + kSlack) * (kJustNoticeable + kSlack)};
    const double e2 = squared_distance(quick_oklab(clip), lab);
    // 0 within, 2 at the edge, 4 beyond; odd: too close to tell.
    const int band = (e2 >= kSquares[0]) + (e2 > kSquares[1]) + (e2 >= kSquares[2]) + (e2 > kSquares[3]);
    if (band % 2 != 0) [[unlikely]]
        return classified(std::sqrt(squared_distance(linear_to_oklab(clip), lab)));
    constexpr std::array<ClipDistance, 3> kBands = {ClipDistance::Within, ClipDistance::Edge, ClipDistance::Beyond};
    return kBands[static_cast<std::size_t>(band / 2)];
}

// Where a colour needs no search: the result, or nothing.
std::optional<LinearRgb> without_search(const Lab& lab) {
    if (lab[0] >= 1.0) return LinearRgb{1.0, 1.0, 1.0};
    if (lab[0] <= 0.0) return LinearRgb{0.0, 0.0, 0.0};
    const LinearRgb origin = oklab_to_linear(lab);
    if (inside(origin)) return origin;
    const LinearRgb clip = clipped(origin);
    if (clip_distance(clip, lab) != ClipDistance::Beyond) return clip;
    return std::nullopt;
}

// The binary search on one colour's chroma, a step at a time. The hue stays; only the
// chroma moves, so a and b scale together. Its steps choose by selection, not by branches,
// so that the steps of several searches can overlap.
class ChromaSearch {
public:
    ChromaSearch() = default;
    explicit ChromaSearch(const Lab& lab)
        : lab_(lab), chroma_(std::hypot(lab[1], lab[2])), high_(chroma_), clip_(clipped(oklab_to_linear(lab))) {}

    bool done() const { return done_ || !(high_ - low_ > kChromaPrecision); }
    const LinearRgb& result() const { return clip_; }

    void step() {
        const double c = (low_ + high_) / 2.0;
        const double k = chroma_ > 0.0 ? c / chroma_ : 0.0;
        const Lab current{lab_[0], lab_[1] * k, lab_[2] * k};
        const LinearRgb rgb = oklab_to_linear(current);
        // While every lower chroma tried was inside, an inside one only raises the floor.
        const bool raise_only = low_inside_ && inside(rgb);
        const LinearRgb clip = clipped(rgb);
        const ClipDistance measured = clip_distance(clip, current);
        const ClipDistance e = raise_only ? ClipDistance::Within : measured;
        clip_ = raise_only ? clip_ : clip;
        const bool beyond = e == ClipDistance::Beyond;
        low_ = beyond ? low_ : c;
        high_ = beyond ? c : high_;
        low_inside_ = raise_only || (low_inside_ && beyond);
        done_ = !raise_only && e == ClipDistance::Edge;
    }

private:
    Lab lab_{};
    double chroma_ = 0.0;
    double low_ = 0.0;
    double high_ = 0.0;
    LinearRgb clip_{};
    bool low_inside_ = true;
    bool done_ = false;
};

}  // namespace

void map_into_srgb(std::span<const Lab> colours, std::span<LinearRgb> out) {
    constexpr std::size_t kLanes = 4;
    std::array<ChromaSearch, kLanes> lanes{};
    std::array<std::size_t, kLanes> owner{};
    std::size_t busy = 0;
    std::size_t next = 0;
    for (;;) {
        // Fill the free lanes with the next colours that need a search.
        while (busy < kLanes && next < colours.size()) {
            const std::size_t i = next++;
            if (const std::optional<LinearRgb> quick = without_search(colours[i])) {
                out[i] = *quick;
                continue;
            }
            lanes[busy] = ChromaSearch(colours[i]);
            owner[busy++] = i;
        }
        if (busy == 0) return;
        for (std::size_t l = 0; l < busy; ++l) lanes[l].step();
        for (std::size_t l = 0; l < busy;) {
            if (!lanes[l].done()) {
                ++l;
                continue;
            }
            out[owner[l]] = lanes[l].result();
            lanes[l] = lanes[--busy];
            owner[l] = owner[busy];
        }
    }
}

}  // namespace gradation

// A gradient of 2..16 colour stops in one of five colour spaces, its stored text form
// ("oklch #FF0000@0 #FFFF00@35 #0080FF@100") and the command line's stop list.
#pragma once

#include "core/base/refusal.h"
#include "core/colour/colour.h"
#include "core/colour/colour_space.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

inline constexpr std::size_t kMinStops = 2;
inline constexpr std::size_t kMaxStops = 16;

struct GradientStop {
    Colour colour{};
    int position = 0;  // percent, 0..100

    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

struct Gradient {
    GradientSpace space = GradientSpace::Srgb;
    std::vector<GradientStop> stops;

    friend bool operator==(const Gradient&, const Gradient&) = default;
};

// The two-stop srgb gradient from `start` to `end`: what a line without an entry means.
Gradient two_stop_gradient(const Colour& start, const Colour& end);

// Whether the gradient says no more than a line's two colours do.
bool is_plain(const Gradient& gradient);

// The stored form: the space, then each stop as "#RRGGBB@P" (upper-case hex, P a whole
// percent), separated by one blank. Blanks and tabs between items are accepted on reading;
// anything else that does not fit (2..16 stops, colours of six hex digits, positions
// 0..100 that do not decrease, the first 0 and the last 100) is refused.
// A refusal names the item: 0 the space, 1.. the stops.
Result<Gradient> parse_gradient(std::string_view text);
std::string format_gradient(const Gradient& gradient);

// The command line's stops: "#ff0000,#ffff00@35,#0080ff". A position left out is spread
// evenly between its neighbours' (the first 0, the last 100); the result is checked as
// the stored form is. The space is srgb; the caller sets another.
Result<Gradient> parse_stop_list(std::string_view text);

}  // namespace gradation

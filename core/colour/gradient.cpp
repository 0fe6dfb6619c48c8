#include "core/colour/gradient.h"

#include <charconv>
#include <cmath>

namespace gradation {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

Refused refuse_at(int position, RefusalCode code, std::vector<std::string> details = {}) {
    return refuse(code, std::move(details), position);
}

// The items of `text` between runs of `separator` (blanks and tabs when it is ' ').
std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> items;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = at;
        while (end < text.size() && !(separator == ' ' ? is_blank(text[end]) : text[end] == separator)) ++end;
        if (separator != ' ' || end > at) items.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

std::optional<int> whole_number(std::string_view text, int low, int high) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() || end != text.data() + text.size() ||
        v < low || v > high)
        return std::nullopt;
    return v;
}

// "#RRGGBB" or "#RRGGBB@P" (case-insensitive hex); the position is -1 when left out.
// A refusal names no position: the caller knows which item this is.
Result<GradientStop> parse_stop(std::string_view text) {
    std::string_view colour = text.substr(0, text.find('@'));
    GradientStop stop{{}, -1};
    if (colour.size() != 7 || colour[0] != '#') return refuse(RefusalCode::StopSyntax, {std::string(text)});
    const char* from = colour.data() + 1;
    for (std::int32_t* channel : {&stop.colour.red, &stop.colour.green, &stop.colour.blue}) {
        const auto [end, ec] = std::from_chars(from, from + 2, *channel, 16);
        if (ec != std::errc() || end != from + 2 || from[0] == '-' || from[0] == '+')
            return refuse(RefusalCode::StopColour, {std::string(colour)});
        from += 2;
    }
    if (colour.size() < text.size()) {
        const std::optional<int> position = whole_number(text.substr(colour.size() + 1), 0, 100);
        if (!position) return refuse(RefusalCode::StopPositionRange, {std::string(text)});
        stop.position = *position;
    }
    return stop;
}

// Stops whose positions are all given: the rules every gradient keeps.
Result<Gradient> checked(GradientSpace space, std::vector<GradientStop> stops) {
    if (stops.size() < kMinStops || stops.size() > kMaxStops)
        return refuse_at(static_cast<int>(std::min(stops.size(), kMaxStops)) + 1, RefusalCode::StopCount,
                         {std::to_string(stops.size())});
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const int at = static_cast<int>(i) + 1;
        if (i == 0 && stops[i].position != 0) return refuse_at(at, RefusalCode::FirstStopPosition);
        if (i + 1 == stops.size() && stops[i].position != 100) return refuse_at(at, RefusalCode::LastStopPosition);
        if (i > 0 && stops[i].position < stops[i - 1].position)
            return refuse_at(at, RefusalCode::StopOrder);
    }
    return Gradient{space, std::move(stops)};
}

}  // namespace

Gradient two_stop_gradient(const Colour& start, const Colour& end) {
    return {GradientSpace::Srgb, {{start, 0}, {end, 100}}};
}

bool is_plain(const Gradient& g) { return g.space == GradientSpace::Srgb && g.stops.size() == 2; }

Result<Gradient> parse_gradient(std::string_view text) {
    const std::vector<std::string_view> items = split(text, ' ');
    if (items.empty()) return refuse_at(0, RefusalCode::GradientSpaceMissing);
    const std::optional<GradientSpace> space = space_from_name(items[0]);
    if (!space) return refuse_at(0, RefusalCode::GradientSpaceUnknown, {std::string(items[0])});
    std::vector<GradientStop> stops;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const Result<GradientStop> stop = parse_stop(items[i]);
        if (!stop) return Refused(stop.error().at(static_cast<int>(i)));
        if (stop->position < 0)
            return refuse_at(static_cast<int>(i), RefusalCode::StopPositionMissing, {std::string(items[i])});
        stops.push_back(*stop);
    }
    return checked(*space, std::move(stops));
}

std::string format_gradient(const Gradient& g) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(space_name(g.space));
    for (const GradientStop& stop : g.stops) {
        text += " #";
        for (const std::int32_t v : {stop.colour.red, stop.colour.green, stop.colour.blue}) {
            text += kHex[(v >> 4) & 0xF];
            text += kHex[v & 0xF];
        }
        text += '@' + std::to_string(stop.position);
    }
    return text;
}

Result<Gradient> parse_stop_list(std::string_view text) {
    const std::vector<std::string_view> items = split(text, ',');
    std::vector<GradientStop> stops;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string_view item = items[i];
        while (!item.empty() && is_blank(item.front())) item.remove_prefix(1);
        while (!item.empty() && is_blank(item.back())) item.remove_suffix(1);
        const Result<GradientStop> stop = parse_stop(item);
        if (!stop) return Refused(stop.error().at(static_cast<int>(i) + 1));
        stops.push_back(*stop);
    }
    if (stops.size() >= kMinStops && stops.size() <= kMaxStops) {
        if (stops.front().position < 0) stops.front().position = 0;
        if (stops.back().position < 0) stops.back().position = 100;
        // Each run of missing positions shares the room between the stops around it.
        for (std::size_t i = 1; i + 1 < stops.size(); ++i) {
            if (stops[i].position >= 0) continue;
            std::size_t next = i;
            while (stops[next].position < 0) ++next;
            const int from = stops[i - 1].position;
            const auto gaps = static_cast<double>(next - i + 1);
            const double step = (stops[next].position - from) / gaps;
            for (std::size_t k = i; k < next; ++k)
                stops[k].position = from + static_cast<int>(std::lround(step * static_cast<double>(k - i + 1)));
        }
    }
    return checked(GradientSpace::Srgb, std::move(stops));
}


}  // namespace gradation

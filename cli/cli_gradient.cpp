#include "cli/cli_gradient.h"

namespace gradation::cli {

std::optional<Gradient> gradient_from_options(const Options& o, const SettingRecord& record) {
    if (!o.stops && !o.space) return std::nullopt;
    Gradient g = record.gradient.value_or(two_stop_gradient(record.StartColor, record.EndColor));
    if (o.stops) g.stops = parse_stop_list(*o.stops)->stops;
    if (o.space) g.space = *space_from_name(*o.space);
    return g;
}

std::string list_mark(const SettingRecord& record) {
    if (!record.gradient || record.gradient->stops.size() <= 2) return {};
    return "\t" + std::to_string(record.gradient->stops.size()) + " stops, " +
           std::string(space_name(record.gradient->space));
}

}  // namespace gradation::cli

// gradation-cli --stops and --space: a gradient for one conversion, or to store with
// --add and --replace; and the mark --list gives a setting with more than two stops.
#pragma once

#include "cli/cli_options.h"
#include "core/setting_line/setting_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace gradation::cli {

// The gradient the options make of `record`'s own (its stored one, else its two colours):
// --stops replaces the stops, --space the space. Nothing when neither is given.
std::optional<Gradient> gradient_from_options(const Options& o, const SettingRecord& record);

// "<TAB>3 stops, oklch" for a setting with more than two stops, else the empty text.
std::string list_mark(const SettingRecord& record);

}  // namespace gradation::cli

// The UserSetting section: keys "00" to "99", and the names the setting list shows.
#pragma once

#include "core/base/function_ref.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

inline constexpr const char* kSettingSection = "UserSetting";
inline constexpr int kMaxSettings = 100;

// The two-digit key of setting n: n in decimal with "00" in front, last two kept
// (0 -> "00", 7 -> "07", 12 -> "12"). Only 0..99 have a key: any other n gives the
// empty text, so that setting 100 can never read key "00" again.
std::string setting_key(int n);

// The rule of the list: setting n is listed while settings 0..n each hold a comma; the
// first line without one ends the list, which never goes past setting 99.
inline bool continues_list(std::u16string_view line) { return line.find(u',') != std::u16string_view::npos; }

// A setting or entry number as typed: decimal digits only, 0 to 99; else nothing.
std::optional<int> setting_number(std::string_view text);

// FillSettingList's loop: reads setting 0, 1, ... through `read_setting_line` and
// yields the name of each (the text before its first comma) until a line holds no
// comma, and never past setting 99. Names may be empty or repeated.
std::vector<std::u16string> setting_names(FunctionRef<std::u16string(int)> read_setting_line);

}  // namespace gradation

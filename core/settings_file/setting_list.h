// The UserSetting section: keys "00" to "99", and the names the setting list shows.
#pragma once

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

}  // namespace gradation

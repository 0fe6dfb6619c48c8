// The configuration file QX.ini as the windows, the settings editor and gradation-cli read
// it: its bytes, and the values of the UserSetting section decoded to text.
#pragma once

#include "core/base/refusal.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

// A value's bytes as text. In a file that begins with a UTF-8 byte order mark every
// value is UTF-8 (invalid bytes become U+FFFD). Otherwise each value on its own: valid
// UTF-8 (but for a sequence cut short at its end by the reader's limit) is UTF-8,
// anything else Windows-31J (Shift-JIS with the Windows vendor extensions). One stray
// byte in a comment so garbles nothing else.
std::u16string decode_profile_value(std::string_view value_bytes, bool file_has_bom);

// Refused when a file's bytes cannot be read as a configuration file at all (UTF-16,
// which the byte-wise reader would see as nothing).
Outcome check_configuration_file(std::string_view file_bytes);

// A setting line as read, and whether its value reached the reader's 1,023-byte cut:
// such a line is only part of what the file holds and is never applied.
struct SettingLineRead {
    std::u16string line;
    bool reached_cut = false;
};

// The setting list of a file's bytes as the programs see it: the lines of keys 00, 01,
// ... up to the first missing key or value without a comma (at most 100). Empty for a
// file that check_configuration_file refuses.
std::vector<SettingLineRead> read_setting_list(std::string_view file_bytes);

// A configuration file's bytes, read whole: refused as read_profile_file refuses, and as
// FileContentRefused (naming the file) for content check_configuration_file refuses.
Result<std::string> read_configuration_file(const std::filesystem::path& file);

}  // namespace gradation

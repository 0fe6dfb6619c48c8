// The configuration file QX.ini as the windows and gradation-cli read it: values of
// the UserSetting section, decoded to text (ICU for Windows-31J).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

// The directory of the real executable file, links resolved.
std::filesystem::path executable_directory();

// IniFile: QX.ini beside the real executable (MakeIniFile).
std::filesystem::path MakeIniFile();

// A value's bytes as text: UTF-8 when the whole file is valid UTF-8, Windows-31J
// (Shift-JIS with the Windows vendor extensions) otherwise.
std::u16string decode_profile_value(std::string_view value_bytes, bool file_is_utf8);

class ConfigurationFile {
public:
    explicit ConfigurationFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // ReadSettingLine(n): the value of key n (two-digit form) in section UserSetting,
    // read afresh from the file on every call; empty for a missing file, section or key.
    std::u16string ReadSettingLine(int n) const;

    // FillSettingList's names, in list order.
    std::vector<std::u16string> setting_names() const;

private:
    std::filesystem::path path_;
};

}  // namespace gradation

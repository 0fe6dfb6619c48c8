#include "app/listed_settings.h"

#include "core/settings_file/profile_reader.h"

#include <algorithm>
#include <optional>

namespace gradation::app {

bool ListedSettings::operator==(const ListedSettings& other) const {
    const auto same_read = [](const SettingLineRead& a, const SettingLineRead& b) {
        return a.line == b.line && a.reached_cut == b.reached_cut;
    };
    return file == other.file && refusal == other.refusal && bytes == other.bytes &&
           std::equal(lines.begin(), lines.end(), other.lines.begin(), other.lines.end(), same_read);
}

ListedSettings read_listed_settings(const std::filesystem::path& file) {
    ListedSettings listed{file, {}, {}, {}};
    const std::optional<std::string> bytes = read_profile_file(file);
    if (!bytes) return listed;  // missing or unreadable: an empty list
    if (const Outcome checked = check_configuration_file(*bytes); !checked) listed.refusal = checked.error();
    listed.lines = read_setting_list(*bytes);
    listed.bytes = *bytes;
    return listed;
}

}  // namespace gradation::app

#include "app/listed_settings.h"

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
    Result<std::string> bytes = read_configuration_file(file);
    if (!bytes) {
        // Only a file whose content is refused (UTF-16) is said to be one; a missing or
        // unreadable file lists nothing.
        if (bytes.error().code == RefusalCode::FileContentRefused) listed.refusal = bytes.error();
        return listed;
    }
    listed.lines = read_setting_list(*bytes);
    listed.bytes = std::move(*bytes);
    return listed;
}

}  // namespace gradation::app

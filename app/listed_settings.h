// One read of the configuration file as the window lists it: the file, the lines of
// its entries in list order, and why it cannot be read at all, if so. The list, the
// line applied and the "no settings" message all come from the same read.
#pragma once

#include "core/settings_file/configuration_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gradation::app {

struct ListedSettings {
    std::filesystem::path file;
    std::vector<SettingLineRead> lines;
    std::optional<Refusal> refusal;  // a UTF-16 file, which reads as no settings at all
    std::string bytes;    // the file as read, for the entries' Gradient section

    bool operator==(const ListedSettings& other) const;
};

ListedSettings read_listed_settings(const std::filesystem::path& file);

}  // namespace gradation::app

// A QX.ini in a fresh folder for the settings store's tests, and the store opened on it.
#pragma once

#include "core/settings_file/settings_store.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gradation::test {

class StoreFile {
public:
    // `bytes` in QX.ini (none: no file yet) and, when given, an older QX.ini.bak.
    explicit StoreFile(std::optional<std::string_view> bytes, std::optional<std::string_view> older_backup = {}) {
        if (bytes) write_bytes(file, *bytes);
        if (older_backup) write_bytes(backup, *older_backup);
    }

    // The store on `file`, or why it cannot be opened.
    Result<SettingsStore> open() const { return SettingsStore::open(file, {}); }

    const TempFolder folder;
    const std::filesystem::path file = folder / "QX.ini";
    const std::filesystem::path backup = folder / "QX.ini.bak";
};

}  // namespace gradation::test

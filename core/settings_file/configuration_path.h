// Where the programs find their configuration file. The one home of the lookup rule that
// the window, the settings editor and gradation-cli share: the first of these that is a
// file is read.
//   1. the user's own $XDG_CONFIG_HOME/gradation/QX.ini;
//   2. gradation/QX.ini under each folder of $XDG_CONFIG_DIRS (default /etc/xdg), so an
//      administrator can give every user the same settings;
//   3. QX.ini beside the program (the build folder, portable copies);
//   4. <prefix>/share/gradation/QX.ini, found from the program's folder, so an unpacked or
//      moved tree still finds its shipped settings.
// The first write goes to the user's own file, made as a byte copy of the file that was read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gradation {

inline constexpr const char* kIniFileName = "QX.ini";

// The configuration file's path: the program's directory, the separator when that
// text does not already end with one, then "QX.ini".
std::string make_ini_path(const std::string& program_directory, char separator = '/');

// The directory of the real executable file, links resolved.
std::filesystem::path executable_directory();

// IniFile: QX.ini beside the real executable (MakeIniFile).
std::filesystem::path MakeIniFile();

// $XDG_CONFIG_HOME/gradation/QX.ini, or ~/.config/gradation/QX.ini when XDG_CONFIG_HOME
// is unset or empty (HOME from the environment). Empty when neither is set. A relative
// XDG_CONFIG_HOME is ignored, as the base directory rules ask.
std::filesystem::path user_configuration_file();

// Every place looked at, in order, for a program in `program_directory`.
std::vector<std::filesystem::path> configuration_candidates(const std::filesystem::path& program_directory);

// The first candidate that is a regular file (a folder at that path is no configuration
// file), or nothing when there is none.
std::optional<std::filesystem::path> find_configuration_file(const std::filesystem::path& program_directory);

// The file the programs read: find_configuration_file for this program, or QX.ini beside
// it when no candidate exists (that name then appears in the "cannot read" messages).
std::filesystem::path configuration_file_to_read();

// The file an edit writes and the seed its first write copies.
struct EditTarget {
    std::filesystem::path file;
    std::filesystem::path seed;  // empty: the file itself is read
};

// A named file (--ini) is edited as it is and must exist: nothing when it does not.
// Without one, the user's own file, seeded from the file the programs read.
std::optional<EditTarget> edit_target(const std::optional<std::filesystem::path>& ini);

}  // namespace gradation

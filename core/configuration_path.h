// Where the programs find their configuration file: the user's own QX.ini when it
// exists, else the one beside the program.
#pragma once

#include <filesystem>

namespace gradation {

// $XDG_CONFIG_HOME/gradation/QX.ini, or ~/.config/gradation/QX.ini when XDG_CONFIG_HOME
// is unset or empty (HOME from the environment). Empty when neither is set. A relative
// XDG_CONFIG_HOME is ignored, as the base directory rules ask.
std::filesystem::path user_configuration_file();

// The file the programs read: the user's own when it exists, else `beside` (QX.ini
// beside the program, MakeIniFile()).
std::filesystem::path configuration_file_to_read(const std::filesystem::path& beside);

}  // namespace gradation

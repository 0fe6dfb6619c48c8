// Values and the procedure every window shares: LineBreak, the lookup of the
// configuration file, and CenterForm.
#pragma once

#include "core/base/program_values.h"

#include <filesystem>
#include <string>
#include <vector>

class QWidget;

namespace gradation::app {

inline const std::u16string LineBreak{kLineBreak};  // carriage return, line feed

// The configuration file to read now: the first that exists of the user's own QX.ini,
// the system-wide ones, the one beside the program and the installed one
// (core/settings_file/configuration_path.h). A user's file made later (by the first
// edit) takes over.
std::filesystem::path find_ini_file();

// The files whose appearing, going or changing can change what the window lists.
std::vector<std::filesystem::path> ini_files_to_watch();

// Puts the window in the middle of the whole primary screen: first the left edge,
// then, with the height read afterwards, the top edge.
void CenterForm(QWidget& form);

}  // namespace gradation::app

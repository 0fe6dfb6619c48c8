// gradation-settings' command line: [--ini FILE], --help, --version.
#pragma once

#include <string>
#include <vector>

namespace gradation::settings_editor {

struct EditorOptions {
    enum class Action { Edit, Help, Version, Usage };
    Action action = Action::Edit;
    std::string ini;    // --ini FILE; empty for the user's own file
    std::string error;  // why the command line was refused (Action::Usage)
};

EditorOptions parse_editor_command_line(const std::vector<std::string>& arguments);

std::string editor_usage_text();

}  // namespace gradation::settings_editor

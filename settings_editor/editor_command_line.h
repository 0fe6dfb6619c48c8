// gradation-settings' command line: [--ini FILE], --help, --version.
#pragma once

#include "core/base/refusal.h"

#include <string>
#include <vector>

namespace gradation::settings_editor {

struct EditorOptions {
    enum class Action { Edit, Help, Version };
    Action action = Action::Edit;
    std::string ini;  // --ini FILE; empty for the user's own file
};

// The options, or why the command line was refused (a usage error).
Result<EditorOptions> parse_editor_command_line(const std::vector<std::string>& arguments);

std::string editor_usage_text();

}  // namespace gradation::settings_editor

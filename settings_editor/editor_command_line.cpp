#include "settings_editor/editor_command_line.h"

namespace gradation::settings_editor {

std::string editor_usage_text() {
    return "Usage: gradation-settings [--ini FILE]\n"
           "       gradation-settings --help | --version\n"
           "\n"
           "Edits the settings of gradation in a window. Without --ini it edits your own\n"
           "file, $XDG_CONFIG_HOME/gradation/QX.ini (~/.config/gradation/QX.ini), which the\n"
           "first save creates as a copy of the QX.ini the programs read until then\n"
           "(the file gradation-cli names when asked which it reads).\n"
           "\n"
           "  --ini FILE   edit FILE instead\n"
           "  --help       show this help\n"
           "  --version    show the version\n";
}

Result<EditorOptions> parse_editor_command_line(const std::vector<std::string>& arguments) {
    EditorOptions o;
    bool help = false;
    bool version = false;
    bool ini_given = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a == "--ini" || a.rfind("--ini=", 0) == 0) {
            std::string value;
            if (a == "--ini") {
                if (i + 1 >= arguments.size()) return refuse(RefusalCode::OptionNeedsFile, {"--ini"});
                value = arguments[++i];
            } else {
                value = a.substr(6);
            }
            if (ini_given) return refuse(RefusalCode::OptionRepeated, {"--ini"});
            if (value.empty()) return refuse(RefusalCode::OptionNeedsFile, {"--ini"});
            ini_given = true;
            o.ini = value;
        } else {
            return refuse(RefusalCode::UnknownArgument, {a});
        }
    }
    if (help) o.action = EditorOptions::Action::Help;
    else if (version) o.action = EditorOptions::Action::Version;
    return o;
}

}  // namespace gradation::settings_editor

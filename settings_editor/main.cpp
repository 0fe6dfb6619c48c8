// gradation-settings: the settings editor. Without --ini it edits the user's own
// QX.ini, seeded from the file the programs read while it does not exist; a file named
// with --ini must exist.
#include "core/settings_file/configuration_path.h"
#include "core/base/version_info.h"
#include "platform/interface_language.h"
#include "settings_editor/editor_command_line.h"
#include "settings_editor/settings_editor.h"

#include <QApplication>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using gradation::settings_editor::EditorOptions;
    const gradation::Result<EditorOptions> parsed =
        gradation::settings_editor::parse_editor_command_line(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (!parsed) {
        std::cerr << "gradation-settings: " << parsed.error().text() << " (see --help)\n";
        return 2;
    }
    const EditorOptions& options = *parsed;
    switch (options.action) {
    case EditorOptions::Action::Help:
        std::cout << gradation::settings_editor::editor_usage_text();
        return 0;
    case EditorOptions::Action::Version:
        std::cout << "gradation-settings " << gradation::version_info::kVersionText << '\n';
        return 0;
    case EditorOptions::Action::Edit:
        break;
    }

    const std::optional<gradation::EditTarget> target = gradation::edit_target(
        options.ini.empty() ? std::nullopt : std::optional<std::filesystem::path>(options.ini));
    if (!target) {
        std::cerr << "gradation-settings: no such file: " << options.ini << '\n';
        return 1;
    }

    // The same X11 path as the main window, so both behave alike on a Wayland desktop.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    int qt_argc = argc > 0 ? 1 : 0;
    QApplication application(qt_argc, argv);
    gradation::platform::install_interface_language();

    gradation::settings_editor::SettingsEditor editor;
    if (target->file.empty()) {
        editor.show();
        editor.open(target->file, target->seed);  // says why nothing can be edited
    } else {
        editor.open(target->file, target->seed);
        editor.show();
    }
    return QApplication::exec();
}

// gradation-settings: the settings editor. Without --ini it edits the user's own
// QX.ini, seeded from the file the programs read while it does not exist.
#include "core/configuration_path.h"
#include "core/version_info.h"
#include "platform/qt_translation.h"
#include "settings_editor/editor_command_line.h"
#include "settings_editor/settings_editor.h"

#include <QApplication>

#include <iostream>
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

    // The same X11 path as the main window, so both behave alike on a Wayland desktop.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    int qt_argc = argc > 0 ? 1 : 0;
    QApplication application(qt_argc, argv);
    gradation::platform::load_qt_translation(gradation::platform::kInterfaceLanguage);

    const std::filesystem::path seed = gradation::configuration_file_to_read();
    const std::filesystem::path file = options.ini.empty() ? gradation::user_configuration_file()
                                                           : std::filesystem::path(options.ini);
    gradation::settings_editor::SettingsEditor editor;
    if (file.empty()) {
        editor.show();
        editor.open(file, seed);  // says why nothing can be edited
    } else {
        editor.open(file, options.ini.empty() ? seed : file);
        editor.show();
    }
    return QApplication::exec();
}

#include "app/program_level.h"

#include "core/settings_file/configuration_file.h"
#include "core/settings_file/configuration_path.h"
#include "core/base/program_values.h"
#include "platform/window_placement.h"

#include <QWidget>

namespace gradation::app {

std::filesystem::path find_ini_file() { return configuration_file_to_read(); }

std::vector<std::filesystem::path> ini_files_to_watch() {
    return configuration_candidates(executable_directory());
}

void CenterForm(QWidget& form) {
    const QSize screen = platform::screen_size();
    const auto left = centred_edge(screen.width(), platform::outer_geometry(form).width());
    platform::set_left_edge(form, static_cast<int>(left));
    const auto top = centred_edge(screen.height(), platform::outer_geometry(form).height());
    platform::set_top_edge(form, static_cast<int>(top));
}

}  // namespace gradation::app

#include "app/program_level.h"

#include "core/program_values.h"
#include "platform/window_placement.h"

#include <QWidget>

namespace gradation::app {

void CenterForm(QWidget& form) {
    const QSize screen = platform::screen_size();
    const auto left = centred_edge(screen.width(), platform::outer_geometry(form).width());
    platform::set_left_edge(form, static_cast<int>(left));
    const auto top = centred_edge(screen.height(), platform::outer_geometry(form).height());
    platform::set_top_edge(form, static_cast<int>(top));
}

}  // namespace gradation::app

// The application icon, 32 x 32 pixels in 16 colours; every window carries it.
#pragma once

#include <QIcon>

namespace gradation::widgets {

QIcon app_icon();

}  // namespace gradation::widgets

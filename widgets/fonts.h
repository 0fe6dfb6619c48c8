// The fonts the windows' designs ask for, each with the installed Japanese fallbacks
// after it. IPAPGothic has the metrics of the Windows proportional Gothic.
#pragma once

#include <QFont>

namespace gradation::widgets {

// The user-interface Gothic of the controls.
QFont ui_gothic_font(int point_size);

// The proportional Gothic of the summary label and the OK button.
QFont proportional_gothic_font(int point_size, bool bold = false);

}  // namespace gradation::widgets

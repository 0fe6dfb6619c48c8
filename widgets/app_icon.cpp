#include "widgets/app_icon.h"

#include <QPixmap>

#include "widgets/resources/gradation_icon.xpm"

namespace gradation::widgets {

QIcon app_icon() { return QIcon(QPixmap(gradation_icon_xpm)); }

}  // namespace gradation::widgets

#include "app/app_icon.h"

#include <QPixmap>

#include "app/resources/gradation_icon.xpm"

namespace gradation::app {

QIcon app_icon() { return QIcon(QPixmap(gradation_icon_xpm)); }

}  // namespace gradation::app

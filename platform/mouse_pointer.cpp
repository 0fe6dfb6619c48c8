#include "platform/mouse_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace gradation::platform {

// Qt keeps override cursors on a stack; at most one of ours is ever on it.
void set_mouse_pointer(MousePointer pointer) {
    if (pointer == MousePointer::Hourglass) {
        if (QGuiApplication::overrideCursor() == nullptr) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        } else {
            QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        }
    } else {
        while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
    }
}

MousePointer mouse_pointer() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor ? MousePointer::Hourglass : MousePointer::Default;
}

}  // namespace gradation::platform

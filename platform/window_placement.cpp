#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace gradation::platform {

QSize screen_size() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

QRect outer_geometry(const QWidget& window) { return window.frameGeometry(); }

void set_left_edge(QWidget& window, int left) { window.move(left, window.frameGeometry().top()); }

void set_top_edge(QWidget& window, int top) { window.move(window.frameGeometry().left(), top); }

void set_keep_above(QWidget& window, bool on) {
    // QWidget::setWindowFlag would hide the window; tell the widget without telling
    // the window system, then set the flag on the native window if there is one yet.
    window.overrideWindowFlags(on ? window.windowFlags() | Qt::WindowStaysOnTopHint
                                  : window.windowFlags() & ~Qt::WindowStaysOnTopHint);
    if (QWindow* handle = window.windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

bool keeps_above(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->flags().testFlag(Qt::WindowStaysOnTopHint)
                             : window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace gradation::platform

// Where windows stand: the screen's size, a window's outer geometry, moving its
// edges, and keeping it above all other windows.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace gradation::platform {

// The whole primary screen in pixels (not its work area).
QSize screen_size();

// The window's outer rectangle, frame and title bar included; for a window not yet
// on screen, with the frame the window system will put around it.
QRect outer_geometry(const QWidget& window);

// Move one outer edge; the other stays where it is.
void set_left_edge(QWidget& window, int left);
void set_top_edge(QWidget& window, int top);

// Keeps the window above all other windows, or lets it drop back among them. On a
// shown window only the window's flag changes: it is neither hidden nor moved.
void set_keep_above(QWidget& window, bool on);
bool keeps_above(const QWidget& window);

}  // namespace gradation::platform

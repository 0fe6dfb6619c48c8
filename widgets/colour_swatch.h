// How a setting's colour shows on screen, for the main window's swatches and the
// settings editor's colour fields alike.
#pragma once

#include "core/colour/colour.h"

#include <QColor>

class QLabel;

namespace gradation::widgets {

// A window colour is red + 256 green + 65536 blue; its three low bytes are drawn, so
// components outside 0..255 show as that sum's bytes, not clamped.
QColor window_colour(const Colour& colour);

// Fills `label`'s background with `colour`.
void set_background(QLabel* label, const QColor& colour);

}  // namespace gradation::widgets

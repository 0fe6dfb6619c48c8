// The windows' designs give positions and sizes in twips: 15 twips to a pixel at 96 dpi
// (Qt scales the pixels on high-dpi screens).
#pragma once

#include <QWidget>

namespace gradation::widgets {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twips_to_pixels(int twips) { return twips / kTwipsPerPixel; }

// Puts `control` at a design position, in twips from its parent's top-left corner.
inline void place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twips_to_pixels(left), twips_to_pixels(top), twips_to_pixels(width),
                         twips_to_pixels(height));
}

}  // namespace gradation::widgets

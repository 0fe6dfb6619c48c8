// The pictures of the four size-variation shapes shown in imgX(0) to imgX(3).
#pragma once

#include <QImage>

namespace gradation::widgets {

inline constexpr int kWavePictureWidth = 50;
inline constexpr int kWavePictureHeight = 25;

// Pattern 0 valley, 1 mountain, 2 falling, 3 rising: a #373737 stepped silhouette on
// #AFAFAF, one column per height, standing on the bottom edge; the outer columns and
// the top row stay background.
QImage size_wave_picture(int pattern);

}  // namespace gradation::widgets

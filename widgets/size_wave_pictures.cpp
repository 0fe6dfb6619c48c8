#include "widgets/size_wave_pictures.h"

#include <array>
#include <cstdint>

namespace gradation::widgets {
namespace {

using Heights = std::array<std::uint8_t, kWavePictureWidth - 2>;

constexpr Heights kValley = {23, 23, 23, 23, 22, 22, 21, 21, 21, 20, 20, 20, 19, 19, 18, 18,
                             18, 17, 17, 17, 16, 16, 16, 15, 15, 16, 16, 16, 17, 17, 17, 18,
                             18, 18, 19, 19, 20, 20, 20, 21, 21, 21, 22, 22, 23, 23, 23, 23};
constexpr Heights kMountain = {14, 15, 15, 16, 16, 16, 17, 17, 18, 18, 19, 19, 19, 20, 20, 21,
                               21, 21, 22, 22, 23, 23, 23, 23, 23, 23, 23, 22, 22, 22, 21, 21,
                               20, 20, 20, 19, 19, 18, 18, 18, 17, 17, 16, 16, 16, 15, 15, 14};
constexpr Heights kFalling = {23, 23, 23, 23, 22, 22, 21, 21, 21, 20, 20, 20, 19, 19, 18, 18,
                              18, 17, 17, 17, 16, 16, 16, 15, 15, 14, 14, 14, 13, 13, 13, 12,
                              12, 12, 11, 11, 10, 10, 10, 9,  9,  9,  8,  8,  7,  7,  7,  6};

constexpr QRgb kBackground = qRgb(0xAF, 0xAF, 0xAF);
constexpr QRgb kSilhouette = qRgb(0x37, 0x37, 0x37);

Heights heights_of(int pattern) {
    switch (pattern) {
    case 0: return kValley;
    case 1: return kMountain;
    case 2: return kFalling;
    default: {
        Heights rising{};
        for (std::size_t i = 0; i < rising.size(); ++i) rising[i] = kFalling[kFalling.size() - 1 - i];
        return rising;
    }
    }
}

}  // namespace

QImage size_wave_picture(int pattern) {
    QImage image(kWavePictureWidth, kWavePictureHeight, QImage::Format_RGB32);
    image.fill(kBackground);
    const Heights heights = heights_of(pattern);
    for (int column = 0; column < static_cast<int>(heights.size()); ++column) {
        const int x = column + 1;
        for (int y = kWavePictureHeight - heights[static_cast<std::size_t>(column)]; y < kWavePictureHeight; ++y)
            image.setPixel(x, y, kSilhouette);
    }
    return image;
}

}  // namespace gradation::widgets

#include "widgets/colour_swatch.h"

#include <QLabel>
#include <QPalette>

#include <cstdint>

namespace gradation::widgets {

QColor window_colour(const Colour& colour) {
    const std::int64_t sum = colour.red + std::int64_t{256} * colour.green + std::int64_t{65536} * colour.blue;
    const auto composed = static_cast<std::uint32_t>(sum);
    return QColor(static_cast<int>(composed & 0xFFu), static_cast<int>((composed >> 8) & 0xFFu),
                  static_cast<int>((composed >> 16) & 0xFFu));
}

void set_background(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

}  // namespace gradation::widgets

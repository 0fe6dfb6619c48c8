// Writes the application icon as a PNG for the desktop's icon theme:
//   gradation_icon_png ICON.xpm OUT.png [SIZE]
// The program draws the same XPM picture, so the menu shows the window's own icon. Without
// SIZE the picture is written as drawn. With SIZE it is enlarged pixel by pixel to the
// smallest whole multiple that reaches SIZE, so its hard edges stay hard, and only then
// smoothed down to SIZE when that multiple overshoots (48 from 32 goes through 64).
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s ICON.xpm OUT.png [SIZE]\n", argc > 0 ? argv[0] : "gradation_icon_png");
        return 2;
    }
    QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
    if (icon.isNull()) {
        std::fprintf(stderr, "%s: cannot read the picture\n", argv[1]);
        return 1;
    }
    if (argc == 4) {
        const int size = std::atoi(argv[3]);
        if (size < 1 || size > 1024 || icon.width() != icon.height()) {
            std::fprintf(stderr, "%s: cannot make a %s-pixel square of a %dx%d picture\n", argv[1], argv[3],
                         icon.width(), icon.height());
            return 2;
        }
        const int factor = (size + icon.width() - 1) / icon.width();
        icon = icon.convertToFormat(QImage::Format_ARGB32)
                   .scaled(icon.width() * factor, icon.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (icon.width() != size)
            icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write the picture\n", argv[2]);
        return 1;
    }
    return 0;
}

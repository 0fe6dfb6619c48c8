// Writes the application icon as a PNG for the desktop's icon theme:
//   gradation_icon_png ICON.xpm OUT.png
// The program draws the same XPM picture, so the menu shows the window's own icon.
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.xpm OUT.png\n", argc > 0 ? argv[0] : "gradation_icon_png");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
    if (icon.isNull()) {
        std::fprintf(stderr, "%s: cannot read the picture\n", argv[1]);
        return 1;
    }
    if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write the picture\n", argv[2]);
        return 1;
    }
    return 0;
}

#include "widgets/fonts.h"

#include <QStringList>

namespace gradation::widgets {
namespace {

const QStringList& fallbacks() {
    static const QStringList families{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                      QStringLiteral("Noto Sans CJK JP")};
    return families;
}

QFont font_of(QStringList families, int point_size, bool bold) {
    QFont font;
    font.setFamilies(families + fallbacks());
    font.setPointSize(point_size);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont ui_gothic_font(int point_size) { return font_of({QStringLiteral("MS UI Gothic")}, point_size, false); }

QFont proportional_gothic_font(int point_size, bool bold) {
    return font_of({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")}, point_size, bold);
}

}  // namespace gradation::widgets

#include "settings_editor/colour_field.h"

#include "widgets/colour_swatch.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <cstdint>

namespace gradation::settings_editor {

QString colour_text(const Colour& colour) {
    if (in_byte_range(colour))
        return QStringLiteral("#%1%2%3")
            .arg(colour.red, 2, 16, QLatin1Char('0'))
            .arg(colour.green, 2, 16, QLatin1Char('0'))
            .arg(colour.blue, 2, 16, QLatin1Char('0'))
            .toUpper();
    return QStringLiteral("%1, %2, %3").arg(colour.red).arg(colour.green).arg(colour.blue);
}

std::optional<Colour> read_colour_text(const QString& text) {
    static const QRegularExpression hex(QStringLiteral("^\\s*#?([0-9A-Fa-f]{6})\\s*$"));
    static const QRegularExpression triple(
        QStringLiteral("^\\s*([-+]?\\d{1,6})\\s*,\\s*([-+]?\\d{1,6})\\s*,\\s*([-+]?\\d{1,6})\\s*$"));
    if (const auto m = hex.match(text); m.hasMatch()) {
        const uint value = m.captured(1).toUInt(nullptr, 16);
        return Colour{static_cast<std::int32_t>(value >> 16), static_cast<std::int32_t>((value >> 8) & 0xFF),
                      static_cast<std::int32_t>(value & 0xFF)};
    }
    if (const auto m = triple.match(text); m.hasMatch()) {
        Colour colour;
        int i = 1;
        for (std::int32_t* channel : {&colour.red, &colour.green, &colour.blue}) {
            *channel = m.captured(i++).toInt();
            if (*channel < -32768 || *channel > 32767) return std::nullopt;
        }
        return colour;
    }
    return std::nullopt;
}

ColourField::ColourField(const QString& picker_title, QWidget* parent)
    : QWidget(parent), picker_title_(picker_title) {
    swatch = new QPushButton(this);
    swatch->setFixedSize(40, 22);
    swatch->setToolTip(tr("色を選ぶ"));
    text = new QLineEdit(this);
    text->setMaxLength(24);
    text->setFixedWidth(110);
    text->setToolTip(tr("#RRGGBB (例: #FF8000)"));
    out_of_range = new QLabel(tr("0〜255 の外の値です。変えなければそのまま残ります。"), this);
    out_of_range->setStyleSheet(QStringLiteral("color: #A05000"));
    out_of_range->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(swatch);
    layout->addWidget(text);
    layout->addWidget(out_of_range, 1);
    layout->addStretch();

    connect(swatch, &QPushButton::clicked, this, [this] { pick(); });
    connect(text, &QLineEdit::textEdited, this, [this](const QString& t) { text_edited(t); });
    // Leaving the field puts the text back in its usual form, or back to the colour
    // when it did not read as one.
    connect(text, &QLineEdit::editingFinished, this, [this] { text->setText(colour_text(colour_)); });
    show_colour(colour_);
}

void ColourField::show_colour(const Colour& colour) {
    colour_ = colour;
    text->setText(colour_text(colour));
    show_swatch_and_note();
}

void ColourField::set_colour(const Colour& colour) {
    show_colour(colour);
    if (on_changed) on_changed();
}

void ColourField::pick() {
    const QColor chosen = QColorDialog::getColor(widgets::window_colour(colour_), this, picker_title_);
    if (!chosen.isValid()) return;  // cancelled
    set_colour(Colour{chosen.red(), chosen.green(), chosen.blue()});
}

void ColourField::text_edited(const QString& t) {
    const std::optional<Colour> colour = read_colour_text(t);
    text->setStyleSheet(colour ? QString() : QStringLiteral("color: #C00000"));
    if (!colour || *colour == colour_) return;
    colour_ = *colour;  // the text stays as typed until the field is left
    show_swatch_and_note();
    if (on_changed) on_changed();
}

void ColourField::show_swatch_and_note() {
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #404040")
                              .arg(widgets::window_colour(colour_).name()));
    out_of_range->setVisible(!in_byte_range(colour_));
    text->setStyleSheet(QString());
}

}  // namespace gradation::settings_editor

// One colour of a setting: a swatch that opens a colour picker, and its text, either
// "#RRGGBB" or, for components outside 0..255 that a file already holds, "r, g, b".
#pragma once

#include "core/setting_line/setting_record.h"

#include <QCoreApplication>
#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gradation::settings_editor {

// "#RRGGBB" when every component lies in 0..255, else "r, g, b".
QString colour_text(const Colour& colour);
// Reads "#RRGGBB" (the "#" optional, any case) or "r, g, b" with 16-bit components.
std::optional<Colour> read_colour_text(const QString& text);

class ColourField : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(ColourField)

public:
    ColourField(const QString& picker_title, QWidget* parent = nullptr);

    const Colour& colour() const { return colour_; }
    // Shows `colour` without telling on_changed (an entry being loaded).
    void show_colour(const Colour& colour);
    // Sets `colour` as the user does: on_changed is told.
    void set_colour(const Colour& colour);

    std::function<void()> on_changed;

    QPushButton* swatch = nullptr;  // opens QColorDialog
    QLineEdit* text = nullptr;
    QLabel* out_of_range = nullptr;  // shown while a component lies outside 0..255

private:
    void pick();
    void text_edited(const QString& text);
    void show_swatch_and_note();

    QString picker_title_;
    Colour colour_{};
};

}  // namespace gradation::settings_editor

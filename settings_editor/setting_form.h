// The fields of one setting, each with a fitting control. The form keeps the record it
// was shown and changes only the fields the user edits, so values a control cannot
// show (a colour outside 0..255, a size mode of 5) are kept as the file has them.
#pragma once

#include "core/setting_line/setting_record.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace gradation::widgets {
class ValueCheckBox;
}

namespace gradation::settings_editor {

class ColourField;
class GradientBar;

class SettingForm : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(SettingForm)

public:
    explicit SettingForm(QWidget* parent = nullptr);

    // Shows an entry without telling on_changed.
    void show_entry(const QString& name, const SettingRecord& record);

    QString name() const;
    const SettingRecord& record() const { return record_; }

    // Told after every edit by the user.
    std::function<void()> on_changed;

    QLineEdit* name_edit = nullptr;
    ColourField* start_colour = nullptr;
    ColourField* end_colour = nullptr;
    GradientBar* gradient_bar = nullptr;  // the stops; its ends are the two colours above
    QSpinBox* stop_position = nullptr;    // the selected stop's position, 0..100
    QPushButton* stop_colour = nullptr;   // picks the selected stop's colour
    QComboBox* space = nullptr;           // the spaces in their order, srgb first; its tooltip says
                                          // what the chosen one does
    QCheckBox* underline = nullptr;
    QCheckBox* italic = nullptr;
    QCheckBox* bold = nullptr;
    QComboBox* size_mode = nullptr;     // none, absolute, relative (and the file's other value)
    QComboBox* size_sign = nullptr;     // +, - (and the file's other value)
    QSpinBox* size_value = nullptr;
    QCheckBox* size_wave = nullptr;
    QComboBox* wave_pattern = nullptr;  // the four pictures (and the file's other value)
    QLabel* wave_picture = nullptr;     // the picture the main window shows for the setting
    QCheckBox* table_wrap = nullptr;
    QSpinBox* table_border = nullptr;
    QCheckBox* vertical = nullptr;
    QCheckBox* start_mark = nullptr;
    QCheckBox* end_mark = nullptr;
    QCheckBox* break_after = nullptr;
    widgets::ValueCheckBox* separate_tags = nullptr;

private:
    void build();
    QWidget* build_size_group();
    QWidget* build_table_group();
    QWidget* build_marks_group();
    QWidget* build_gradient_row();
    void connect_fields();
    void connect_gradient();
    void show_gradient();           // the record's gradient in the bar and its controls
    void show_selected_stop();
    void gradient_edited();         // the bar changed: the record and the colour fields follow
    void end_colour_edited();       // a colour field changed: the end stop follows
    void pick_stop_colour();
    void edited();
    void show_dependent_state();  // what is enabled, and the wave picture

    SettingRecord record_;
    bool showing_ = false;  // controls are being set by show_entry
};

// Puts `value` into a combo box whose items 0..count-1 stand for 0..count-1; any other
// value gets an extra item of its own at the end, so it is shown and kept.
void show_choice(QComboBox* box, int count, int value);
// The value the combo box's current item stands for.
int chosen_value(const QComboBox* box);

}  // namespace gradation::settings_editor

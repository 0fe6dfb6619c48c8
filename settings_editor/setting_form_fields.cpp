// SettingForm's binding: showing a record in the controls, and each edit written back
// into the one field it stands for.
#include "settings_editor/setting_form.h"

#include "core/setting_line/setting_meaning.h"

#include "widgets/check_box_value.h"
#include "widgets/size_wave_pictures.h"
#include "settings_editor/colour_field.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>

namespace gradation::settings_editor {
namespace {

constexpr int kValueRole = Qt::UserRole + 1;

std::int16_t as16(int v) { return static_cast<std::int16_t>(v); }

// A flag check box bound to one field of the record.
template <class Connect>
void bind_flag(QCheckBox* box, bool SettingRecord::*field, SettingRecord& record, Connect&& after) {
    QObject::connect(box, &QCheckBox::toggled, box, [field, &record, after](bool on) {
        record.*field = on;
        after();
    });
}

}  // namespace

void show_choice(QComboBox* box, int count, int value) {
    while (box->count() > count) box->removeItem(box->count() - 1);
    for (int i = 0; i < count; ++i) box->setItemData(i, i, kValueRole);
    if (value >= 0 && value < count) {
        box->setCurrentIndex(value);
        return;
    }
    box->addItem(QCoreApplication::translate("SettingForm", "その他 (%1)").arg(value), value);
    box->setItemData(count, value, kValueRole);
    box->setCurrentIndex(count);
}

int chosen_value(const QComboBox* box) { return box->currentData(kValueRole).toInt(); }

void SettingForm::show_entry(const QString& name, const SettingRecord& record) {
    showing_ = true;
    record_ = record;
    name_edit->setText(name);
    start_colour->show_colour(record.StartColor);
    end_colour->show_colour(record.EndColor);
    show_gradient();
    underline->setChecked(record.Underline);
    italic->setChecked(record.Italic);
    bold->setChecked(record.Bold);
    show_choice(size_mode, kSizeModeCount, record.SizeMode);
    show_choice(size_sign, kSizeSignCount, record.SizeSign);
    size_value->setValue(record.SizeValue);
    size_wave->setChecked(record.SizeWave);
    show_choice(wave_pattern, kWavePatternCount, record.WavePattern);
    table_wrap->setChecked(record.TableWrap);
    table_border->setValue(record.TableBorder);
    vertical->setChecked(is_vertical(record));
    start_mark->setChecked(record.StartMark);
    end_mark->setChecked(record.EndMark);
    break_after->setChecked(record.BreakAfter);
    separate_tags->set_value(record.DevTag);
    record_ = record;  // the controls' own signals above must not have changed it
    showing_ = false;
    show_dependent_state();
}

QString SettingForm::name() const { return name_edit->text(); }

void SettingForm::connect_fields() {
    auto after = [this] { edited(); };
    connect(name_edit, &QLineEdit::textChanged, this, after);
    start_colour->on_changed = [this] {
        record_.StartColor = start_colour->colour();
        end_colour_edited();
    };
    end_colour->on_changed = [this] {
        record_.EndColor = end_colour->colour();
        end_colour_edited();
    };
    connect_gradient();
    bind_flag(underline, &SettingRecord::Underline, record_, after);
    bind_flag(italic, &SettingRecord::Italic, record_, after);
    bind_flag(bold, &SettingRecord::Bold, record_, after);
    bind_flag(size_wave, &SettingRecord::SizeWave, record_, after);
    bind_flag(table_wrap, &SettingRecord::TableWrap, record_, after);
    bind_flag(start_mark, &SettingRecord::StartMark, record_, after);
    bind_flag(end_mark, &SettingRecord::EndMark, record_, after);
    bind_flag(break_after, &SettingRecord::BreakAfter, record_, after);

    connect(size_mode, &QComboBox::currentIndexChanged, this, [this] {
        record_.SizeMode = as16(chosen_value(size_mode));
        edited();
    });
    connect(size_sign, &QComboBox::currentIndexChanged, this, [this] {
        record_.SizeSign = as16(chosen_value(size_sign));
        edited();
    });
    connect(wave_pattern, &QComboBox::currentIndexChanged, this, [this] {
        record_.WavePattern = as16(chosen_value(wave_pattern));
        edited();
    });
    connect(size_value, &QSpinBox::valueChanged, this, [this](int v) {
        record_.SizeValue = as16(v);
        edited();
    });
    connect(table_border, &QSpinBox::valueChanged, this, [this](int v) {
        record_.TableBorder = as16(v);
        edited();
    });
    // A direction other than H or V in the file stays until the box is clicked.
    connect(vertical, &QCheckBox::toggled, this, [this](bool on) {
        record_.Direction = on ? kVertical : kHorizontal;
        edited();
    });
    // The program greys the box for a DevTag of 2; a click makes it 0 or 1.
    connect(separate_tags, &QCheckBox::stateChanged, this, [this] {
        record_.DevTag = as16(separate_tags->value());
        edited();
    });
}

void SettingForm::edited() {
    if (showing_) return;
    show_dependent_state();
    if (on_changed) on_changed();
}

void SettingForm::show_dependent_state() {
    size_sign->setEnabled(gradation::size_mode(record_) == SizeMode::Relative);
    const bool absolute = gradation::size_mode(record_) == SizeMode::Absolute;
    size_wave->setEnabled(absolute);
    wave_pattern->setEnabled(absolute && record_.SizeWave);
    table_border->setEnabled(record_.TableWrap);
    vertical->setEnabled(record_.TableWrap);
    // As the main window shows the pattern's picture.
    wave_picture->setPixmap(window_shows_wave(record_) ? QPixmap::fromImage(widgets::size_wave_picture(record_.WavePattern)) : QPixmap());
}

}  // namespace gradation::settings_editor

// SettingForm's design: the controls grouped as the setting line orders its fields.
#include "settings_editor/setting_form.h"

#include "widgets/check_box_value.h"
#include "widgets/size_wave_pictures.h"
#include "settings_editor/colour_field.h"
#include "settings_editor/gradient_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace gradation::settings_editor {
namespace {

QSpinBox* sixteen_bit_spin_box(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    box->setFixedWidth(80);
    return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* w : widgets) layout->addWidget(w);
    layout->addStretch();
    return layout;
}

// A label whose access key moves the focus to `buddy`.
QLabel* label_for(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

SettingForm::SettingForm(QWidget* parent) : QWidget(parent) {
    build();
    connect_fields();
    show_entry(QString(), record_);
}

void SettingForm::build() {
    name_edit = new QLineEdit(this);
    start_colour = new ColourField(tr("開始色"), this);
    end_colour = new ColourField(tr("終了色"), this);
    underline = new QCheckBox(tr("下線(&U)"), this);
    italic = new QCheckBox(tr("斜体(&I)"), this);
    bold = new QCheckBox(tr("太字(&B)"), this);

    auto* main = new QFormLayout;
    main->addRow(label_for(tr("名前(&N)"), name_edit, this), name_edit);
    main->addRow(label_for(tr("開始色(&C)"), start_colour->text, this), start_colour);
    main->addRow(label_for(tr("終了色(&E)"), end_colour->text, this), end_colour);
    QWidget* gradient_row = build_gradient_row();
    main->addRow(label_for(tr("グラデーション(&G)"), gradient_bar, this), gradient_row);
    main->addRow(tr("文字"), row({underline, italic, bold}));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(main);
    layout->addWidget(build_size_group());
    layout->addWidget(build_table_group());
    layout->addWidget(build_marks_group());
    layout->addStretch();
}

QWidget* SettingForm::build_size_group() {
    size_mode = new QComboBox(this);
    size_mode->addItems({tr("なし (ページの大きさ)"), tr("絶対"), tr("相対")});
    size_sign = new QComboBox(this);
    size_sign->addItems({QStringLiteral("+"), QStringLiteral("-")});
    size_value = sixteen_bit_spin_box(this);
    size_wave = new QCheckBox(tr("大きさを波打たせる(&W)"), this);
    wave_pattern = new QComboBox(this);
    wave_pattern->setIconSize(QSize(widgets::kWavePictureWidth, widgets::kWavePictureHeight));
    const QStringList shapes{tr("谷"), tr("山"), tr("下り"), tr("上り")};
    for (int i = 0; i < 4; ++i)
        wave_pattern->addItem(QIcon(QPixmap::fromImage(widgets::size_wave_picture(i))), shapes[i]);
    wave_picture = new QLabel(this);
    wave_picture->setFixedSize(widgets::kWavePictureWidth, widgets::kWavePictureHeight);
    wave_picture->setToolTip(tr("メイン画面に出る絵"));

    auto* size_group = new QGroupBox(tr("大きさ"), this);
    auto* size_form = new QFormLayout(size_group);
    size_form->addRow(label_for(tr("指定(&Z)"), size_mode, this),
                      row({size_mode, new QLabel(tr("符号"), this), size_sign,
                           new QLabel(tr("値"), this), size_value}));
    size_form->addRow(size_wave, row({wave_pattern, wave_picture}));
    return size_group;
}

QWidget* SettingForm::build_table_group() {
    table_wrap = new QCheckBox(tr("表で囲む(&T)"), this);
    table_border = sixteen_bit_spin_box(this);
    vertical = new QCheckBox(tr("縦書き (表で囲むとき)(&V)"), this);

    auto* table_group = new QGroupBox(tr("表"), this);
    auto* table_form = new QFormLayout(table_group);
    table_form->addRow(table_wrap, row({new QLabel(tr("枠の太さ"), this), table_border}));
    table_form->addRow(vertical);
    return table_group;
}

QWidget* SettingForm::build_marks_group() {
    start_mark = new QCheckBox(tr("開始マーク <!--start-->"), this);
    end_mark = new QCheckBox(tr("終了マーク <!--end-->"), this);
    break_after = new QCheckBox(tr("後に <BR>"), this);
    separate_tags = new widgets::ValueCheckBox(tr("分離 (色と大きさを別のタグに)"), this);

    auto* marks_group = new QGroupBox(tr("前後とタグ"), this);
    auto* marks = new QVBoxLayout(marks_group);
    marks->addLayout(row({start_mark, end_mark}));
    marks->addLayout(row({break_after, separate_tags}));
    return marks_group;
}

}  // namespace gradation::settings_editor

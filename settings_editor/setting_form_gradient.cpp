// SettingForm's gradient: the bar of stops under the two colour fields, the selected
// stop's position and colour, and the space the colours are mixed in.
#include "settings_editor/setting_form.h"

#include "core/settings_file/gradient_entries.h"
#include "settings_editor/colour_field.h"
#include "settings_editor/gradient_bar.h"

#include <QCoreApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <span>
#include <string_view>
#include <utility>

namespace gradation::settings_editor {
namespace {

// What each space does, for the list's tooltips, by the space's name.
constexpr std::pair<std::string_view, const char*> kExplanations[] = {
    {"srgb", QT_TRANSLATE_NOOP("SettingForm", "RGB の値を一段ずつ変えます (これまでどおりの色)。")},
    {"linear-srgb", QT_TRANSLATE_NOOP("SettingForm", "光の強さで混ぜます。中ほどが明るめになります。")},
    {"oklab", QT_TRANSLATE_NOOP("SettingForm", "目に均等に見えるように混ぜます。中ほどがくすみません。")},
    {"oklch", QT_TRANSLATE_NOOP("SettingForm", "明るさ・鮮やかさ・色相で混ぜ、色相は近い向きに回ります。")},
    {"oklch-longer", QT_TRANSLATE_NOOP("SettingForm", "色相を遠い向きに回します (虹のように)。")},
};

QString space_explanation(std::string_view name) {
    for (const auto& [space, explanation] : kExplanations)
        if (space == name) return QCoreApplication::translate("SettingForm", explanation);
    return {};
}

int space_index(GradientSpace space) {
    const std::span<const ColourSpace> spaces = colour_spaces();
    for (std::size_t i = 0; i < spaces.size(); ++i)
        if (spaces[i].space == space) return static_cast<int>(i);
    return 0;
}

}  // namespace

QWidget* SettingForm::build_gradient_row() {
    auto* box = new QWidget(this);
    gradient_bar = new GradientBar(box);
    stop_position = new QSpinBox(box);
    stop_position->setRange(0, 100);
    stop_position->setSuffix(QStringLiteral(" %"));
    stop_position->setToolTip(tr("選んだ色の位置"));
    stop_colour = new QPushButton(tr("色"), box);
    stop_colour->setToolTip(tr("選んだ色を変える"));
    space = new QComboBox(box);
    for (const ColourSpace& row : colour_spaces()) {
        space->addItem(QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size())));
        space->setItemData(space->count() - 1, space_explanation(row.name), Qt::ToolTipRole);
    }
    auto* space_label = new QLabel(tr("色空間(&K)"), box);
    space_label->setBuddy(space);

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{gradient_bar, stop_position, stop_colour, space_label, space})
        layout->addWidget(w, w == gradient_bar ? 1 : 0);
    return box;
}

void SettingForm::connect_gradient() {
    gradient_bar->on_changed = [this] { gradient_edited(); };
    gradient_bar->on_selected = [this] { show_selected_stop(); };
    connect(stop_position, &QSpinBox::valueChanged, this, [this](int v) {
        if (!showing_) gradient_bar->move_selected(v);
    });
    connect(stop_colour, &QPushButton::clicked, this, [this] { pick_stop_colour(); });
    connect(space, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!showing_ && i >= 0) gradient_bar->set_space(colour_spaces()[static_cast<std::size_t>(i)].space);
    });
}

void SettingForm::show_gradient() {
    const bool was_showing = std::exchange(showing_, true);
    const Gradient g = record_.gradient.value_or(two_stop_gradient(record_.StartColor, record_.EndColor));
    const int keep = gradient_bar->selected();
    gradient_bar->show_gradient(g);
    gradient_bar->select(was_showing ? 0 : keep);
    space->setCurrentIndex(space_index(g.space));
    space->setToolTip(space_explanation(space_name(g.space)));
    showing_ = was_showing;
}

void SettingForm::show_selected_stop() {
    const int selected = gradient_bar->selected();
    const int last = static_cast<int>(gradient_bar->gradient().stops.size()) - 1;
    const QSignalBlocker blocker(stop_position);
    stop_position->setValue(gradient_bar->gradient().stops[static_cast<std::size_t>(selected)].position);
    stop_position->setEnabled(selected > 0 && selected < last);  // the ends stay at 0 and 100
}

void SettingForm::gradient_edited() {
    if (showing_) return;
    use_gradient(record_, gradient_bar->gradient());
    start_colour->show_colour(record_.StartColor);
    end_colour->show_colour(record_.EndColor);
    space->setToolTip(space_explanation(space_name(gradient_bar->gradient().space)));
    show_selected_stop();
    edited();
}

void SettingForm::end_colour_edited() {
    Gradient g = gradient_bar->gradient();
    g.stops.front().colour = record_.StartColor;
    g.stops.back().colour = record_.EndColor;
    use_gradient(record_, g);
    show_gradient();
    edited();
}

void SettingForm::pick_stop_colour() {
    const Colour& now = gradient_bar->gradient().stops[static_cast<std::size_t>(gradient_bar->selected())].colour;
    const QColor picked = QColorDialog::getColor(QColor(now.red & 0xFF, now.green & 0xFF, now.blue & 0xFF), this,
                                                 tr("グラデーションの色"));
    if (!picked.isValid()) return;
    gradient_bar->set_selected_colour({picked.red(), picked.green(), picked.blue()});
}

}  // namespace gradation::settings_editor

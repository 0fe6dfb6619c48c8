// SettingsEditor and the Gradient section: the current entry's stored stops read into
// the form, the form's stops written back with the line, and an entry whose end stops
// no longer match its line (edited by a program that knows nothing of the section).
#include "settings_editor/settings_editor.h"

#include "core/settings_file/gradient_entries.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/setting_preview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace gradation::settings_editor {

QWidget* SettingsEditor::build_stale_notice() {
    stale_notice = new QWidget(this);
    stale_notice_text = new QLabel(stale_notice);
    stale_notice_text->setWordWrap(true);
    drop_gradient_button = new QPushButton(tr("グラデーションを捨てる"), stale_notice);
    repair_gradient_button = new QPushButton(tr("両端を設定行の色にして使う"), stale_notice);
    auto* layout = new QHBoxLayout(stale_notice);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stale_notice_text, 1);
    layout->addWidget(drop_gradient_button);
    layout->addWidget(repair_gradient_button);
    stale_notice->hide();
    connect(drop_gradient_button, &QPushButton::clicked, this, [this] { drop_stale_gradient(); });
    connect(repair_gradient_button, &QPushButton::clicked, this, [this] { repair_stale_gradient(); });
    return stale_notice;
}

// The notice stays beside the entry while it is shown, whatever the message line says
// after later commands.
void SettingsEditor::show_gradient_entry(int n, const SettingRecord& setting) {
    stored_gradient_ = setting.gradient;
    const GradientEntryRead read = read_gradient_entry(store_->content(), n, setting);
    if (read.refused)
        stale_notice_text->setText(
            tr("[Gradient] の行が読めないので、2 色で表示しています: %1").arg(refusal_text(*read.refused)));
    else if (read.stale)
        stale_notice_text->setText(
            tr("この設定の [Gradient] の色は、設定行の開始色・終了色と合わないため使われていません。"));
    repair_gradient_button->setVisible(read.stale);
    stale_notice->setVisible(read.refused || read.stale);
}

Outcome SettingsEditor::store_gradient() {
    const std::optional<Gradient>& wanted = form->record().gradient;
    if (wanted == stored_gradient_) return {};
    Outcome done = store_->set_gradient(current_, wanted);
    if (done) stored_gradient_ = wanted;
    return done;
}

void SettingsEditor::drop_stale_gradient() {
    if (!store_ || current_ < 0 || keep_unapplied_edit()) return;
    if (refused(store_->set_gradient(current_, std::nullopt), tr("捨てられません"))) return;
    setWindowModified(true);
    show_entry(current_);
    say(tr("[Gradient] の行を捨てました。"));
}

void SettingsEditor::repair_stale_gradient() {
    if (!store_ || current_ < 0 || keep_unapplied_edit()) return;
    std::optional<Gradient> g = read_gradient_entry(store_->content(), current_, form->record()).gradient;
    if (!g) return;
    // The line wins: its colours become the end stops, the stops between stay.
    g->stops.front().colour = form->record().StartColor;
    g->stops.back().colour = form->record().EndColor;
    if (refused(store_->set_gradient(current_, g), tr("直せません"))) return;
    setWindowModified(true);
    show_entry(current_);
    say(tr("[Gradient] の両端を設定行の色にしました。"));
}

}  // namespace gradation::settings_editor

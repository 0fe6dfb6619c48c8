// SettingsEditor's entries: the list as the main window will see it (and the lines it
// will not show, greyed with the reason), choosing one, editing it, and the list's
// commands. Every change goes into the store in memory; Save writes it.
#include "settings_editor/settings_editor.h"

#include "core/settings_file/gradient_entries.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_meaning.h"
#include "core/setting_line/setting_record.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/setting_preview.h"

#include <QColor>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace gradation::settings_editor {
namespace {

QString item_text(int key, std::u16string_view line) {
    return QStringLiteral("%1  %2")
        .arg(QString::fromStdString(setting_key(key)), QString::fromStdU16String(std::u16string(setting_name(line))));
}

// A new entry: the colours of the shipped first setting, no size, no decoration.
SettingRecord new_record() {
    SettingRecord r;
    r.SizeValue = 1;
    r.Direction = kHorizontal;
    r.StartColor = {0, 128, 255};
    r.EndColor = {255, 128, 0};
    return r;
}

}  // namespace

void SettingsEditor::fill_list(int select) {
    {
        const QSignalBlocker blocker(entry_list);
        entry_list->clear();
        if (store_) {
            for (const StoredEntry& e : store_->all_entries()) {
                auto* item = new QListWidgetItem(item_text(e.key, e.line));
                QStringList why;
                if (e.unlisted) why << tr("一覧に出ません: %1").arg(refusal_text(*e.unlisted));
                if (e.refused) why << tr("使えません: %1").arg(refusal_text(*e.refused));
                if (!why.isEmpty()) {
                    item->setText(item->text() + QStringLiteral("  (%1)").arg(why.join(QStringLiteral("; "))));
                    item->setToolTip(tr("gradation では: %1").arg(why.join(QStringLiteral("\n"))));
                    item->setForeground(QColor(0x80, 0x80, 0x80));
                }
                // A line the main window will not list is greyed and never chosen for editing;
                // a listed one the parser refuses can still be chosen to delete or move it.
                if (!e.listed) item->setFlags(Qt::NoItemFlags);
                entry_list->addItem(item);
            }
            const auto listed = store_->entries();
            select = std::min(select, static_cast<int>(listed.size()) - 1);
        } else {
            select = -1;
        }
        entry_list->setCurrentRow(select);
    }
    show_entry(select);
}

void SettingsEditor::entry_chosen(int row) {
    if (row == current_) return;
    if (keep_unapplied_edit()) {
        const QSignalBlocker blocker(entry_list);
        entry_list->setCurrentRow(current_);
        return;
    }
    say(QString());
    show_entry(row);
}

void SettingsEditor::show_entry(int n) {
    current_ = -1;
    unapplied_.reset();
    stored_gradient_.reset();
    stale_notice->hide();
    const std::vector<std::u16string> listed = store_ ? store_->entries() : std::vector<std::u16string>{};
    if (n >= 0 && n < static_cast<int>(listed.size())) {
        current_ = n;
        const std::u16string& line = listed[static_cast<std::size_t>(n)];
        const QString name = QString::fromStdU16String(std::u16string(setting_name(line)));
        Result<SettingRecord> parsed = setting_with_gradient(store_->content(), {line}, n);
        // A malformed Gradient entry leaves the line's own two colours, with a notice.
        if (!parsed && parsed.error().code == RefusalCode::GradientEntryRefusedAt) parsed = parse_setting_line(line);
        if (parsed) show_gradient_entry(n, *parsed);
        form->setEnabled(parsed.has_value());
        form->show_entry(name, parsed.value_or(SettingRecord{}));
        preview->start_from_name();
        if (parsed)
            preview->show_setting(name, *parsed);
        else
            preview->clear(
                tr("この行は読めないので、gradation では使えません: %1").arg(refusal_text(parsed.error())));
    } else {
        form->setEnabled(false);
        form->show_entry(QString(), SettingRecord{});
        preview->clear(QString());
    }
    update_commands();
}

void SettingsEditor::form_edited() {
    if (!store_ || current_ < 0) return;
    preview->show_setting(form->name(), form->record());
    const std::u16string line = format_setting_line(form->name().toStdU16String(), form->record());
    setWindowModified(true);
    // Fields the user left as stored are not checked strictly: odd stored values stay.
    const std::u16string stored = store_->entries()[static_cast<std::size_t>(current_)];
    Outcome replaced = store_->replace(current_, line, stored);
    if (replaced) replaced = store_gradient();
    if (!replaced) {
        unapplied_ = replaced.error();
        say(tr("この変更はファイルに書けません: %1").arg(refusal_text(*unapplied_)), true);
        return;
    }
    if (unapplied_) say(QString());
    unapplied_.reset();
    if (QListWidgetItem* item = entry_list->item(current_)) item->setText(item_text(current_, line));
}

bool SettingsEditor::keep_unapplied_edit() {
    if (!unapplied_) return false;
    say(tr("先にこの設定を直してください: %1").arg(refusal_text(*unapplied_)), true);
    return true;
}

bool SettingsEditor::refused(const Outcome& done, const QString& what) {
    if (done) return false;
    say(QStringLiteral("%1: %2").arg(what, refusal_text(done.error())), true);
    return true;
}

void SettingsEditor::add_entry() {
    if (!store_ || keep_unapplied_edit()) return;
    if (refused(store_->add(format_setting_line(tr("新しい設定").toStdU16String(), new_record())), tr("追加できません"))) return;
    setWindowModified(true);
    fill_list(static_cast<int>(store_->entries().size()) - 1);
    say(tr("一覧の最後に追加しました。"));
}

void SettingsEditor::duplicate_entry() {
    if (!store_ || current_ < 0 || keep_unapplied_edit()) return;
    const std::u16string line = store_->entries()[static_cast<std::size_t>(current_)];
    if (refused(store_->add(line, line), tr("複製できません"))) return;
    // The copy takes the stops too (a stale or unreadable entry stays with the original only).
    const int copy = static_cast<int>(store_->entries().size()) - 1;
    const bool stops_copied = !stored_gradient_ || store_->set_gradient(copy, stored_gradient_).has_value();
    setWindowModified(true);
    fill_list(copy);
    say(stops_copied ? tr("一覧の最後に複製しました。")
                     : tr("一覧の最後に複製しましたが、グラデーションは複製できませんでした。"),
        !stops_copied);
}

void SettingsEditor::delete_entry() {
    if (!store_ || current_ < 0) return;
    unapplied_.reset();  // the refused edit goes with its entry
    const int n = current_;
    if (refused(store_->remove(n), tr("削除できません"))) return;
    setWindowModified(true);
    fill_list(n);
    say(tr("削除しました。"));
}

void SettingsEditor::move_entry(int step) {
    if (!store_ || current_ < 0 || keep_unapplied_edit()) return;
    const int to = current_ + step;
    if (to < 0 || to >= static_cast<int>(store_->entries().size())) return;
    if (refused(store_->move(current_, to), tr("移せません"))) return;
    setWindowModified(true);
    fill_list(to);
}

void SettingsEditor::update_commands() {
    const int count = store_ ? static_cast<int>(store_->entries().size()) : 0;
    add_button->setEnabled(store_.has_value() && count < kMaxSettings);
    duplicate_button->setEnabled(current_ >= 0 && count < kMaxSettings);
    delete_button->setEnabled(current_ >= 0);
    up_button->setEnabled(current_ > 0);
    down_button->setEnabled(current_ >= 0 && current_ + 1 < count);
    save_button->setEnabled(store_.has_value());
    reload_button->setEnabled(store_.has_value());
}

}  // namespace gradation::settings_editor

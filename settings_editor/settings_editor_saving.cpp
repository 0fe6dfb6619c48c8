// SettingsEditor and its file: opening, saving through the store, reloading, and
// closing with unsaved changes.
#include "settings_editor/settings_editor.h"

#include "core/files/atomic_file.h"

#include <QCloseEvent>
#include <QLabel>

#include <algorithm>

namespace gradation::settings_editor {
namespace {

QString path_text(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

// Where a save keeps the previous content: beside the file a link names, for a link.
QString backup_text(const std::filesystem::path& file) {
    return path_text(write_target(file).value_or(file)) + QStringLiteral(".bak");
}

}  // namespace

bool SettingsEditor::open(const std::filesystem::path& file, const std::filesystem::path& seed) {
    file_ = file;
    seed_ = seed;
    unapplied_.reset();
    setWindowTitle(editor_title(file));
    setWindowModified(false);
    // No file (neither XDG_CONFIG_HOME nor HOME is set) is the store's NoFileToWrite.
    Result<SettingsStore> opened = SettingsStore::open(file, seed);
    store_.reset();
    if (opened) store_ = std::move(*opened);
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    file_label->setText(exists || !store_ ? tr("ファイル: %1").arg(path_text(file))
                                          : tr("ファイル: %1 (最初の保存で %2 を写して作ります)")
                                                .arg(path_text(file), path_text(seed)));
    fill_list(0);
    if (!store_) {
        say(tr("読めません: %1").arg(refusal_text(opened.error())), true);
        return false;
    }
    say(QString());
    return true;
}

bool SettingsEditor::save() {
    if (!store_ || keep_unapplied_edit()) return false;
    Outcome saved = store_->save();
    bool overwritten = false;
    if (!saved && store_->changed_on_disk()) {
        say(tr("保存できませんでした。変更はそのまま残っています: %1").arg(refusal_text(saved.error())),
            true);
        switch (ask(tr("%1 は読んだ後にほかで変更されています。\n"
                                   "読み直す: ここでの変更を捨てて、ファイルを読み直します。\n"
                                   "上書き保存: ここでの内容で保存します。ほかでの変更は %2 に残ります。\n"
                                   "キャンセル: 保存しません。ここでの変更は残ります。")
                        .arg(path_text(file_), backup_text(file_)),
                    QMessageBox::Reset | QMessageBox::Save | QMessageBox::Cancel)) {
        case QMessageBox::Reset: {
            const int keep = current_;
            if (open(file_, seed_)) fill_list(std::max(keep, 0));
            return false;
        }
        case QMessageBox::Save:
            saved = store_->overwrite();  // under the lock, like every save
            overwritten = true;
            break;
        default:
            return false;
        }
    }
    if (!saved) {
        say(tr("保存できませんでした。変更はそのまま残っています: %1").arg(refusal_text(saved.error())),
            true);
        return false;
    }
    setWindowModified(false);
    file_label->setText(tr("ファイル: %1").arg(path_text(file_)));
    say(tr("保存しました。gradation の一覧にもすぐ反映されます。") +
        (overwritten ? tr("ほかでの変更は %1 に残っています。").arg(backup_text(file_)) : QString()));
    return true;
}

void SettingsEditor::reload() {
    if (isWindowModified() && ask(tr("保存していない変更を捨てて、ファイルを読み直しますか?"),
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int keep = current_;
    if (open(file_, seed_)) fill_list(std::max(keep, 0));
}

void SettingsEditor::closeEvent(QCloseEvent* event) {
    if (!isWindowModified()) {
        event->accept();
        return;
    }
    switch (ask(tr("保存していない変更があります。保存しますか?"),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)) {
    case QMessageBox::Save:
        if (save()) event->accept();
        else event->ignore();
        return;
    case QMessageBox::Discard:
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
}

}  // namespace gradation::settings_editor

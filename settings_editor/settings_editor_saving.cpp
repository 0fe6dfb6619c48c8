// SettingsEditor and its file: opening, saving through the store, reloading, and
// closing with unsaved changes.
#include "settings_editor/settings_editor.h"

#include <QCloseEvent>
#include <QLabel>

#include <algorithm>

namespace gradation::settings_editor {
namespace {

QString path_text(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

}  // namespace

bool SettingsEditor::open(const std::filesystem::path& file, const std::filesystem::path& seed) {
    file_ = file;
    seed_ = seed;
    unapplied_.reset();
    setWindowTitle(editor_title(file));
    setWindowModified(false);
    std::string error = "no file to edit: neither XDG_CONFIG_HOME nor HOME is set";
    store_.reset();
    if (!file.empty()) store_ = SettingsStore::open(file, seed, error);
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    file_label->setText(exists || !store_ ? QStringLiteral("ファイル: %1").arg(path_text(file))
                                          : QStringLiteral("ファイル: %1 (最初の保存で %2 を写して作ります)")
                                                .arg(path_text(file), path_text(seed)));
    fill_list(0);
    if (!store_) {
        say(QStringLiteral("読めません: %1").arg(QString::fromStdString(error)), true);
        return false;
    }
    say(QString());
    return true;
}

bool SettingsEditor::save() {
    if (!store_ || keep_unapplied_edit()) return false;
    const std::string reason = store_->save();
    if (!reason.empty()) {
        say(QStringLiteral("保存できませんでした。変更はそのまま残っています: %1").arg(QString::fromStdString(reason)),
            true);
        if (store_->changed_on_disk() &&
            ask(QStringLiteral("%1 は読んだ後にほかで変更されています。読み直しますか? "
                               "(ここでの変更は捨てます)")
                    .arg(path_text(file_)),
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
            const int keep = current_;
            open(file_, seed_);
            fill_list(std::max(keep, 0));
        }
        return false;
    }
    setWindowModified(false);
    file_label->setText(QStringLiteral("ファイル: %1").arg(path_text(file_)));
    say(QStringLiteral("保存しました。gradation は次に起動したときに新しい一覧を読みます。"));
    return true;
}

void SettingsEditor::reload() {
    if (isWindowModified() && ask(QStringLiteral("保存していない変更を捨てて、ファイルを読み直しますか?"),
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
    switch (ask(QStringLiteral("保存していない変更があります。保存しますか?"),
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

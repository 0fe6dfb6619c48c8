// SettingsEditor: the settings editor's window. The entries of one configuration file
// on the left, the chosen entry's fields beside them, its live preview below; every
// edit goes into the settings store in memory, and Save writes the file.
#pragma once

#include "core/setting_line/setting_record.h"
#include "core/settings_file/settings_store.h"
#include "widgets/refusal_text.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLayout;
class QListWidget;
class QPushButton;

namespace gradation::settings_editor {

class SettingForm;
class SettingPreview;

class SettingsEditor : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(SettingsEditor)

public:
    SettingsEditor();
    ~SettingsEditor() override;

    // Reads `file`; while it does not exist, `seed` (the file beside the program) is
    // its content and the first save creates it. False (and the reason shown) on failure.
    bool open(const std::filesystem::path& file, const std::filesystem::path& seed);

    // The commands of the window.
    void add_entry();
    void duplicate_entry();
    void delete_entry();
    void move_entry(int step);  // -1 up, +1 down
    bool save();                // true when written
    void reload();

    // Where the window asks the user; tests answer in place of the dialog.
    std::function<QMessageBox::StandardButton(const QString& question, QMessageBox::StandardButtons)> ask;

    int current_entry() const { return current_; }
    bool has_unsaved_changes() const { return isWindowModified(); }
    const SettingsStore* store() const { return store_ ? &*store_ : nullptr; }

    QListWidget* entry_list = nullptr;
    QPushButton* add_button = nullptr;
    QPushButton* duplicate_button = nullptr;
    QPushButton* delete_button = nullptr;
    QPushButton* up_button = nullptr;
    QPushButton* down_button = nullptr;
    SettingForm* form = nullptr;
    SettingPreview* preview = nullptr;
    QPushButton* save_button = nullptr;
    QPushButton* reload_button = nullptr;
    QLabel* file_label = nullptr;
    QLabel* message = nullptr;  // the outcome of the last command, or why it was refused
    // Shown while the current entry's Gradient line is not used: it cannot be read, or
    // it no longer fits its line's colours (then it can be repaired).
    QWidget* stale_notice = nullptr;
    QLabel* stale_notice_text = nullptr;
    QPushButton* drop_gradient_button = nullptr;    // removes that Gradient line
    QPushButton* repair_gradient_button = nullptr;  // gives it the line's colours as its ends

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    QLayout* build_list_column();
    QLayout* build_bottom_row();
    void connect_commands();
    QWidget* build_stale_notice();
    // Entry n's Gradient line beside `setting` (the entry as applied): a notice when it is
    // malformed or its ends no longer fit the line.
    void show_gradient_entry(int n, const SettingRecord& setting);
    Outcome store_gradient();  // the form's gradient into the store, when it changed
    void drop_stale_gradient();
    void repair_stale_gradient();
    void fill_list(int select);
    void show_entry(int n);
    void entry_chosen(int row);
    void form_edited();
    void update_commands();
    void say(const QString& text, bool refused = false);
    bool refused(const Outcome& done, const QString& what);
    bool keep_unapplied_edit();

    std::filesystem::path file_;
    std::filesystem::path seed_;
    std::optional<SettingsStore> store_;
    int current_ = -1;  // the entry shown in the form, -1 for none
    // An edit of the current entry that the store refused: kept in the form until the
    // user corrects it, and it blocks saving and choosing another entry.
    std::optional<Refusal> unapplied_;
    std::optional<Gradient> stored_gradient_;  // the current entry's gradient as the store has it
};

// The window title: the program, the file and the unsaved-changes mark.
QString editor_title(const std::filesystem::path& file);

// A refusal as the editor shows it, in the window's language.
using widgets::refusal_text;

}  // namespace gradation::settings_editor

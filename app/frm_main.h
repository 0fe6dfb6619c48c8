// frmMain: the program's working window. A small strip with the setting list, the
// preview of the current setting, the convert and exit buttons, the separate-tags
// check box, the menu bar and the clipboard watcher's timer.
#pragma once

#include "app/listed_settings.h"
#include "platform/clipboard.h"
#include "platform/file_watch.h"
#include "platform/markup_choice.h"
#include "platform/timer.h"
#include "core/setting_line/setting_record.h"

#include <QCoreApplication>
#include <QWidget>

#include <QList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace gradation::widgets {
class ValueCheckBox;
}

namespace gradation::app {

inline constexpr int kWatcherInterval = 500;  // milliseconds between watcher ticks

class frmMain : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(frmMain)

public:
    frmMain();
    ~frmMain() override;

    // Handlers of the window.
    void Form_Load();
    void Form_Unload();
    void cmdExec_Click();
    void cmdExit_Click();
    void MN_FILE_QUIT_Click();
    void mnuOnTop_Click();
    void MN_VER_Click();
    void chkDevTag_Click();
    void cmbUserSetting_Click();
    void Timer1_Timer();
    void mnuFormat_Click(Dialect dialect);
    void mnuLimit_Click();

    // One conversion of the clipboard text; a call while one runs asks it to stop.
    void html_str();

    // The clipboard watcher: stopped while a tick runs and while the version dialog is
    // open, started again afterwards at kWatcherInterval.
    void stop_watcher();
    void start_watcher();

    // The always-on-top property: non-zero keeps the window above all others.
    std::int16_t OnTop() const { return on_top_; }
    void set_on_top(std::int16_t value);

    // The window follows its configuration file: when the file to read, or what it
    // holds, differs from what the list shows, the list is filled again and its chosen
    // entry applied. True when it was filled again.
    bool follow_configuration_file();

    // Fields of the window.
    std::int16_t SeparateTags = 0;      // true (-1) exactly while chkDevTag is checked
    bool ConvertReady = false;          // true while no conversion runs
    std::int16_t ShownWaveImage = 4;    // the index of the visible imgX picture
    std::optional<SettingRecord> CurrentSetting;  // none until a line has been applied
    // The dialect and length limit conversions write with, as gradation.conf keeps them.
    platform::MarkupChoice MarkupChoice;
    // The configuration file the window lists: the first of the lookup order that
    // exists, found at load and again whenever the files change.
    std::filesystem::path IniFile;

    // Controls, named as the window's design names them.
    QWidget* client_area = nullptr;
    std::array<QLabel*, 5> imgX{};
    std::array<QLabel*, 2> lblPal{};
    QComboBox* cmbUserSetting = nullptr;
    QPushButton* cmdExec = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblX = nullptr;
    widgets::ValueCheckBox* chkDevTag = nullptr;
    QMenuBar* menu_bar = nullptr;
    QMenu* MN_FILE = nullptr;
    QAction* mnuOnTop = nullptr;
    QAction* mnuSep = nullptr;
    QAction* MN_FILE_QUIT = nullptr;
    QAction* MN_VER = nullptr;
    QMenu* MN_FORMAT = nullptr;
    QList<QAction*> mnuFormat;  // one radio item per dialect, html first
    QAction* mnuLimit = nullptr;
    platform::Timer Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_controls();
    void build_menus();
    void build_format_menu();
    void show_conversion_note(const QString& note, bool alert);
    void keep_markup_choice();
    void connect_handlers();

    void FillSettingList();
    void list_settings(ListedSettings settings);
    void fill_again(ListedSettings settings);
    std::optional<SettingRecord> entry_setting(int position) const;
    bool apply_entry(int position);
    void show_no_setting();

    void lock_for_conversion();
    void unlock_after_conversion();

    std::int16_t on_top_ = 0;
    // Changes of the clipboard by other programs: the watcher reads only after one, and
    // a conversion does not overwrite a text copied while it ran.
    platform::ClipboardChanges clipboard_changes_{this};
    // What the list shows, as read, and the line the current setting was made from.
    ListedSettings listed_;
    std::u16string applied_line_;
    bool follow_pending_ = false;  // a change noticed while a conversion ran
    bool choice_unkept_said_ = false;  // the window said the markup choice cannot be kept
    platform::FileWatch configuration_watch_{this, [this] { follow_configuration_file(); }};
};

}  // namespace gradation::app

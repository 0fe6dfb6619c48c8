// frmMain follows its configuration file: when the file changes on disk (the settings
// editor, gradation-cli, a text editor), or another file becomes the one to read, the
// list is filled again and the chosen entry kept by its name.
#include "app/frm_main.h"
#include "app/program_level.h"
#include "platform/program_run.h"

#include <QComboBox>
#include <QLabel>

#include <utility>

namespace gradation::app {
namespace {

// The entry named `name`: still at `position` when it is there, else the first so named.
int position_of(const QComboBox& list, const QString& name, int position) {
    if (position < 0) return -1;
    if (list.itemText(position) == name) return position;
    return list.findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}  // namespace

bool frmMain::follow_configuration_file() {
    if (platform::program_ended()) return false;
    // A running conversion has the list disabled and reads the current setting at every
    // character: the list is filled again once it is over (html_str), never under it.
    if (!cmbUserSetting->isEnabled()) {
        follow_pending_ = true;
        return false;
    }
    follow_pending_ = false;
    const std::filesystem::path file = find_ini_file();
    ListedSettings now = read_listed_settings(file);
    if (now == listed_) return false;
    IniFile = file;
    fill_again(std::move(now));
    return true;
}

// As at load, but the chosen entry stays chosen where a line of its name is still
// listed, and is applied again only when what applying it gives changed, its line or
// its Gradient entry (a 分離 box the user set survives edits of other entries).
// Otherwise the first entry is chosen and the label says so. An entry that does not
// apply leaves no current setting, as at load: the one held came from a file that no
// longer holds it.
void frmMain::fill_again(ListedSettings settings) {
    const QString chosen = cmbUserSetting->currentText();
    const int chosen_at = cmbUserSetting->currentIndex();
    list_settings(std::move(settings));
    const int kept = position_of(*cmbUserSetting, chosen, chosen_at);
    const int position = kept >= 0 ? kept : (cmbUserSetting->count() > 0 ? 0 : -1);
    cmbUserSetting->setCurrentIndex(position);
    if (kept >= 0 && CurrentSetting && listed_.lines[static_cast<std::size_t>(kept)].line == applied_line_ &&
        entry_setting(kept) == CurrentSetting)
        return;
    if (position < 0 || !apply_entry(position)) {
        CurrentSetting.reset();
        show_no_setting();
    } else if (kept < 0) {
        lblX->setText(tr("設定を読み直しました"));
    }
}

}  // namespace gradation::app

// frmMain's load: on top, centred, the setting list filled and its first entry
// applied, its configuration file watched, the converter ready.
#include "app/frm_main.h"
#include "app/program_level.h"

#include <QAction>
#include <QComboBox>

namespace gradation::app {

void frmMain::Form_Load() {
    IniFile = find_ini_file();
    set_on_top(-1);
    mnuOnTop->setChecked(true);
    ShownWaveImage = 4;
    CenterForm(*this);
    FillSettingList();
    if (cmbUserSetting->count() > 0) {
        cmbUserSetting->setCurrentIndex(0);
        cmbUserSetting_Click();
    }
    if (!CurrentSetting) show_no_setting();
    configuration_watch_.watch(ini_files_to_watch());
    ConvertReady = true;
}

}  // namespace gradation::app

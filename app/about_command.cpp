// The version information command of the menu bar.
#include "app/frm_main.h"

namespace gradation::app {

void frmMain::MN_VER_Click() {
    // The version information dialog opens here.
}

}  // namespace gradation::app

// The version information command of the menu bar.
#include "app/frm_version.h"
#include "app/frm_main.h"

namespace gradation::app {

// Pauses the watcher, opens the version dialog modally below this window and starts
// the watcher again once the dialog has closed.
void frmMain::MN_VER_Click() {
    open_version_dialog({*this, [this] { stop_watcher(); }, [this] { start_watcher(); }});
}

}  // namespace gradation::app

// frmMain's own commands: always-on-top, the separate-tags box, the three ways to
// exit, the unload, and the Enter and Esc keys of a dialog.
#include "widgets/check_box_value.h"
#include "app/frm_main.h"
#include "platform/program_run.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace gradation::app {

// Any non-zero value keeps the window on top; the value itself is stored as given.
void frmMain::set_on_top(std::int16_t value) {
    platform::set_keep_above(*this, value != 0);
    on_top_ = value;
}

void frmMain::mnuOnTop_Click() {
    set_on_top(static_cast<std::int16_t>(~OnTop()));
    mnuOnTop->setChecked(OnTop() != 0);
}

// Runs on every change of the box, by the user or by the program.
void frmMain::chkDevTag_Click() { SeparateTags = chkDevTag->value() == 1 ? -1 : 0; }

void frmMain::cmdExit_Click() { close(); }

void frmMain::MN_FILE_QUIT_Click() { close(); }

void frmMain::stop_watcher() {
    // Disabled first, so the new interval cannot restart a running count; interval 0 then keeps it still.
    Timer1.set_enabled(false);
    Timer1.set_interval(0);
}

void frmMain::start_watcher() {
    Timer1.set_interval(kWatcherInterval);
    Timer1.set_enabled(true);
}

void frmMain::Form_Unload() {
    stop_watcher();
    set_on_top(0);
    platform::end_program_now();
}

// The close box, the window menu, the exit button and the exit menu item all end here.
void frmMain::closeEvent(QCloseEvent* event) {
    if (!platform::program_ended()) Form_Unload();
    event->accept();
}

// As in a dialog: Enter presses the focused button, or else the convert button; Esc
// presses the exit button. A disabled button is not pressed.
void frmMain::keyPressEvent(QKeyEvent* event) {
    if (platform::program_ended()) return;
    QPushButton* target = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        target = qobject_cast<QPushButton*>(focusWidget());
        if (target == nullptr) target = cmdExec;
        break;
    case Qt::Key_Escape:
        target = cmdExit;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (target->isEnabled()) target->click();
    event->accept();
}

}  // namespace gradation::app

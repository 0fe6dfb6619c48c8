#include "app/program.h"

#include "app/frm_loading.h"
#include "app/frm_main.h"

namespace gradation::app {

Program::Program() = default;
Program::~Program() = default;

void Program::start() {
    frmLoading splash(main_window_);
    splash.Form_Load();
}

}  // namespace gradation::app

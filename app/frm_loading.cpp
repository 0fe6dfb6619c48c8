#include "app/frm_loading.h"

#include "app/frm_main.h"
#include "app/program_level.h"
#include "widgets/twips.h"
#include "core/base/program_values.h"
#include "core/settings_file/configuration_path.h"
#include "platform/program_run.h"

namespace gradation::app {

frmLoading::frmLoading(std::unique_ptr<frmMain>& main_window)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), main_window_(main_window) {
    setObjectName(QStringLiteral("frmLoading"));
    setWindowTitle(QStringLiteral("Now Loading..."));
    setFixedSize(widgets::twips_to_pixels(4770), widgets::twips_to_pixels(405));
}

// The start-up sequence: one pass, no window events served in between.
void frmLoading::Form_Load() {
    platform::program_starts();
    main_window_ = std::make_unique<frmMain>();
    main_window_->Form_Load();
    setWindowIcon(main_window_->windowIcon());
    CenterForm(*this);
    close();
    main_window_->show();
    main_window_->start_watcher();
}

}  // namespace gradation::app

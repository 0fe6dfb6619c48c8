#include "platform/program_run.h"

#include <QApplication>
#include <QWidget>

namespace gradation::platform {
namespace {
bool g_ended = false;
}  // namespace

void program_starts() { g_ended = false; }

bool program_ended() { return g_ended; }

void end_program_now() {
    g_ended = true;
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    // Leaves the event loop once the handlers that are running have returned.
    QCoreApplication::exit(0);
}

void serve_pending_events() { QCoreApplication::processEvents(); }

void beep() { QApplication::beep(); }

}  // namespace gradation::platform

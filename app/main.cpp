// The window program. It reads no command line: Qt is given the program name only.
#include "app/program.h"
#include "platform/program_run.h"
#include "platform/interface_language.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Clipboard polling and keep-above need X11; on a Wayland desktop that is XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    int qt_argc = argc > 0 ? 1 : 0;
    QApplication application(qt_argc, argv);
    gradation::platform::install_interface_language();
    gradation::app::Program program;
    program.start();
    if (gradation::platform::program_ended()) return 0;
    return QApplication::exec();
}

// frmLoading: the splash form, the program's start object. Its load handler is the
// start-up sequence; it is never put on screen and is unloaded at the end of it.
#pragma once

#include <QWidget>

#include <memory>

namespace gradation::app {

class frmMain;

class frmLoading : public QWidget {
public:
    // The main window the sequence loads goes into `main_window`.
    explicit frmLoading(std::unique_ptr<frmMain>& main_window);

    void Form_Load();

private:
    std::unique_ptr<frmMain>& main_window_;
};

}  // namespace gradation::app

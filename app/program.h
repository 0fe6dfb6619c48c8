// The window program as a whole: loads the start object and owns the windows it
// loads until the program ends.
#pragma once

#include <memory>

namespace gradation::app {

class frmMain;

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads the splash form frmLoading; its load handler runs the start-up sequence.
    void start();

    frmMain* main_window() const { return main_window_.get(); }

private:
    std::unique_ptr<frmMain> main_window_;
};

}  // namespace gradation::app

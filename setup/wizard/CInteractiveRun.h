// The install with windows (Setup.exe without arguments): the background
// window as main window, which runs the wizard and the progress dialog, and
// the program's message loop.
#pragma once

namespace zew::setup {

class CSetupApp;

class CInteractiveRun {
public:
    explicit CInteractiveRun(CSetupApp& app) : app_(app) {}

    // Runs until the background window is gone and returns the program's exit
    // code. An invalid list is refused with a message box before any window.
    int Run();

private:
    CSetupApp& app_;
};

}  // namespace zew::setup

#pragma once
// The windows of one start of the program, as main() uses them: nothing at
// all until open() loads the window module (WindowModule.h), which only a run
// that shows a window does.

#include "WindowModule.h"

#include <chrono>
#include <memory>
#include <string>

class ProgramWindows {
public:
    // Loads the window module from the program's folder; false with the
    // loader's reason when there is none that loads.
    bool open(const std::string& executableFolder, const std::string& executableBaseName,
              std::string& why);

    // The message boxes of the windows; null before open() (a silent run
    // reports to the logs).
    run::Reporter* reporter();
    // Shows the main window on the run and returns the exit status.
    int show(engineering::ConfigurationRun& run, int argc, char** argv);
    // Waits for the busy lock: in a window with a Cancel button once the
    // windows are open, plainly otherwise. False when the wait was cancelled.
    bool waitForLock(engineering::ConfigurationRun& run, installation::InstallationLock& lock,
                     std::chrono::milliseconds wait, int argc, char** argv);
    // Shows a fault that ends the start in a message box, once the windows are open.
    void reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                     const std::string& message);

private:
    std::unique_ptr<WindowModule> module_;
};

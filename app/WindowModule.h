#pragma once
// The program's windows, in a module of their own (Engineering_Config_window
// beside the program), loaded only by a run that shows a window. A silent run
// never loads it, and so never loads Qt or a window system's libraries.
//
// The module and the program share one copy of the core (the shared library
// engineering_core), so the run the program builds is the run the windows
// work on.

#include <chrono>
#include <memory>
#include <string>

namespace engineering {
class ConfigurationRun;
}
namespace installation {
class InstallationLock;
}
namespace run {
class Reporter;
}

class WindowModule {
public:
    virtual ~WindowModule() = default;

    // The message boxes a run with a window reports through.
    virtual run::Reporter* reporter() = 0;
    // Shows the main window on the run and returns the exit status.
    virtual int show(engineering::ConfigurationRun& run, int argc, char** argv) = 0;
    // Waits for the busy lock of a run that would open a window, in a small
    // window with a Cancel button. False when the wait was cancelled; else
    // the lock's state tells how it ended.
    virtual bool waitForLock(engineering::ConfigurationRun& run,
                             installation::InstallationLock& lock, std::chrono::milliseconds wait,
                             int argc, char** argv) = 0;
    // Shows a fault that ends the start in the program's message box.
    virtual void reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                             const std::string& message) = 0;
};

// The module's one entry point, by this name: makes its windows.
using MakeWindowModule = void (*)(std::unique_ptr<WindowModule>& made);
inline constexpr const char* kWindowModuleEntry = "engineeringMakeWindowModule";

#pragma once
// The program's windows, when it was built with them (ENGINEERING_WINDOW).
// A silent run only builds this object and never shows anything: it creates
// no application object and needs no display.

#include <chrono>
#include <memory>
#include <string>

namespace engineering {
class ConfigurationRun;
}
namespace framework {
class InstallationLock;
class Reporter;
} // namespace framework

class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // The message boxes a run with a window reports through; null when the
    // program was built without a window.
    framework::Reporter* reporter();

    // Shows the main window on the run and returns the exit status.
    int show(engineering::ConfigurationRun& run, int argc, char** argv);
    // Waits for the busy lock of a run that would open a window: in a small
    // window with a Cancel button (without windows, plainly). False when the
    // wait was cancelled; else the lock's state tells how it ended.
    bool waitForLock(engineering::ConfigurationRun& run, framework::InstallationLock& lock,
                     std::chrono::milliseconds wait, int argc, char** argv);
    // Shows a fault that ends the start in the program's message box.
    void reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                     const std::string& message);

private:
    struct Boxes;
    std::unique_ptr<Boxes> boxes_;
};

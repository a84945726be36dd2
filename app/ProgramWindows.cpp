#include "ProgramWindows.h"

#include "WindowModuleLoader.h"

#include "installation/InstallationLock.h"

#include <thread>

bool ProgramWindows::open(const std::string& executableFolder,
                          const std::string& executableBaseName, std::string& why) {
    const MakeWindowModule make = loadWindowModule(executableFolder, executableBaseName, why);
    if (make != nullptr)
        make(module_);
    if (module_)
        why.clear();
    else if (why.empty())
        why = "it made no windows";
    return module_ != nullptr;
}

run::Reporter* ProgramWindows::reporter() {
    return module_ ? module_->reporter() : nullptr;
}

int ProgramWindows::show(engineering::ConfigurationRun& run, int argc, char** argv) {
    return module_->show(run, argc, argv);
}

bool ProgramWindows::waitForLock(engineering::ConfigurationRun& run,
                                 installation::InstallationLock& lock,
                                 std::chrono::milliseconds wait, int argc, char** argv) {
    if (module_)
        return module_->waitForLock(run, lock, wait, argc, argv);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!lock.tryAgain() && lock.state() == installation::InstallationLock::State::Busy &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(installation::kInstallationLockPoll);
    return true;
}

void ProgramWindows::reportFault(engineering::ConfigurationRun& run, int argc, char** argv,
                                 const std::string& message) {
    if (module_)
        module_->reportFault(run, argc, argv, message);
}

// The configuration program of the Engineering component.
//
// main() builds the run from the command line and the installation
// (ConfigurationRun.h). Started by hand the program opens the main window on
// the run. Started with /EXTERNAL SILENT it loads and commits the run and
// ends, without creating any window or application object, so it needs no
// display.
//
// Either way the run holds its installation from loading until the process
// ends, so that two runs never change one installation's files together.

#include "WindowRun.h"

#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseUpdate.h"
#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationLock.h"
#include "framework/Startup.h"
#include "framework/Version.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

void printUsage() {
    std::cout << "Usage: Engineering_Config [/EXTERNAL Q4MCFG | /EXTERNAL SILENT] [/LOGFILE path]\n"
                 "\n"
                 "Edits the 48 engineering-function buttons of the operator panel and writes\n"
                 "the component's function files. The program works on the installation it\n"
                 "lives in: its own folder is the component folder.\n"
                 "\n"
                 "  (no arguments)     standalone, with a window\n"
                 "  /EXTERNAL Q4MCFG   integrated: started by the configuration manager\n"
                 "  /EXTERNAL SILENT   no window: load, write the files and end\n"
                 "  /LOGFILE path      error log of an integrated run (a value ends at the\n"
                 "                     next \"/\": on Linux give the path with backslashes)\n"
                 "  --help, --version  this text, the version\n"
                 "\n"
                 "Exit status: 0 done (or cancelled), 1 ended by a failure, 2 done but\n"
                 "failures were reported.\n";
}

// Handles --help and --version; true when the program has nothing more to do.
bool answeredInformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "Engineering_Config " << framework::kVersionText << "\n";
            return true;
        }
    }
    return false;
}

// The silent run: what the main window does on loading and on OK, without it.
int runSilently(engineering::ConfigurationRun& run) {
    engineering::PresetDatabaseUpdate update(run);
    run.load();
    run.commit(update);
    return framework::completionStatus(run.program);
}

// Ends a start that cannot go on, having changed nothing: standard error, the
// fault log and, in a window run, the program's message box.
int refuseStart(engineering::ConfigurationRun& run, ProgramWindows& windows,
                const std::string& message, bool window, int argc, char** argv) {
    framework::reportRefusedStart(run.program, message);
    if (window)
        windows.reportFault(run, argc, argv, message);
    return framework::ExitEndedByFailure;
}

std::string lockRefusal(const framework::InstallationLock& lock) {
    if (lock.state() == framework::InstallationLock::State::Busy)
        return std::string(framework::kAnotherRunMessage);
    return "cannot lock this installation: " + lock.problem();
}

} // namespace

int main(int argc, char** argv) {
    if (answeredInformationRequest(argc, argv))
        return 0;
    ProgramWindows windows;
    engineering::ConfigurationRun run(framework::startOf(argc, argv), windows.reporter());
    const bool window = !run.program.SilentMode;
    if (window && !framework::displayAvailable()) {
        framework::reportRefusedStart(run.program, framework::kNoDisplayMessage);
        return framework::ExitEndedByFailure;
    }

    // Held until the process ends (the window's closing sequence ends it at
    // once, and the system then releases the lock).
    const framework::InstallationLock lock(framework::installationLockPath(run.program),
                                           framework::kInstallationLockWait);
    if (!lock.mayProceed())
        return refuseStart(run, windows, lockRefusal(lock), window, argc, argv);
    // Only under the lock: another run's temporaries are never taken for stale.
    framework::removeStaleTemporaries(run.program.executableFolder);

    return window ? windows.show(run, argc, argv) : runSilently(run);
}

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
#include "engineering/RestoreBackup.h"
#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationLock.h"
#include "framework/ScratchInstallation.h"
#include "framework/Startup.h"
#include "framework/Version.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace {

void printUsage() {
    std::cout << "Usage: Engineering_Config [/EXTERNAL Q4MCFG | /EXTERNAL SILENT] [/LOGFILE path]\n"
                 "       Engineering_Config /DRYRUN\n"
                 "       Engineering_Config /RESTORE [LIST | yyyy-mm-dd_hh-mm-ss]\n"
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
                 "  /DRYRUN            no window: run the OK sequence on a scratch copy of\n"
                 "                     the installation, print its change report, change\n"
                 "                     nothing\n"
                 "  /RESTORE           put back the newest backup (backup/ in the component\n"
                 "                     folder); /RESTORE yyyy-mm-dd_hh-mm-ss a given one,\n"
                 "                     /RESTORE LIST lists them\n"
                 "  --help, --version  this text, the version\n"
                 "\n"
                 "Each run that writes appends what it changed to Engineering_Config_changes.txt\n"
                 "beside the error log and keeps the versions it replaced in\n"
                 "backup/yyyy-mm-dd_hh-mm-ss/ (the last 10 runs).\n"
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

// Says at once on standard error that the run waits, for whom and how long.
framework::InstallationLock::BusyNotice announceWait(const std::string& program) {
    return [program](const std::string& holder) {
        std::cerr << program << ": "
                  << framework::lockWaitMessage(holder, framework::kInstallationLockWait)
                  << std::endl;
    };
}

std::string lockRefusal(const framework::InstallationLock& lock) {
    if (lock.state() == framework::InstallationLock::State::Busy)
        return std::string(framework::kAnotherRunMessage);
    return "cannot lock this installation: " + lock.problem();
}

// The dry run: the silent run on a scratch copy of the installation, its
// change report on standard output and what it logged on standard error. It
// takes the installation's lock only while copying, and only when something
// stands in the lock file's place (anything but a plain file refuses the run
// as it refuses the real one), so that it creates nothing in the installation.
int dryRun(framework::ProgramStart start, ProgramWindows& windows) {
    std::optional<framework::InstallationLock> lock;
    {
        engineering::ConfigurationRun probe(start, nullptr);
        const auto lockPath = framework::installationLockPath(probe.program);
        std::error_code ignored;
        if (std::filesystem::exists(std::filesystem::symlink_status(lockPath, ignored)))
            lock.emplace(lockPath, framework::kInstallationLockWait,
                         announceWait(probe.program.executableBaseName));
        if (lock && !lock->mayProceed()) {
            framework::reportRefusedStart(probe.program, lockRefusal(*lock));
            return framework::ExitEndedByFailure;
        }
    }
    const framework::ScratchInstallation scratch(start);
    lock.reset();
    start.executableFolder = scratch.componentFolder();
    engineering::ConfigurationRun run(std::move(start), windows.reporter());
    if (!scratch.ok()) {
        std::cerr << run.program.executableBaseName
                  << ": cannot copy the installation for a dry run" << std::endl;
        return framework::ExitEndedByFailure;
    }
    // A run that ends early ends the process: what it logged is shown first.
    run.program.terminate = [&scratch, end = std::move(run.program.terminate)](int status) {
        std::cerr << scratch.logLines() << std::flush;
        end(status);
    };
    const int status = runSilently(run);
    std::cerr << scratch.logLines() << std::flush;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredInformationRequest(argc, argv))
        return 0;
    ProgramWindows windows;
    framework::ProgramStart start = framework::startOf(argc, argv);
    framework::removeAbandonedScratchCopies();
    if (framework::GetRunRequest(start.commandLine).action == framework::RunAction::DryRun)
        return dryRun(std::move(start), windows);
    engineering::ConfigurationRun run(std::move(start), windows.reporter());
    const bool window = !run.program.SilentMode;
    if (window && !framework::displayAvailable()) {
        framework::reportRefusedStart(run.program, framework::kNoDisplayMessage);
        return framework::ExitEndedByFailure;
    }

    // Held until the process ends (the window's closing sequence ends it at
    // once, and the system then releases the lock). A run with a window waits
    // in a window of its own, which can cancel the wait.
    using namespace std::chrono_literals;
    framework::InstallationLock lock(framework::installationLockPath(run.program),
                                     window ? 0ms : framework::kInstallationLockWait,
                                     announceWait(run.program.executableBaseName));
    if (window && lock.state() == framework::InstallationLock::State::Busy &&
        !windows.waitForLock(run, lock, framework::kInstallationLockWait, argc, argv))
        return framework::ExitEndedByFailure;
    if (!lock.mayProceed())
        return refuseStart(run, windows, lockRefusal(lock), window, argc, argv);
    // Only under the lock: another run's temporaries are never taken for stale.
    framework::removeStaleTemporaries(run.program.executableFolder);

    if (run.program.request.action == framework::RunAction::Restore)
        return engineering::restoreBackup(run, std::cout);
    return window ? windows.show(run, argc, argv) : runSilently(run);
}

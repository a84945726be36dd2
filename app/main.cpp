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

#include "BuildDescription.h"
#include "ProgramWindows.h"

#include "engineering/ButtonCommands.h"
#include "engineering/CompareInstallations.h"
#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseConversion.h"
#include "engineering/DatabaseUpdate.h"
#include "engineering/RestoreBackup.h"
#include "engineering/RunSummary.h"
#include "installation/InstallationLock.h"
#include "installation/RunJournal.h"
#include "installation/ScratchInstallation.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "presetdb/Database.h"
#include "run/CommandLineArguments.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/Startup.h"
#include "run/Version.h"
#include "texts/ProgramMessages.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace {

void printUsage() {
    std::cout << "Usage: Engineering_Config [/EXTERNAL Q4MCFG | /EXTERNAL SILENT] [/LOGFILE path]\n"
                 "       Engineering_Config /DRYRUN\n"
                 "       Engineering_Config /RESTORE [LIST | yyyy-mm-dd_hh-mm-ss]\n"
                 "       Engineering_Config /LIST [file] | /EXPORT file | /COMPARE folder\n"
                 "       Engineering_Config /IMPORT file [/KEEPSYMBOLS] [/DRYRUN]\n"
                 "       Engineering_Config /CONVERT [/DRYRUN]\n"
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
                 "  /LIST [file]       the 48 buttons as the next run shows them, with their\n"
                 "                     origin; into the file (CSV when it ends in .csv)\n"
                 "  /EXPORT file       the buttons that differ from the catalogue, with a\n"
                 "                     checksum, for /IMPORT on another panel\n"
                 "  /IMPORT file       put the buttons of an export in place, as one run;\n"
                 "                     /KEEPSYMBOLS keeps a symbol this panel lacks\n"
                 "  /COMPARE folder    the buttons and preset limits that differ from\n"
                 "                     another installation (status 3 when any do)\n"
                 "  /CONVERT           convert the component's Access databases to SQLite,\n"
                 "                     as one run (/RESTORE undoes it); only once the\n"
                 "                     panel's run time reads SQLite databases\n"
                 "  --json             no window: a summary of the run as one JSON object on\n"
                 "                     standard output\n"
                 "  -h, /?, --help     this text\n"
                 "  --version          the version and the sources it was built from\n"
                 "\n"
                 "DRYRUN, RESTORE, LIST, EXPORT, IMPORT, COMPARE, CONVERT, KEEPSYMBOLS, JSON,\n"
                 "HELP and VERSION are whole arguments in any case,\n"
                 "spelt with /, - or -- (/dryrun, -DRYRUN, --dryrun). Any other argument that\n"
                 "starts with -, and one starting with / that is close to one of them\n"
                 "(/DRYRUNX, /DRY-RUN, /RESTOR), ends the program at once with status 2.\n"
                 "EXTERNAL and LOGFILE are found anywhere in the other arguments.\n"
                 "\n"
                 "Each run that writes appends what it changed to Engineering_Config_changes.txt\n"
                 "beside the error log and keeps the versions it replaced in\n"
                 "backup/yyyy-mm-dd_hh-mm-ss/ (the last 10 runs).\n"
                 "\n"
                 "Exit status: 0 done (or cancelled), 1 ended by a failure, 2 done but\n"
                 "failures were reported, or a command line the program refuses, 3 /COMPARE\n"
                 "found differences.\n";
}

// Help, the version or a refused command line: the exit status, having
// touched nothing; nullopt for a run.
std::optional<int> answeredWithoutRun(const run::ParsedCommandLine& parsed,
                                      const std::string& programName) {
    if (std::holds_alternative<run::HelpRequested>(parsed)) {
        printUsage();
        return 0;
    }
    if (std::holds_alternative<run::VersionRequested>(parsed)) {
        std::cout << "Engineering_Config " << run::kVersionText << " (build " << kBuildDescription
                  << ")\n";
        return 0;
    }
    if (const auto* refused = std::get_if<run::CommandLineError>(&parsed)) {
        std::cerr << programName << ": " << refused->message << " (see --help)" << std::endl;
        return run::kRefusedCommandLineStatus;
    }
    return std::nullopt;
}

// The silent run: what the main window does on loading and on OK, without it.
int runSilently(engineering::ConfigurationRun& run) {
    engineering::PresetDatabaseUpdate update(run);
    run.load();
    run.commit(update);
    return run::completionStatus(run.program);
}

std::string lockRefusal(const installation::InstallationLock& lock,
                        const texts::ProgramMessages& messages) {
    if (lock.state() == installation::InstallationLock::State::Busy)
        return messages.text(texts::Message::LockBusy);
    return messages.text(texts::Message::LockFailed, {lock.problem()});
}

// Ends a start that cannot go on, having changed nothing: standard error, the
// fault log and, in a window run, the program's message box.
int refuseStart(engineering::ConfigurationRun& run, ProgramWindows& windows,
                const std::string& message, bool window, int argc, char** argv) {
    run::reportRefusedStart(run.program, message);
    if (window)
        windows.reportFault(run, argc, argv, message);
    return run::ExitEndedByFailure;
}

// Says at once on standard error that the run waits, for whom and how long.
installation::InstallationLock::BusyNotice announceWait(const engineering::ConfigurationRun& run) {
    return [program = run.program.executableBaseName,
            messages = run.messages](const std::string& holder) {
        std::cerr << program << ": "
                  << texts::lockWaitMessage(messages, holder, installation::kInstallationLockWait)
                  << std::endl;
    };
}

// Puts back the files of a run that was killed before it completed, so that
// this run starts from the installation as it was before that one.
bool recoverInterruptedRuns(engineering::ConfigurationRun& run) {
    const installation::RecoveryResult recovery =
        installation::recoverInterruptedRuns(platform::nativePath(run.program.executableFolder));
    if (!recovery.ok) {
        run::reportRefusedStart(run.program, "cannot put back what an interrupted run replaced: " +
                                                 recovery.problem);
        return false;
    }
    run.changes.reportRolledBack(recovery.rolledBack);
    return true;
}

// The run under the installation's lock, after an interrupted one was put back.
int runLocked(engineering::ConfigurationRun& run, ProgramWindows& windows, int argc, char** argv) {
    const bool window = !run.program.SilentMode;
    // A run with a window waits in a window of its own, which can cancel the wait.
    using namespace std::chrono_literals;
    installation::InstallationLock lock(installation::installationLockPath(run.program),
                                        window ? 0ms : installation::kInstallationLockWait,
                                        announceWait(run));
    if (window && lock.state() == installation::InstallationLock::State::Busy &&
        !windows.waitForLock(run, lock, installation::kInstallationLockWait, argc, argv))
        return run::ExitEndedByFailure;
    if (!lock.mayProceed())
        return refuseStart(run, windows, lockRefusal(lock, run.messages), window, argc, argv);
    // Only under the lock: another run's temporaries are never taken for stale.
    platform::removeStaleTemporaries(run.program.executableFolder);
    if (!recoverInterruptedRuns(run))
        return run::ExitEndedByFailure;
    // With --json standard output holds the summary alone; what a restore
    // prints goes to standard error then.
    if (run.program.request.action == run::RunAction::Restore)
        return engineering::restoreBackup(run, run.program.request.json ? std::cerr : std::cout);
    if (run.program.request.action == run::RunAction::Import)
        return engineering::importButtons(run);
    if (run.program.request.action == run::RunAction::Convert)
        return engineering::convertDatabases(run, run.program.request.json ? std::cerr : std::cout);
    if (!window)
        return runSilently(run);
    const int status = windows.show(run, argc, argv);
    // A confirmed cancel still keeps what loading staged (the language file's keys).
    if (status == run::ExitOk && !run.changes.transaction().empty())
        run.commitLoaded();
    return status;
}

// A run that only reads the installation: under a shared lock, which waits
// for a run that writes but not for another reader, and creates nothing; no
// interrupted run is put back and nothing it loads is ever replaced.
int runReadOnly(engineering::ConfigurationRun& run) {
    const installation::InstallationLock lock(
        installation::installationLockPath(run.program), installation::kInstallationLockWait,
        announceWait(run), installation::kInstallationLockPoll,
        installation::InstallationLock::Access::Shared);
    if (!lock.mayProceed()) {
        run::reportRefusedStart(run.program, lockRefusal(lock, run.messages));
        return run::ExitEndedByFailure;
    }
    if (installation::hasInterruptedRun(platform::nativePath(run.program.executableFolder))) {
        run::reportRefusedStart(run.program, run.messages.text(texts::Message::Interrupted,
                                                               {run.program.executableFolder}));
        return run::ExitEndedByFailure;
    }
    switch (run.program.request.action) {
    case run::RunAction::List:
        return engineering::listButtons(run);
    case run::RunAction::Export:
        return engineering::exportButtons(run);
    default:
        // With --json standard output holds the summary alone.
        return engineering::compareInstallations(run,
                                                 run.program.request.json ? std::cerr : std::cout);
    }
}

// A failure message as one line: the parts between its line breaks (the
// message boxes' "\n\r"), each without blanks at its ends, joined by a space.
std::string oneLine(std::string_view message) {
    std::string line;
    for (std::size_t start = 0; start <= message.size();) {
        const std::size_t end = std::min(message.find_first_of("\r\n", start), message.size());
        const std::string_view part = platform::trimBlanks(message.substr(start, end - start));
        if (!part.empty())
            line += (line.empty() ? "" : " ") + std::string(part);
        start = end + 1;
    }
    return line;
}

// Runs the program on the run and ends it: whatever way it ends (a returned
// status, or a failure that ends the program), the caller of a run without a
// window gets one line on standard error when it did not end with 0, and with
// --json the run's summary on standard output.
// A dry run's paths are those of its scratch copy, named as the installation's.
int finishRun(engineering::ConfigurationRun& run, const std::function<int()>& body,
              const installation::ScratchInstallation* scratch = nullptr) {
    int status = run::ExitEndedByFailure;
    try {
        status = body();
    } catch (const run::ProgramEnded& ended) {
        status = ended.status;
    }
    const run::ProgramState& program = run.program;
    const bool differences = program.request.action == run::RunAction::Compare &&
                             status == engineering::kExitInstallationsDiffer;
    if (program.SilentMode && status != run::ExitOk && !differences) {
        std::cerr << program.executableBaseName << ": ended with status " << status;
        if (!program.lastFailure.empty())
            std::cerr << ": "
                      << oneLine(scratch ? scratch->asInstallation(program.lastFailure)
                                         : program.lastFailure);
        if (scratch)
            std::cerr << " (what the dry run logged follows)" << std::endl;
        else if (program.request.readsOnly())
            std::cerr << std::endl;
        else
            std::cerr << " (logs: " << run::errorLogPath(run.program) << ", "
                      << run::faultLogPath(program) << ")" << std::endl;
    }
    if (program.request.json)
        std::cout << engineering::summaryJson(run.changes.summary(), status) << std::flush;
    return status;
}

// The dry run: the silent run on a scratch copy of the installation, its
// change report on standard output and what it logged on standard error. It
// takes the installation's lock only while copying, and only when something
// stands in the lock file's place (anything but a plain file refuses the run
// as it refuses the real one), so that it creates nothing in the installation.
int dryRun(run::ProgramStart start, ProgramWindows& windows) {
    std::optional<installation::InstallationLock> lock;
    {
        engineering::ConfigurationRun probe(start, nullptr);
        const auto lockPath = installation::installationLockPath(probe.program);
        std::error_code ignored;
        if (std::filesystem::exists(std::filesystem::symlink_status(lockPath, ignored)))
            lock.emplace(lockPath, installation::kInstallationLockWait, announceWait(probe));
        if (lock && !lock->mayProceed()) {
            run::reportRefusedStart(probe.program, lockRefusal(*lock, probe.messages));
            return run::ExitEndedByFailure;
        }
    }
    const installation::ScratchInstallation scratch(start);
    lock.reset();
    start.executableFolder = scratch.componentFolder();
    engineering::ConfigurationRun run(std::move(start), windows.reporter());
    if (!scratch.ok()) {
        std::cerr << run.program.executableBaseName << ": "
                  << run.messages.text(texts::Message::DryRunNoCopy) << std::endl;
        return run::ExitEndedByFailure;
    }
    const int status = finishRun(
        run,
        [&] {
            if (!recoverInterruptedRuns(run))
                return int(run::ExitEndedByFailure);
            switch (run.program.request.dryRunOf) {
            case run::RunAction::Import:
                return engineering::importButtons(run);
            case run::RunAction::Convert:
                return engineering::convertDatabases(run, run.program.request.json ? std::cerr
                                                                                   : std::cout);
            default:
                return runSilently(run);
            }
        },
        &scratch);
    std::cerr << scratch.logLines() << std::flush;
    return status;
}

} // namespace

// Every run ends here, by a returned status or a failure that unwound to
// this point: the run's databases are closed, its scratch copy removed and
// the lock released by the objects that hold them.
int main(int argc, char** argv) {
    presetdb::configureDatabaseEngine();
    run::ProgramStart start = run::startOf(argc, argv);
    run::ParsedCommandLine parsed = run::parseCommandLine(start.arguments);
    if (const auto status = answeredWithoutRun(parsed, start.executableBaseName))
        return *status;
    run::takeRun(start, std::get<run::RunCommandLine>(std::move(parsed)));
    ProgramWindows windows;
    if (start.request.action == run::RunAction::DryRun) {
        // Only dry runs make scratch copies; one killed midway leaves its
        // copy for the next dry run to remove.
        installation::removeAbandonedScratchCopies();
        return dryRun(std::move(start), windows);
    }
    // Only a run that shows a window loads the windows (and Qt).
    std::string noWindow;
    std::string noModule; // why the window module did not load
    const bool noDisplay = !run::startsSilently(start) && !run::displayAvailable();
    if (!run::startsSilently(start) && !noDisplay)
        windows.open(start.executableFolder, start.executableBaseName, noModule);
    engineering::ConfigurationRun run(std::move(start), windows.reporter());
    if (noDisplay)
        noWindow = run.messages.text(texts::Message::NoDisplay);
    else if (!noModule.empty())
        noWindow = run.messages.text(texts::Message::NoWindowModule, {noModule});
    if (!noWindow.empty()) {
        run::reportRefusedStart(run.program, noWindow);
        return run::ExitEndedByFailure;
    }
    if (run.program.request.readsOnly())
        return finishRun(run, [&] { return runReadOnly(run); });
    return finishRun(run, [&] { return runLocked(run, windows, argc, argv); });
}

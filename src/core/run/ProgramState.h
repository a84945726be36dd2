#pragma once
// The program-wide variables of one run: how the
// program was started, the start mode, the machine list, the help texts, the
// reporter and whether a failure was reported. The run owns them and hands
// them to every operation of the run; they are set while the run is built and
// loaded, and read afterwards.

#include "CommandLine.h"
#include "CommandLineArguments.h"
#include "Reporter.h"
#include "SilentReporter.h"

#include "ini/ProfileFiles.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace installation {
class RunTransaction;
}

namespace run {

// How the program was started.
struct ProgramStart {
    // The text the EXTERNAL and LOGFILE keywords are read from: the arguments
    // joined by one blank, less the program's own keywords.
    std::string commandLine;
    // Folder of the running executable (no trailing separator except at the
    // file-system root) and its file name without extension.
    std::string executableFolder;
    std::string executableBaseName;
    // The program's arguments, without the program's path.
    std::vector<std::string> arguments{};
    // What the program's own keywords ask for.
    RunRequest request{};
};

// Takes what a command line read as a run asks for into the start.
void takeRun(ProgramStart& start, RunCommandLine run);

// Exit statuses of the program.
enum ExitStatus : int {
    ExitOk = 0,              // OK sequence without a reported failure, or a confirmed cancel
    ExitEndedByFailure = 1,  // ended because of a failure
    ExitFailuresReported = 2 // completed, but failures were reported along the way
};

// Whether a run so started shows no window: "EXTERNAL" "SILENT", the
// program's own actions and the JSON summary.
bool startsSilently(const ProgramStart& start);

class ProgramState {
public:
    // Decides the start mode from the command line ("EXTERNAL", see
    // CommandLine.h) and chooses the reporter once: a silent run reports to
    // the logs, any other run through `interactive` (not owned; it must
    // outlive the run), or to the logs as well when there is none (a program
    // built without a window).
    ProgramState(ProgramStart start, Reporter* interactive);
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    Reporter& reporter() { return *reporter_; }

    std::string commandLine;
    std::string executableFolder;
    std::string executableBaseName;

    // Never both true.
    bool StartModeIntegrated = false;
    bool SilentMode = false;
    // Edit, dry run or restore, and whether a JSON summary is asked for
    // (CommandLineArguments.h).
    RunRequest request;

    // Machine names; ExistingMachines[0] is machine 1.
    std::vector<std::string> ExistingMachines;

    bool HelpMode = false;
    std::array<std::string, 100> HelpTexts;

    // Set when a failure was reported through ErrorSub or ReportFault; decides
    // the exit status.
    bool failureReported = false;
    // The last failure reported, for the one line a caller gets on standard error.
    std::string lastFailure;

    // The run's pending file replacements (RunFiles.h), owned by the run;
    // null: files are replaced at once.
    installation::RunTransaction* transaction = nullptr;

    // The INI files this run read, parsed once while they stay unchanged.
    ini::ProfileCache profiles;

    // Told that the program ends with the given status (QuitProgram): the
    // window's ends its event loop. A failure that ends the program then
    // throws ProgramEnded, which unwinds to main() (ErrorProtocol.h).
    std::function<void(int)> terminate = [](int) {};

private:
    SilentReporter silent_{*this};
    Reporter* reporter_;
};

} // namespace run

#pragma once
// The configuration framework's program-wide variables, kept in one place.
// They are set once during start-up and read afterwards.

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace framework {

class MessageBoxes;

struct ProgramState {
    // The program's arguments joined by one blank, without the program's path.
    std::string commandLine;
    // Folder of the running executable (no trailing separator except at the
    // file-system root) and its file name without extension.
    std::string executableFolder;
    std::string executableBaseName;

    bool StartModeIntegrated = false;
    bool SilentMode = false;

    std::string ProgramIniPath;
    // Machine names; ExistingMachines[0] is machine 1.
    std::vector<std::string> ExistingMachines;

    bool HelpMode = false;
    std::array<std::string, 100> HelpTexts;

    // Not owned; null means no box can be shown (a box is then skipped).
    MessageBoxes* messageBoxes = nullptr;

    // Set when a failure was reported through ErrorSub or ReportFault; decides
    // the exit status.
    bool failureReported = false;

    // Ends the process with the given status. Never returns in the program;
    // tests install a function that throws ProgramEnded.
    std::function<void(int)> terminate;
};

ProgramState& programState();
// Puts every variable back to its start value (tests).
void resetProgramState();

// Exit statuses of the program.
enum ExitStatus : int {
    ExitOk = 0,              // OK sequence without a reported failure, or a confirmed cancel
    ExitEndedByFailure = 1,  // ended because of a failure
    ExitFailuresReported = 2 // completed, but failures were reported along the way
};

} // namespace framework

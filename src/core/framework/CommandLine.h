#pragma once
// The command line and the start modes.
//
// The command line is the program's arguments joined by one blank. Keywords
// ("EXTERNAL" with the values "Q4MCFG" or "SILENT", "LOGFILE", "DRYRUN" and
// "RESTORE" with the values "", "LIST" or a backup's name) are found
// as plain substrings without regard to case; the one character after a
// keyword separates it from its value whatever it is; the value is trimmed,
// upper-cased and ends before the first "/". A keyword with nothing after it
// reads as "".

#include <optional>
#include <string>
#include <string_view>

namespace framework {

class ProgramState;

std::optional<std::string> ReadCommand(ProgramState& program, std::string_view commandLine,
                                       std::string_view keyword);

// The start mode the command line names: "EXTERNAL" "Q4MCFG" is integrated,
// "SILENT" silent, anything else standalone. Decided once, when the run's
// program state is built.
struct StartMode {
    bool StartModeIntegrated = false;
    bool SilentMode = false;
};
StartMode GetStartModeIntegrated(std::string_view commandLine);

// What the run does: edit (with or without a window), a dry run ("DRYRUN":
// the OK sequence on a scratch copy, its change report on standard output)
// or a restore ("RESTORE"). A dry run and a restore are silent and standalone.
enum class RunAction { Edit, DryRun, Restore };
struct RunRequest {
    RunAction action = RunAction::Edit;
    std::string restoreValue; // "", "LIST" or a backup folder's name
    bool json = false;        // a summary as JSON on standard output
};
RunRequest GetRunRequest(std::string_view commandLine);

std::string GetPathLogfile(ProgramState& program);

} // namespace framework

#pragma once
// The command line and the start modes.
//
// The command line here is the program's arguments joined by one blank, less
// the program's own keywords (CommandLineArguments.h). The configuration
// manager's keywords ("EXTERNAL" with the values "Q4MCFG" or "SILENT",
// "LOGFILE") are found in it as plain substrings without regard to case; the
// one character after a keyword separates it from its value whatever it is;
// the value is trimmed, upper-cased and ends before the first "/". A keyword
// with nothing after it reads as "".

#include <optional>
#include <string>
#include <string_view>

namespace run {

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

std::string GetPathLogfile(ProgramState& program);

} // namespace run

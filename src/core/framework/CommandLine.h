#pragma once
// The command line and the start modes.
//
// The command line is the program's arguments joined by one blank. Keywords
// ("EXTERNAL" with the values "Q4MCFG" or "SILENT", and "LOGFILE") are found
// as plain substrings without regard to case; the one character after a
// keyword separates it from its value whatever it is; the value is trimmed,
// upper-cased and ends before the first "/". A keyword with nothing after it
// reads as "".

#include <optional>
#include <string>
#include <string_view>

namespace framework {

std::optional<std::string> ReadCommand(std::string_view commandLine, std::string_view keyword);
// Sets StartModeIntegrated and SilentMode and returns StartModeIntegrated.
bool GetStartModeIntegrated();
std::string GetPathLogfile();

} // namespace framework

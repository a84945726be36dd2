#pragma once
// Reports and logs of the configuration framework.
//
// Error log: the installation folder's "Q4Mcfglog.txt", or in an integrated
// run the path given by LOGFILE on the command line. Fault log:
// C:\HalvarServicePack.log on Windows, the installation folder's
// "HalvarServicePack.log" elsewhere. Both are opened for each line, appended
// to (created when missing) and closed; lines end with CR LF, without date or
// time. Line breaks inside messages are LF CR.
//
// A log never blocks the program: only a regular file is appended to; a FIFO,
// a device or a folder in a log's place is not opened (FileSystem.h). A line
// its log cannot take is reported in the other log as "Cannot write " + log
// path + ": " + the line; when that log cannot take it either, the report goes
// to standard error, so that it always reaches someone.

#include <string>
#include <string_view>

namespace framework {

inline constexpr std::string_view kLfCr = "\n\r";
inline constexpr std::string_view kCrLf = "\r\n";

std::string errorLogPath();
std::string faultLogPath();

// Appends message to the error log. Returns "Error logged to " + LF CR + the
// log path in upper case when show is false; otherwise reports that text
// through ReportFault and returns "".
std::string LogError(const std::string& message, bool show);
// Appends "! Fault " + executable base name + ": " + message to the fault log.
void LogFault(const std::string& message);
// A critical message box titled with the executable base name, or in a silent
// run a fault-log line. Counts as a reported failure (completionStatus).
void ReportFault(const std::string& message);
// Asks whether the edits are to be cancelled; true when confirmed (always in a silent run).
bool ConfirmCancelEdits();
// In help mode, shows the help text of the given help number.
void ShowHelpText(int helpId);

} // namespace framework

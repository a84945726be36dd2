#pragma once
// Reports and logs of a run.
//
// Error log: the installation folder's "Q4Mcfglog.txt", or in an integrated
// run the path given by LOGFILE on the command line. Fault log:
// C:\HalvarServicePack.log on Windows, the installation folder's
// "HalvarServicePack.log" elsewhere and in a dry run (whose installation is a
// scratch copy). Both are opened for each line, appended
// to (created when missing) and closed; lines end with CR LF, without date or
// time. Line breaks inside messages are LF CR.
//
// A log never blocks the program: only a regular file is appended to; a FIFO,
// a device or a folder in a log's place is not opened (FileSystem.h). A line
// its log cannot take is reported in the other log as "Cannot write " + log
// path + ": " + the line; when that log cannot take it either, the report goes
// to standard error, so that it always reaches someone.
//
// A run that only reads its installation (RunRequest::readsOnly: /LIST,
// /EXPORT, /COMPARE and the other installation /COMPARE loads) writes no log:
// its lines go to standard error instead.

#include <string>
#include <string_view>

namespace run {

class ProgramState;

inline constexpr std::string_view kLfCr = "\n\r";
inline constexpr std::string_view kCrLf = "\r\n";

std::string errorLogPath(ProgramState& program);
std::string faultLogPath(const ProgramState& program);

// Appends message to the error log. Returns "Error logged to " + LF CR + the
// log path in upper case when show is false; otherwise reports that text
// through ReportFault and returns "".
std::string LogError(ProgramState& program, const std::string& message, bool show);
// Appends "! Fault " + executable base name + ": " + message to the fault log.
void LogFault(ProgramState& program, const std::string& message);
// Tells the run's reporter (a critical message titled with the executable base
// name; a silent run's fault log). Counts as a reported failure
// (completionStatus).
void ReportFault(ProgramState& program, const std::string& message);
// Asks whether the edits are to be cancelled; true when confirmed. On Yes the
// error log gets the cancel line.
bool ConfirmCancelEdits(ProgramState& program);
// In help mode, shows the help text of the given help number, or noHelp
// when it has none (empty or "0").
void ShowHelpText(ProgramState& program, int helpId, std::string_view noHelp);

} // namespace run

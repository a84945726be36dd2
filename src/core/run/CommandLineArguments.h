#pragma once
// The program's own keywords, read from the argument list before anything else
// happens.
//
// An own keyword is a whole argument, in any case, spelt with "/", "-" or "--"
// ("/DRYRUN", "-dryrun", "--DryRun"):
//   HELP (also "-h", "-?", "/?"), VERSION, JSON, DRYRUN, CONVERT, and
//   RESTORE [LIST | yyyy-mm-dd_hh-mm-ss] (the next argument is its value only
//   in one of those forms), LIST [file] (the next argument is its file unless
//   it is a keyword), EXPORT file, IMPORT file, COMPARE folder (the next
//   argument is their value, whatever it looks like) and KEEPSYMBOLS (only
//   with IMPORT).
// Every other argument that starts with "-" is an error, and so is a misspelt
// own keyword: an argument starting with "/" whose letters, leaving out "-"
// and "_", are not a keyword itself but start with one, are the first three or
// more letters of one, or lie within two edits (one for a keyword of fewer
// than six letters) of one ("/DRYRUNX", "/DRY-RUN", "/RESTOR", "/JSN").
// Everything else stays for the configuration manager's keywords EXTERNAL and
// LOGFILE (CommandLine.h), which read the remaining arguments joined by one
// blank. The argument after "/EXTERNAL" or "/LOGFILE" is always their value.

#include <string>
#include <variant>
#include <vector>

namespace run {

// What the run does: edit (with or without a window), a dry run ("DRYRUN":
// the OK sequence on a scratch copy, its change report on standard output)
// a restore ("RESTORE"), the button list ("LIST"), the export and import of
// the stored buttons ("EXPORT", "IMPORT") or the comparison with another
// installation ("COMPARE"), the conversion of the component's Access
// databases to SQLite ("CONVERT"). All but the edit, and a run with the JSON summary
// ("JSON"), are silent and standalone.
enum class RunAction { Edit, DryRun, Restore, List, Export, Import, Compare, Convert };
struct RunRequest {
    RunAction action = RunAction::Edit;
    std::string restoreValue; // "", "LIST" or a backup folder's name
    std::string actionPath;   // the file of LIST, EXPORT, IMPORT; the folder of COMPARE
    bool keepSymbols = false; // IMPORT keeps this installation's symbol where one is missing
    // What a dry run runs: the edit's closing sequence, or (with IMPORT,
    // CONVERT) the import or the conversion.
    RunAction dryRunOf = RunAction::Edit;
    bool json = false; // a summary as one JSON object on standard output

    // /LIST, /EXPORT and /COMPARE only read the installation: they write no
    // file of it, not even a log.
    bool readsOnly() const {
        return action == RunAction::List || action == RunAction::Export ||
               action == RunAction::Compare;
    }
};

struct HelpRequested {};
struct VersionRequested {};
// A command line the program refuses before doing anything: one line that
// names the argument, such as "unknown option '--dry-run'".
struct CommandLineError {
    std::string message;
};
// A run: what the own keywords ask for, and the other arguments joined by one
// blank, for the EXTERNAL and LOGFILE reading.
struct RunCommandLine {
    RunRequest request;
    std::string commandLine;
};
using ParsedCommandLine =
    std::variant<HelpRequested, VersionRequested, CommandLineError, RunCommandLine>;

// The exit status of a refused command line.
inline constexpr int kRefusedCommandLineStatus = 2;

// Read from left to right; the first help, version or error decides.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

} // namespace run

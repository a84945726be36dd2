#pragma once
// The change report: what one run changed, in plain lines appended to the
// report file.
//
// A report is a header line and its body. The header:
//   "==== " + time of the change + " " + what ran [+ " (dry run)"]
//   + ", status " + exit status [+ ", old versions in backup" + separator + folder]
// The time is when the files were replaced (local time), the separator the
// platform's one. A dry run's report is the real run's, but for "(dry run)".
//
// The body, or when the run changed nothing the one line "No changes.":
//  - for each replaced text file (.int, .cfg, the language file .ini), what
//    changed key by key (IniFileChanges.h), computed from its two versions
//    (a file created or removed is only named: it has one version);
//  - the preset table: rows before and after, how many machine values were
//    taken over, and every machine row whose values found no rebuilt row,
//    with its keys and its five values; the tables of the previous database
//    that the new one lacks, with their row counts;
//  - each database converted from an Access file to SQLite;
//  - "Files replaced: " and the names, "(new)" after a created one.
// Values from files and databases are shown by ReportText.h: one value, one
// line, so that no value can pass for a line of the report.
//
// Lines end with CR LF; the text is Windows-1252 (changeReportBytes).

#include "installation/RunTransaction.h"
#include "presetdb/PresetState.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engineering {

inline constexpr std::string_view kNoChangesLine = "No changes.";

// What ran, as the header names it.
enum class RunKind { Standalone, Integrated, Silent, Restore, Conversion, Import };

struct ReportHeading {
    std::chrono::system_clock::time_point changedAt; // when the files were replaced
    RunKind kind = RunKind::Standalone;
    bool dryRun = false;
    int status = 0;                          // the run's exit status
    std::optional<std::string> backupFolder; // its name inside "backup"
};
std::string changeReportHeader(const ReportHeading& heading);

// A file the run replaced: its bytes before (none: the run created it) and
// after (none: the run removed it). A file whose two versions are equal was
// not replaced and is left out; one with neither is named only.
using ReplacedFile = installation::ReplacedFile;

std::vector<std::string> presetTableLines(const presetdb::PresetTableReport& report);

struct FileChange {
    std::string name;
    bool created = false;
};
std::string filesReplacedLine(const std::vector<FileChange>& files);

// The report's body: the lines above, or "No changes.". Only text files are
// compared; a database is named, its changes told by the preset report.
std::vector<std::string> changeReportBody(const presetdb::PresetTableReport& presets,
                                          const std::vector<ReplacedFile>& files);

// Header and body as the report file holds them: Windows-1252, CR LF.
std::string changeReportBytes(const std::string& header, const std::vector<std::string>& body);

} // namespace engineering

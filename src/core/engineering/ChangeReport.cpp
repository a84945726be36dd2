#include "ChangeReport.h"

#include "IniFileChanges.h"
#include "ReportText.h"

#include "installation/RunJournal.h"
#include "platform/Windows1252Text.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"

#include <array>

namespace engineering {
namespace {

constexpr std::array<std::string_view, 3> kKeyNames = {"machine_type", "var_name",
                                                       "offset_or_bitno"};
constexpr std::array<std::string_view, 5> kValueNames = {"abs_min", "abs_max", "min", "max",
                                                         "pass"};

std::string_view runKindText(RunKind kind) {
    switch (kind) {
    case RunKind::Standalone:
        return "standalone run";
    case RunKind::Integrated:
        return "integrated run";
    case RunKind::Silent:
        return "silent run";
    case RunKind::Restore:
        return "restore";
    case RunKind::Conversion:
        return "conversion";
    case RunKind::Import:
        return "import";
    }
    return "run";
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

std::vector<std::string> lostTableLines(const presetdb::PresetTableReport& report) {
    std::vector<std::string> lines;
    for (const auto& table : report.lostTables)
        lines.push_back("Table " + reportText(table.name) + " (" + std::to_string(table.rows) +
                        " rows) of the previous database is not in the new one.");
    return lines;
}

std::vector<std::string> convertedLines(const presetdb::PresetTableReport& report) {
    std::vector<std::string> lines;
    for (const std::string& name : report.converted)
        lines.push_back(reportText(name) + " converted from an Access database to SQLite.");
    return lines;
}

bool replaced(const ReplacedFile& file) {
    return !(file.before && file.after && *file.before == *file.after);
}

} // namespace

std::string changeReportHeader(const ReportHeading& heading) {
    std::string text = "==== " + installation::readableTime(heading.changedAt) + " " +
                       std::string(runKindText(heading.kind)) +
                       (heading.dryRun ? " (dry run)" : "") + ", status " +
                       std::to_string(heading.status);
    if (heading.backupFolder)
        text += ", old versions in " + std::string(installation::kBackupFolderName) +
                std::string(run::kSeparator) + reportText(*heading.backupFolder);
    return text;
}

std::vector<std::string> presetTableLines(const presetdb::PresetTableReport& report) {
    if (!report.built)
        return {};
    std::string summary = "Preset table: " + std::to_string(report.rowsBefore) + " rows before, " +
                          std::to_string(report.rowsAfter) + " after; " +
                          std::to_string(report.valuesTakenOver) + " machine values taken over";
    if (report.dropped.empty())
        return {summary + "."};
    summary += "; values dropped of " + std::to_string(report.dropped.size()) +
               " machine row(s) that no rebuilt row matches:";
    std::vector<std::string> lines{summary};
    for (const auto& row : report.dropped) {
        std::vector<std::string> keys;
        std::vector<std::string> values;
        for (std::size_t k = 0; k < kKeyNames.size(); ++k)
            keys.push_back(std::string(kKeyNames[k]) + "=" + reportText(row.keys[k]));
        for (std::size_t v = 0; v < kValueNames.size(); ++v)
            values.push_back(std::string(kValueNames[v]) + "=" + reportText(row.values[v]));
        lines.push_back("  " + joined(keys, " ") + ": " + joined(values, " "));
    }
    return lines;
}

std::string filesReplacedLine(const std::vector<FileChange>& files) {
    std::vector<std::string> names;
    for (const FileChange& file : files)
        names.push_back(reportText(file.name) + (file.created ? " (new)" : ""));
    return "Files replaced: " + joined(names, ", ");
}

std::vector<std::string> changeReportBody(const presetdb::PresetTableReport& presets,
                                          const std::vector<ReplacedFile>& files) {
    std::vector<std::string> body;
    std::vector<FileChange> named;
    for (const ReplacedFile& file : files) {
        if (!replaced(file))
            continue;
        named.push_back({file.name, !file.before && file.after});
        if (isReportedIniFile(file.name) && file.before && file.after) {
            const auto lines =
                iniFileChangeLines(file.name, file.before.value_or(""), file.after.value_or(""));
            body.insert(body.end(), lines.begin(), lines.end());
        }
    }
    const bool presetsChanged = presets.built && (presets.changed || !presets.dropped.empty());
    if (named.empty() && !presetsChanged && presets.lostTables.empty())
        return {std::string(kNoChangesLine)};
    for (const auto& lines :
         {presetTableLines(presets), lostTableLines(presets), convertedLines(presets)})
        body.insert(body.end(), lines.begin(), lines.end());
    if (!named.empty())
        body.push_back(filesReplacedLine(named));
    return body;
}

std::string changeReportBytes(const std::string& header, const std::vector<std::string>& body) {
    std::string text = header + std::string(run::kCrLf);
    for (const std::string& line : body)
        text += line + std::string(run::kCrLf);
    return platform::toWindows1252(text);
}

} // namespace engineering

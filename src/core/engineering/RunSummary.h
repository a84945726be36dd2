#pragma once
// What a run did, for the caller that started it: with --json the program
// prints it as one JSON object on standard output (summaryJson), the change
// report's facts in a form a program reads.

#include "installation/RunTransaction.h"
#include "presetdb/PresetState.h"

#include <optional>
#include <string>
#include <vector>

namespace engineering {

struct RunSummary {
    std::string startMode; // "standalone run", "silent run", "restore", "conversion", ...
    std::vector<installation::ReplacedFile> files;
    std::vector<int> buttonsChanged;
    std::optional<presetdb::PresetTableReport> presets;
    std::optional<std::string> backupFolder;
    std::vector<std::string> rolledBack; // journals of interrupted runs put back first
    std::vector<std::string> converted;  // Access databases replaced by SQLite ones
    std::string report;                  // the change report's text (UTF-8)
};

std::string summaryJson(const RunSummary& summary, int status);

} // namespace engineering

#pragma once
// The change report: what one run changed, in a few plain lines.
//
// A report is a header line ("==== " + time + " " + what ran, and the backup
// folder that holds the replaced versions) and its body:
//  - each function button added, removed or changed, by button number, with
//    one line a changed field: its key, the old and the new value
//    (texts quoted, numbers and Booleans as stored);
//  - the preset table: rows before and after, how many machine values were
//    taken over, and every machine row whose values found no rebuilt row,
//    with its keys and its five values;
//  - the files replaced (content changed) or created;
// or, when the run changed nothing, the one line "No changes.".
// A button has a function when it has a program to start: one that gets one
// is "added", one that loses it "removed".
//
// Lines end with CR LF; the text is Windows-1252 (changeReportBytes).

#include "EngineeringFunction.h"

#include "presetdb/PresetState.h"

#include <array>
#include <string>
#include <vector>

namespace engineering {

using ButtonArray = std::array<EngineeringFunction, kButtonCount>;

inline constexpr std::string_view kNoChangesLine = "No changes.";

std::vector<std::string> buttonChangeLines(const ButtonArray& before, const ButtonArray& after);
std::vector<std::string> presetTableLines(const presetdb::PresetTableReport& report);

struct FileChange {
    std::string name;
    bool created = false;
};
std::string filesReplacedLine(const std::vector<FileChange>& files);

// The report's body: the lines above, or "No changes.".
std::vector<std::string> changeReportBody(const ButtonArray& before, const ButtonArray& after,
                                          const presetdb::PresetTableReport& presets,
                                          const std::vector<FileChange>& files);

// Header and body as the report file holds them: Windows-1252, CR LF.
std::string changeReportBytes(const std::string& header, const std::vector<std::string>& body);

} // namespace engineering

#pragma once
// What the preset update of one run finds and does, owned by the run: the
// name templates it reads and the report of the table it builds. What it
// reads from the INI files is in PresetSettings.h.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace presetdb {

inline constexpr std::size_t kSystemCount = 2; // 0 = VisiWin32, 1 = VisiWin Studio
inline constexpr std::size_t kPartCount = 50;  // parts 1 to 50

// What the update did to the preset table, for the run's change report.
struct PresetTableReport {
    // A machine row whose values found no rebuilt row: its three keys
    // ("machine_type", "var_name", "offset_or_bitno") and its five values
    // ("abs_min", "abs_max", "min", "max", "pass"), as text ("NULL" for null).
    struct DroppedRow {
        std::array<std::string, 3> keys;
        std::array<std::string, 5> values;
    };

    bool built = false;              // the new table was built whole and committed
    std::size_t rowsBefore = 0;      // rows of the previous table
    std::size_t rowsAfter = 0;       // rows of the rebuilt table
    std::size_t valuesTakenOver = 0; // machine rows whose values went into the rebuilt table
    std::vector<DroppedRow> dropped;
    // Tables of the previous database that the new one lacks, with their row counts.
    struct LostTable {
        std::string name;
        std::int64_t rows = 0;
    };
    std::vector<LostTable> lostTables;
    // Whether the rebuilt table holds other rows or values than the previous one.
    bool changed = false;
    // Database files (names) that were Access files and are replaced by
    // SQLite ones.
    std::vector<std::string> converted;
};

struct PresetState {
    // HMI variable-name templates by system and part index (part - 1); all
    // empty at start.
    std::array<std::array<std::string, kPartCount>, kSystemCount> VarNameTemplates;
    PresetTableReport report;
};

} // namespace presetdb

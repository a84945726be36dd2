#pragma once
// Generated preset databases for the benchmark: a source database with rows
// template rows and a previous target with as many machine rows, both with
// two additional columns ("speed", "width").
//
// Templates: part 1 + (i - 1) % 50, var_name Var<i>, offset i, texts with
// "###machine". Source_DEFS holds a template for each of the 50 parts of both
// systems. The previous target is PRESET_DEFS as a run for machine M1 left
// it, with other values: every tenth row still carries the VisiWin Studio
// name and every twenty-fifth names a parameter that is gone.

#include <filesystem>
#include <string>

namespace bench {

void writeSourceDatabase(const std::filesystem::path& path, int rows);
void writePreviousTarget(const std::filesystem::path& path, int rows);

// The plain-SQL form of the update, for "sqlite3 source < script": rebuilds
// PRESET_DEFS, renames the Studio names in the target and takes the machine's
// values over.
std::string baselineScript(const std::filesystem::path& target);

} // namespace bench

#pragma once
// An Access database converted to an SQLite database in memory: every user
// table with every column (the declared types of AccessColumn) and every row,
// in the Access file's table and row order.

#include "Database.h"

#include <string>

namespace presetdb {

// The conversion is one transaction: when any table cannot be read
// completely, a failure (run::Failure) names the file and table and
// nothing is converted. The Access file is only read.
Database convertAccessDatabase(const std::string& accessPath);

// A database file whole in memory, whatever its format: an Access file
// converted, any other read as an SQLite file (Database::readIntoMemory).
Database readAnyIntoMemory(const std::string& path);

} // namespace presetdb

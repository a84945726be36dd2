#pragma once
// A database's content, to decide whether a new database file holds anything
// else than the one it would replace, whatever their bytes.
//
// The content is the header's user version and application id, every schema
// entry (table, index, view, trigger) with its type, name, table and SQL as
// declared, in name order, and every table's columns and rows in storage
// order, each value with its kind. Where an entry lies in the file, free
// pages, page size and the order in which the entries were made do not count:
// a VACUUM, or a table dropped and built again with the same rows, keeps the
// digest. A virtual table counts by its declaration and its shadow tables'
// rows.

#include "PresetState.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace presetdb {

class Database;

struct DatabaseDigest {
    std::uint64_t hash = 0;
    bool operator==(const DatabaseDigest&) const = default;
};

// A failure (as every database operation) when a table cannot be read.
DatabaseDigest digestDatabase(Database& database);
// Nothing when the file cannot be opened or read as a database. Opening
// settles a journal an interrupted writer left beside the file, as every
// open does.
std::optional<DatabaseDigest> digestDatabaseFile(std::string_view path);

// The tables of previous that now lacks (names compared as SQLite does,
// ASCII letter case ignored), in previous's order, with their row counts; a
// failure when one of them cannot be counted.
std::vector<PresetTableReport::LostTable> lostTables(Database& previous, Database& now);

} // namespace presetdb

#pragma once
// A database's content, to decide whether a new database file holds anything
// else than the one it would replace, whatever their bytes.
//
// The content is the header's user version and application id, every schema
// entry (table, index, view, trigger) with its type, name, table and SQL as
// declared, in name order, and every table's columns and rows in storage
// order, each value with its kind (reals bit for bit). Where an entry lies in
// the file, free pages, page size and the order in which the entries were
// made do not count: a VACUUM, or a table dropped and built again with the
// same rows, keeps the content. A virtual table counts by its declaration and
// its shadow tables' rows.
//
// Two contents are compared side by side and the comparison stops at the
// first difference, so a changed table is told early.

#include "PresetState.h"

#include <string_view>
#include <vector>

namespace presetdb {

class Database;

// A failure (as every database operation) when a table cannot be read. The
// rows of comparedTable (a name as stored in both) are taken as the same:
// the caller compared them already.
bool sameContent(Database& a, Database& b, std::string_view comparedTable = {});
// Whether both have the same schema entries (the first part of the content).
bool sameSchema(Database& a, Database& b);
// False also when one of them is no database.
bool sameDatabaseContent(std::string_view a, std::string_view b);
// Whether the table has the same columns and rows in both databases; a
// failure when it cannot be read in one of them.
bool sameTableContent(Database& a, Database& b, std::string_view table);

// The tables of previous that now lacks (names compared as SQLite does,
// ASCII letter case ignored), in previous's order, with their row counts; a
// failure when one of them cannot be counted.
std::vector<PresetTableReport::LostTable> lostTables(Database& previous, Database& now);

} // namespace presetdb

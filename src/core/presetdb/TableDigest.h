#pragma once
// A fingerprint of a table's content, to tell whether a rebuilt table holds
// anything else than the one it replaces without keeping both in memory: the
// column names, then every row in storage order, each value with its kind.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace presetdb {

class Database;

struct TableDigest {
    std::size_t rows = 0;
    std::uint64_t hash = 0;
    bool operator==(const TableDigest&) const = default;
};

// A failure (as every database operation) when the table cannot be read.
TableDigest digestTable(Database& database, std::string_view table);

} // namespace presetdb

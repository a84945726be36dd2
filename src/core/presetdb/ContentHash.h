#pragma once
// The running hash behind the content digests of tables and databases: each
// piece is mixed into what came before, so a changed, added, removed or
// reordered piece changes the result with overwhelming likelihood, which is
// all a change decision needs. Values are mixed with their kind, so the
// integer 1, the real 1.0 and the text "1" differ.
// The result is compared within one run only: it is never stored, since the
// standard library's text hash may differ between builds.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace presetdb {

class Database;
class Value;

class ContentHash {
public:
    void addNumber(std::uint64_t number);
    void addText(std::string_view text);
    void addValue(const Value& value);
    // The table's column names, then its rows in storage order (row id
    // order; key order for a table without row ids) and their count.
    // Returns the number of rows; a failure when the table cannot be read.
    std::size_t addTable(Database& database, std::string_view table, bool withoutRowid = false);

    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

} // namespace presetdb

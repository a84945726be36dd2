#pragma once
// An Access database file (Jet 3, Jet 4 or ACE), read through libmdb of
// mdbtools: its user tables in the catalogue's order, their columns with
// their Access types and sizes, and their rows as the values an SQLite
// database of the program holds.
//
// Rules of this reader:
//  - It only reads; the file is opened for reading and never written.
//  - Values: Boolean as the integer 0 or 1 (never null: Access keeps a
//    Boolean in the row's null mask), Byte, Integer and Long Integer as
//    integers, Single, Double and Currency as reals (see AccessValues.h),
//    Date/Time as "YYYY-MM-DD HH:MM:SS" text, Text and Memo as UTF-8 text;
//    null as null. A table with a column of any other type (OLE Object,
//    Binary, Replication ID, Decimal, Attachment) is not read: a failure
//    names the column and its type.
//  - A table is read completely or not at all: a page past the end of the
//    file, a row or long value that cannot be followed, or fewer rows than
//    the table's definition records is a failure (run::Failure,
//    ErrDatabase) naming the file and the table, never a short table. So is
//    a catalogue that cannot be read completely, when the file is opened.
//  - Rows are read in the order of the table's data pages and of the rows on
//    each page, the order Access keeps them in; deleted rows are left out and
//    a row moved to another page is read where it moved to.
//  - An AccessDatabase is used by one thread at a time.

#include "Value.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace presetdb {

enum class AccessType {
    Boolean,
    Byte,
    Integer,
    LongInteger,
    Currency,
    Single,
    Double,
    DateTime,
    Text,
    Memo,
};

// "Long Integer", "Date/Time", ... as Access names them.
const char* accessTypeName(AccessType type);

struct AccessColumn {
    std::string name;
    AccessType type = AccessType::Text;
    // Text: characters; Memo: 0; the other types: bytes as stored.
    int size = 0;
    // The SQLite declared type the column becomes: Text(n) "TEXT(n)", Memo
    // "TEXT", Byte, Integer and Long Integer "INTEGER", Single, Double and
    // Currency "DOUBLE", Boolean "BIT", Date/Time "DATETIME".
    std::string declaredType;
    bool operator==(const AccessColumn&) const = default;
};

class AccessDatabase {
public:
    using Row = std::vector<Value>;

    // Opens the file and reads its catalogue; a failure names the file when it
    // is missing, no Access database, cut off or its catalogue unreadable.
    explicit AccessDatabase(const std::string& path);
    ~AccessDatabase();
    AccessDatabase(AccessDatabase&&) noexcept;
    AccessDatabase& operator=(AccessDatabase&&) noexcept;

    const std::string& path() const;
    // The user tables (no system tables, no linked tables), in the catalogue's order.
    std::vector<std::string> tableNames() const;
    // A failure for a table that does not exist (names compared without
    // regard to ASCII letter case, as Access does) or cannot be read.
    std::vector<AccessColumn> columns(std::string_view table) const;
    // Each row in turn, its values in the order of columns(table). When a
    // failure ends the reading, the rows seen so far are not the whole table.
    void forEachRow(std::string_view table, const std::function<void(const Row&)>& visit) const;
    std::vector<Row> rows(std::string_view table) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace presetdb

#include "DatabaseContent.h"

#include "Database.h"

#include "run/ErrorProtocol.h"

#include <string>

namespace presetdb {
namespace {

// A table whose rows count: a table, or a virtual table's shadow table.
struct StoredTable {
    std::string name;
    bool withoutRowid = false;
};

// Whether two statements give the same column names and the same rows.
bool sameRows(Statement&& a, Statement&& b) {
    const int columns = a.columnCount();
    if (b.columnCount() != columns)
        return false;
    for (int c = 0; c < columns; ++c)
        if (a.columnName(c) != b.columnName(c))
            return false;
    for (;;) {
        const bool more = a.step();
        if (b.step() != more)
            return false;
        if (!more)
            return true;
        for (int c = 0; c < columns; ++c)
            if (!(a.view(c) == b.view(c)))
                return false;
    }
}

std::string rowsInStorageOrder(std::string_view table, bool withoutRowid = false) {
    // A table without row ids is stored in its key's order, which a plain
    // scan follows.
    return "SELECT * FROM " + quoteIdentifier(table) + (withoutRowid ? "" : " ORDER BY rowid");
}

// Name and type together are unique; the root page (where the entry lies in
// the file) is left out.
constexpr std::string_view kSchema =
    "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name, type";

std::vector<StoredTable> storedTables(Database& database) {
    Statement tables = database.prepare(
        "SELECT m.name, coalesce(t.wr, 0) FROM sqlite_master AS m JOIN pragma_table_list AS t "
        "ON t.schema = 'main' AND t.name = m.name WHERE m.type = 'table' AND "
        "t.type IN ('table', 'shadow') ORDER BY m.name");
    std::vector<StoredTable> stored;
    while (tables.step())
        stored.push_back({toText(tables.column(0)), tables.column(1) == Value(1)});
    return stored;
}

} // namespace

bool sameSchema(Database& a, Database& b) {
    return sameRows(a.prepare(kSchema), b.prepare(kSchema));
}

bool sameContent(Database& a, Database& b, std::string_view comparedTable) {
    for (const std::string_view pragma : {"PRAGMA user_version", "PRAGMA application_id"})
        if (!sameRows(a.prepare(pragma), b.prepare(pragma)))
            return false;
    if (!sameSchema(a, b))
        return false;
    // The same schema declares the same tables in both.
    for (const StoredTable& table : storedTables(a)) {
        if (table.name == comparedTable)
            continue;
        const std::string rows = rowsInStorageOrder(table.name, table.withoutRowid);
        if (!sameRows(a.prepare(rows), b.prepare(rows)))
            return false;
    }
    return true;
}

bool sameDatabaseContent(std::string_view a, std::string_view b) {
    try {
        Database first = Database::viewOf(a, "old");
        Database second = Database::viewOf(b, "new");
        return sameContent(first, second);
    } catch (const run::Failure&) {
        return false; // one is no database
    }
}

bool sameTableContent(Database& a, Database& b, std::string_view table) {
    return sameRows(a.prepare(rowsInStorageOrder(table)), b.prepare(rowsInStorageOrder(table)));
}

std::vector<PresetTableReport::LostTable> lostTables(Database& previous, Database& now) {
    // NOCASE folds ASCII letters only, as SQLite matches table names.
    Statement kept = now.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                                 "name = ?1 COLLATE NOCASE");
    std::vector<PresetTableReport::LostTable> lost;
    for (const std::string& table : previous.tableNames()) {
        kept.bind(1, Value(table));
        const bool found = kept.step();
        kept.reset();
        if (found)
            continue;
        Statement count = previous.prepare("SELECT count(*) FROM " + quoteIdentifier(table));
        count.step();
        lost.push_back({table, count.column(0).integer()});
    }
    return lost;
}

} // namespace presetdb

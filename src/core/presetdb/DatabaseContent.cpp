#include "DatabaseContent.h"

#include "ContentHash.h"
#include "Database.h"

#include "framework/ErrorProtocol.h"

#include <string>

namespace presetdb {
namespace {

// A table whose rows count: a table, or a virtual table's shadow table.
struct StoredTable {
    std::string name;
    bool withoutRowid = false;
};

std::uint64_t pragmaNumber(Database& database, std::string_view pragma) {
    Statement statement = database.prepare("PRAGMA " + std::string(pragma));
    return statement.step() ? std::uint64_t(statement.column(0).integer()) : 0;
}

} // namespace

DatabaseDigest digestDatabase(Database& database) {
    ContentHash hash;
    hash.addNumber(pragmaNumber(database, "user_version"));
    hash.addNumber(pragmaNumber(database, "application_id"));

    // Name and type together are unique; the root page (where the entry lies
    // in the file) is left out.
    Statement schema = database.prepare(
        "SELECT m.type, m.name, m.tbl_name, m.sql, t.type IN ('table', 'shadow'), "
        "coalesce(t.wr, 0) FROM sqlite_master AS m LEFT JOIN pragma_table_list AS t "
        "ON m.type = 'table' AND t.schema = 'main' AND t.name = m.name "
        "ORDER BY m.name, m.type");
    std::vector<StoredTable> tables;
    while (schema.step()) {
        for (int column = 0; column < 4; ++column)
            hash.addValue(schema.column(column));
        if (schema.column(4) == Value(1))
            tables.push_back({toText(schema.column(1)), schema.column(5) == Value(1)});
    }
    for (const StoredTable& table : tables) {
        hash.addText(table.name);
        hash.addTable(database, table.name, table.withoutRowid);
    }
    return {hash.value()};
}

std::optional<DatabaseDigest> digestDatabaseFile(std::string_view path) {
    try {
        Database database = Database::readIntoMemory(path);
        return digestDatabase(database);
    } catch (const framework::Failure&) {
        return std::nullopt;
    }
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

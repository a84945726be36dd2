#include "AccessConversion.h"

#include "AccessDatabase.h"
#include "DatabaseFormat.h"

namespace presetdb {

Database convertAccessDatabase(const std::string& accessPath) {
    const AccessDatabase access(accessPath);
    Database converted = Database::emptyInMemory(accessPath);
    Transaction transaction(converted);
    for (const std::string& table : access.tableNames()) {
        std::vector<ColumnDefinition> definitions;
        for (const AccessColumn& column : access.columns(table))
            definitions.push_back({column.name, column.declaredType});
        converted.createTable(table, definitions);

        std::string sql = "INSERT INTO " + quoteIdentifier(table) + " VALUES (";
        for (std::size_t i = 0; i < definitions.size(); ++i)
            sql += i == 0 ? "?" : ", ?";
        Statement insert = converted.prepare(sql + ")");
        access.forEachRow(table, [&](const AccessDatabase::Row& row) {
            for (std::size_t i = 0; i < row.size(); ++i)
                insert.bind(int(i + 1), row[i]);
            insert.run();
        });
    }
    transaction.commit();
    return converted;
}

Database readAnyIntoMemory(const std::string& path) {
    if (isAccessFormat(databaseFormatOf(path)))
        return convertAccessDatabase(path);
    return Database::readIntoMemory(path);
}

} // namespace presetdb

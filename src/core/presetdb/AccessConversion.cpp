#include "AccessConversion.h"

#include "AccessDatabase.h"
#include "DatabaseFormat.h"
#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"

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
    const platform::FileRead file = platform::readFile(path);
    switch (file.kind) {
    case platform::FileKind::Missing:
        return Database::readIntoMemory(path); // which reports it
    case platform::FileKind::Unreadable:
        throw run::Failure(run::ErrDatabase, platform::cannotReadMessage(path));
    case platform::FileKind::Readable:
        break;
    }
    if (isAccessFormat(databaseFormatOfBytes(file.bytes)))
        return convertAccessDatabase(path);
    return Database::fromBytes(file.bytes, path);
}

} // namespace presetdb

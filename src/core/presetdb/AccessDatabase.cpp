#include "AccessDatabase.h"

#include "AccessFileName.h"
#include "AccessTable.h"
#include "DatabaseFormat.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace presetdb {
namespace {

using run::Failure;

// The catalogue MSysObjects, whose definition lies on page 2.
constexpr unsigned long kCatalogPage = 2;
constexpr std::int64_t kTableObject = 1;
constexpr std::uint32_t kSystemObject = 0x80000002;

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
std::optional<AccessType> accessTypeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BOOL:
        return AccessType::Boolean;
    case MDB_BYTE:
        return AccessType::Byte;
    case MDB_INT:
        return AccessType::Integer;
    case MDB_LONGINT:
        return AccessType::LongInteger;
    case MDB_MONEY:
        return AccessType::Currency;
    case MDB_FLOAT:
        return AccessType::Single;
    case MDB_DOUBLE:
        return AccessType::Double;
    case MDB_DATETIME:
        return AccessType::DateTime;
    case MDB_TEXT:
        return AccessType::Text;
    case MDB_MEMO:
        return AccessType::Memo;
    default:
        return std::nullopt;
    }
}

std::string unreadTypeName(int mdbType) {
    switch (mdbType) {
    case MDB_BINARY:
        return "Binary";
    case MDB_OLE:
        return "OLE Object";
    case MDB_REPID:
        return "Replication ID";
    case MDB_NUMERIC:
        return "Decimal";
    case MDB_COMPLEX:
        return "Attachment";
    default:
        return "number " + std::to_string(mdbType);
    }
}

std::string declaredTypeOf(AccessType type, int size) {
    switch (type) {
    case AccessType::Text:
        return size > 0 ? "TEXT(" + std::to_string(size) + ")" : "TEXT";
    case AccessType::Memo:
        return "TEXT";
    case AccessType::Boolean:
        return "BIT";
    case AccessType::Byte:
    case AccessType::Integer:
    case AccessType::LongInteger:
        return "INTEGER";
    case AccessType::Currency:
    case AccessType::Single:
    case AccessType::Double:
        return "DOUBLE";
    case AccessType::DateTime:
        return "DATETIME";
    }
    return "";
}

struct CatalogTable {
    std::string name;
    unsigned long definitionPage;
};

} // namespace

const char* accessTypeName(AccessType type) {
    switch (type) {
    case AccessType::Boolean:
        return "Boolean";
    case AccessType::Byte:
        return "Byte";
    case AccessType::Integer:
        return "Integer";
    case AccessType::LongInteger:
        return "Long Integer";
    case AccessType::Currency:
        return "Currency";
    case AccessType::Single:
        return "Single";
    case AccessType::Double:
        return "Double";
    case AccessType::DateTime:
        return "Date/Time";
    case AccessType::Text:
        return "Text";
    case AccessType::Memo:
        return "Memo";
    }
    return "";
}

struct AccessDatabase::Impl {
    std::string path;
    std::unique_ptr<MdbHandle, HandleCloser> mdb;
    AccessFile file;
    std::vector<CatalogTable> tables;

    Impl(std::string path, MdbHandle* handle, std::uintmax_t size)
        : path(std::move(path)), mdb(handle), file{this->path, size, handle} {}

    const CatalogTable& table(std::string_view name) const {
        for (const auto& table : tables)
            if (platform::equalsIgnoreCase(table.name, name))
                return table;
        throw Failure(run::ErrDatabase,
                      "Table '" + std::string(name) + "' not found (" + path + ")");
    }

    // The catalogue's user tables, from its rows' Id, Name, Type and Flags.
    void readCatalog() {
        AccessTable catalog(file, "MSysObjects", kCatalogPage);
        std::vector<std::size_t> wanted;
        for (const char* name : {"Id", "Name", "Type", "Flags"}) {
            const auto index = catalog.columnNamed(name);
            if (!index)
                catalog.damaged(std::string("it has no column ") + name);
            wanted.push_back(*index);
        }
        catalog.forEachRow(wanted, [&](const AccessRow& row) {
            if (row[0].kind() != ValueKind::Integer || !row[1].isText() ||
                row[2].kind() != ValueKind::Integer || row[3].kind() != ValueKind::Integer)
                return;
            const auto flags = std::uint32_t(row[3].integer());
            if ((row[2].integer() & 0x7F) == kTableObject && (flags & kSystemObject) == 0)
                tables.push_back({row[1].text(), (unsigned long)(row[0].integer() & 0x00FFFFFF)});
        });
    }

    // The table's columns, checked to be of types this reader reads.
    std::vector<AccessColumn> columnsOf(const AccessTable& table) const {
        std::vector<AccessColumn> columns;
        for (std::size_t i = 0; i < table.columnCount(); ++i) {
            const MdbColumn& column = table.column(i);
            const auto type = accessTypeOf(column.col_type);
            if (!type)
                table.damaged("column '" + std::string(column.name) + "' is of the Access type " +
                              unreadTypeName(column.col_type) +
                              ", which this program does not read");
            // Jet 4 counts a Text column's size in bytes of UTF-16.
            const int size = *type == AccessType::Text && !file.jet3() ? column.col_size / 2
                             : *type == AccessType::Memo               ? 0
                                                                       : column.col_size;
            columns.push_back({column.name, *type, size, declaredTypeOf(*type, size)});
        }
        return columns;
    }
};

AccessDatabase::AccessDatabase(const std::string& path) {
    const auto cannotOpen = [&](const std::string& reason) {
        return Failure(run::ErrDatabase, "Could not open database '" + path + "': " + reason);
    };
    const DatabaseFormat format = databaseFormatOf(path);
    if (format == DatabaseFormat::Missing)
        throw cannotOpen("file not found");
    if (!isAccessFormat(format))
        throw cannotOpen("the file is not an Access database");
    const std::filesystem::path file = platform::nativePath(path);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const auto name = narrowFileName(file);
    if (error || !name)
        throw cannotOpen("the file cannot be opened for reading");
    std::unique_ptr<MdbHandle, HandleCloser> handle(mdb_open(name->c_str(), MDB_NOFLAGS));
    if (!handle)
        throw cannotOpen("the file is not a readable Access database");
    const auto pageSize = std::uintmax_t(handle->fmt->pg_size);
    impl_ = std::make_unique<Impl>(path, handle.release(), size);
    if (size % pageSize != 0)
        throw cannotOpen("the file is cut off (its size is no whole number of pages)");
    impl_->readCatalog();
}

AccessDatabase::~AccessDatabase() = default;
AccessDatabase::AccessDatabase(AccessDatabase&&) noexcept = default;
AccessDatabase& AccessDatabase::operator=(AccessDatabase&&) noexcept = default;

const std::string& AccessDatabase::path() const {
    return impl_->path;
}

std::vector<std::string> AccessDatabase::tableNames() const {
    std::vector<std::string> names;
    for (const auto& table : impl_->tables)
        names.push_back(table.name);
    return names;
}

std::vector<AccessColumn> AccessDatabase::columns(std::string_view table) const {
    const CatalogTable& entry = impl_->table(table);
    const AccessTable open(impl_->file, entry.name, entry.definitionPage);
    return impl_->columnsOf(open);
}

void AccessDatabase::forEachRow(std::string_view table,
                                const std::function<void(const Row&)>& visit) const {
    const CatalogTable& entry = impl_->table(table);
    AccessTable open(impl_->file, entry.name, entry.definitionPage);
    std::vector<std::size_t> all(impl_->columnsOf(open).size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    open.forEachRow(all, visit);
}

std::vector<AccessDatabase::Row> AccessDatabase::rows(std::string_view table) const {
    std::vector<Row> rows;
    forEachRow(table, [&](const AccessRow& row) { rows.push_back(row); });
    return rows;
}

} // namespace presetdb

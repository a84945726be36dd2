#include "AccessDatabase.h"

#include "AccessFileName.h"
#include "AccessValues.h"
#include "DatabaseFormat.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/Text.h"

#include <mdbtools.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace presetdb {
namespace {

using framework::Failure;

// A data page's row offsets: where each row starts, and two flags. libmdb
// reads the flags the other way round, which keeps deleted rows and drops
// moved ones; rows are therefore found here, and libmdb only cracks them.
constexpr int kOffsetMask = 0x1FFF;
constexpr int kDeletedRow = 0x8000; // deleted, or the moved row a pointer leads to
constexpr int kMovedRow = 0x4000;   // holds only where the row now lies
constexpr int kMaxMoves = 8;
constexpr std::size_t kRowPointerSize = 4; // row number, then a 3-byte page number

// A Memo's 12 bytes in the row: its length and kind, then where it lies.
constexpr int kLongValueHeader = 12;
constexpr std::uint32_t kLongValueInline = 0x80000000;
constexpr std::uint32_t kLongValueOneRow = 0x40000000;
constexpr std::uint32_t kLongValueLengthMask = 0x3FFFFFFF;

// The catalogue MSysObjects, whose definition lies on page 2.
constexpr unsigned long kCatalogPage = 2;
constexpr std::int64_t kTableObject = 1;
constexpr std::uint32_t kSystemObject = 0x80000002;

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct DefinitionFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

std::uint32_t le32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}
std::uint64_t le64(const unsigned char* bytes) {
    return le32(bytes) | std::uint64_t(le32(bytes + 4)) << 32;
}

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

// The open file as the table readers need it.
struct AccessFile {
    const std::string& path;
    std::uintmax_t size;
    MdbHandle* mdb;

    bool jet3() const { return mdb->f->jet_version == MDB_VER_JET3; }
    bool holdsPage(unsigned long page) const {
        const auto pageSize = std::uintmax_t(mdb->fmt->pg_size);
        return page > 0 && (std::uintmax_t(page) + 1) * pageSize <= size;
    }
};

struct CatalogTable {
    std::string name;
    unsigned long definitionPage;
};

// One table's definition, read for as long as its rows or columns are read.
class OpenTable {
public:
    OpenTable(const AccessFile& file, const std::string& name, unsigned long definitionPage)
        : file_(file), name_(name) {
        entry_.mdb = file.mdb;
        std::snprintf(entry_.object_name, sizeof entry_.object_name, "%s", name.c_str());
        entry_.object_type = MDB_TABLE;
        entry_.table_pg = definitionPage;
        if (!file.holdsPage(definitionPage))
            damaged("its definition lies past the end of the file");
        definition_.reset(mdb_read_table(&entry_));
        if (!definition_)
            damaged("its definition cannot be read");
        if (mdb_read_columns(definition_.get()) == nullptr ||
            definition_->columns->len != definition_->num_cols)
            damaged("its columns cannot be read");
    }
    OpenTable(const OpenTable&) = delete; // libmdb keeps the entry's address
    OpenTable& operator=(const OpenTable&) = delete;

    [[noreturn]] void damaged(const std::string& reason) const {
        throw Failure(framework::ErrDatabase, "Table '" + name_ + "' of the Access database '" +
                                                  file_.path +
                                                  "' cannot be read completely: " + reason);
    }

    std::size_t columnCount() const { return definition_->num_cols; }
    const MdbColumn& column(std::size_t index) const {
        return *static_cast<const MdbColumn*>(g_ptr_array_index(definition_->columns, index));
    }
    std::optional<std::size_t> columnNamed(std::string_view name) const {
        for (std::size_t i = 0; i < columnCount(); ++i)
            if (framework::equalsIgnoreCase(column(i).name, name))
                return i;
        return std::nullopt;
    }

    // Visits the values of the wanted columns of every row.
    void forEachRow(const std::vector<std::size_t>& wanted,
                    const std::function<void(const AccessDatabase::Row&)>& visit) {
        MdbHandle* mdb = file_.mdb;
        std::vector<MdbField> fields(columnCount());
        AccessDatabase::Row values(wanted.size());
        std::uint64_t rowsRead = 0;
        std::uint32_t page = 0;
        for (;;) {
            const std::int32_t next =
                mdb_map_find_next(mdb, definition_->usage_map, unsigned(definition_->map_sz), page);
            if (next == 0)
                break;
            if (next < 0 || std::uint32_t(next) <= page)
                damaged("its page map cannot be read");
            page = std::uint32_t(next);
            if (!readDataPage(page))
                continue; // a page of another object, as Access leaves some in the map
            const int rows = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
            for (int row = 0; row < rows; ++row) {
                if (!readRow(page, row, fields))
                    continue;
                for (std::size_t i = 0; i < wanted.size(); ++i)
                    values[i] = valueOf(fields[wanted[i]], column(wanted[i]));
                visit(values);
                ++rowsRead;
                if (mdb->cur_pg != page) // the row had moved to another page
                    readPage(page);
            }
        }
        // An improperly closed file may record fewer, never more.
        if (rowsRead < definition_->num_rows)
            damaged("its definition records " + std::to_string(definition_->num_rows) + " rows, " +
                    std::to_string(rowsRead) + " could be read");
    }

private:
    // Reads a page into libmdb's page buffer.
    void readPage(std::uint32_t page) {
        if (!file_.holdsPage(page))
            damaged("its page " + std::to_string(page) + " lies past the end of the file");
        MdbHandle* mdb = file_.mdb;
        if (mdb_read_pg(mdb, page) != mdb->fmt->pg_size)
            damaged("its page " + std::to_string(page) + " cannot be read");
    }
    // The same; false for a page that is not a data page of this table.
    bool readDataPage(std::uint32_t page) {
        readPage(page);
        const unsigned char* bytes = file_.mdb->pg_buf;
        return bytes[0] == MDB_PAGE_DATA && le32(bytes + 4) == std::uint32_t(entry_.table_pg);
    }

    // Cracks a row into fields on the page buffer, following a moved row to
    // where it lies; false for a deleted or empty row.
    bool readRow(std::uint32_t page, int row, std::vector<MdbField>& fields) {
        MdbHandle* mdb = file_.mdb;
        const auto unreadable = [&](const char* what) {
            damaged(std::string(what) + " " + std::to_string(row) + " of page " +
                    std::to_string(page) + " cannot be read");
        };
        int start = 0;
        std::size_t size = 0;
        if (mdb_find_row(mdb, row, &start, &size) != 0)
            unreadable("row");
        if (start & kDeletedRow)
            return false;
        for (int moves = 0; start & kMovedRow; ++moves) {
            if (moves == kMaxMoves || size < kRowPointerSize)
                unreadable("moved row");
            const std::uint32_t pointer = le32(mdb->pg_buf + (start & kOffsetMask));
            readPage(pointer >> 8);
            if (mdb->pg_buf[0] != MDB_PAGE_DATA ||
                mdb_find_row(mdb, int(pointer & 0xFF), &start, &size) != 0)
                unreadable("moved row");
            start &= ~kDeletedRow; // marked so that a scan passes it by
        }
        if (size == 0)
            return false;
        if (mdb_crack_row(definition_.get(), start & kOffsetMask, size, fields.data()) < 0)
            unreadable("row");
        return true;
    }

    std::string textOf(std::string_view stored) const {
        return file_.jet3() ? utf8FromWindows1252(stored) : utf8FromJetUnicode(stored);
    }

    Value valueOf(const MdbField& field, const MdbColumn& column) {
        if (column.col_type == MDB_BOOL)
            return Value(field.is_null ? 0 : 1); // the null mask holds the value
        if (field.is_null)
            return Value();
        const unsigned char* bytes = file_.mdb->pg_buf + field.start;
        const auto need = [&](int size) {
            if (field.siz < size || field.start < 0)
                damaged("a value of column '" + std::string(column.name) + "' is cut off");
        };
        switch (column.col_type) {
        case MDB_BYTE:
            need(1);
            return Value(std::int64_t(bytes[0]));
        case MDB_INT:
            need(2);
            return Value(std::int64_t(std::int16_t(bytes[0] | bytes[1] << 8)));
        case MDB_LONGINT:
            need(4);
            return Value(std::int64_t(std::int32_t(le32(bytes))));
        case MDB_MONEY:
            need(8);
            return Value(currencyValue(std::int64_t(le64(bytes))));
        case MDB_FLOAT:
            need(4);
            return Value(singleValue(std::bit_cast<float>(le32(bytes))));
        case MDB_DOUBLE:
            need(8);
            return Value(std::bit_cast<double>(le64(bytes)));
        case MDB_DATETIME: {
            need(8);
            auto text = accessDateTimeText(std::bit_cast<double>(le64(bytes)));
            if (!text)
                damaged("column '" + std::string(column.name) + "' holds no valid date");
            return Value(std::move(*text));
        }
        case MDB_TEXT:
            need(0);
            return Value(textOf({reinterpret_cast<const char*>(bytes), std::size_t(field.siz)}));
        case MDB_MEMO:
            need(kLongValueHeader);
            return Value(textOf(longValue(bytes, field.siz, column)));
        default:
            damaged("column '" + std::string(column.name) + "' is of a type not read");
        }
    }

    // A Memo's bytes: in the row itself, in one row of a long-value page, or
    // in a chain of such rows, each beginning with where the next one lies.
    std::string longValue(const unsigned char* header, int fieldSize, const MdbColumn& column) {
        const std::uint32_t kind = le32(header);
        const std::size_t length = kind & kLongValueLengthMask;
        std::string bytes;
        if (kind & kLongValueInline) {
            bytes.assign(reinterpret_cast<const char*>(header) + kLongValueHeader,
                         std::size_t(fieldSize - kLongValueHeader));
        } else if (kind & kLongValueOneRow) {
            bytes = longValueRow(le32(header + 4), column);
        } else {
            for (std::uint32_t next = le32(header + 4); next != 0 && bytes.size() < length;) {
                const std::string part = longValueRow(next, column);
                if (part.size() <= kRowPointerSize)
                    break;
                next = le32(reinterpret_cast<const unsigned char*>(part.data()));
                bytes.append(part, kRowPointerSize);
            }
        }
        if (bytes.size() < length)
            damaged("a value of column '" + std::string(column.name) + "' is cut off");
        bytes.resize(length);
        return bytes;
    }

    std::string longValueRow(std::uint32_t pointer, const MdbColumn& column) {
        void* page = nullptr;
        int start = 0;
        std::size_t size = 0;
        if (!file_.holdsPage(pointer >> 8) ||
            mdb_find_pg_row(file_.mdb, int(pointer), &page, &start, &size) != 0 ||
            static_cast<const unsigned char*>(page)[0] != MDB_PAGE_DATA)
            damaged("a value of column '" + std::string(column.name) + "' cannot be found");
        return {static_cast<const char*>(page) + start, size};
    }

    const AccessFile& file_;
    std::string name_;
    MdbCatalogEntry entry_{};
    std::unique_ptr<MdbTableDef, DefinitionFreer> definition_;
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
            if (framework::equalsIgnoreCase(table.name, name))
                return table;
        throw Failure(framework::ErrDatabase,
                      "Table '" + std::string(name) + "' not found (" + path + ")");
    }

    // The catalogue's user tables, from its rows' Id, Name, Type and Flags.
    void readCatalog() {
        OpenTable catalog(file, "MSysObjects", kCatalogPage);
        std::vector<std::size_t> wanted;
        for (const char* name : {"Id", "Name", "Type", "Flags"}) {
            const auto index = catalog.columnNamed(name);
            if (!index)
                catalog.damaged(std::string("it has no column ") + name);
            wanted.push_back(*index);
        }
        catalog.forEachRow(wanted, [&](const Row& row) {
            if (row[0].kind() != ValueKind::Integer || !row[1].isText() ||
                row[2].kind() != ValueKind::Integer || row[3].kind() != ValueKind::Integer)
                return;
            const auto flags = std::uint32_t(row[3].integer());
            if ((row[2].integer() & 0x7F) == kTableObject && (flags & kSystemObject) == 0)
                tables.push_back({row[1].text(), (unsigned long)(row[0].integer() & 0x00FFFFFF)});
        });
    }

    // The table's columns, checked to be of types this reader reads.
    std::vector<AccessColumn> columnsOf(const OpenTable& table) const {
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
        return Failure(framework::ErrDatabase, "Could not open database '" + path + "': " + reason);
    };
    const DatabaseFormat format = databaseFormatOf(path);
    if (format == DatabaseFormat::Missing)
        throw cannotOpen("file not found");
    if (!isAccessFormat(format))
        throw cannotOpen("the file is not an Access database");
    const std::filesystem::path file = framework::nativePath(path);
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
    const OpenTable open(impl_->file, entry.name, entry.definitionPage);
    return impl_->columnsOf(open);
}

void AccessDatabase::forEachRow(std::string_view table,
                                const std::function<void(const Row&)>& visit) const {
    const CatalogTable& entry = impl_->table(table);
    OpenTable open(impl_->file, entry.name, entry.definitionPage);
    std::vector<std::size_t> all(impl_->columnsOf(open).size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    open.forEachRow(all, visit);
}

std::vector<AccessDatabase::Row> AccessDatabase::rows(std::string_view table) const {
    std::vector<Row> rows;
    forEachRow(table, [&](const Row& row) { rows.push_back(row); });
    return rows;
}

} // namespace presetdb

#include "AccessTable.h"

#include "AccessValues.h"

#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <bit>
#include <cstdio>

namespace presetdb {
namespace {

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

std::uint32_t le32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}
std::uint64_t le64(const unsigned char* bytes) {
    return le32(bytes) | std::uint64_t(le32(bytes + 4)) << 32;
}

} // namespace

AccessTable::AccessTable(const AccessFile& file, const std::string& name,
                         unsigned long definitionPage)
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

void AccessTable::damaged(const std::string& reason) const {
    throw run::Failure(run::ErrDatabase, "Table '" + name_ + "' of the Access database '" +
                                             file_.path + "' cannot be read completely: " + reason);
}

const MdbColumn& AccessTable::column(std::size_t index) const {
    return *static_cast<const MdbColumn*>(g_ptr_array_index(definition_->columns, index));
}

std::optional<std::size_t> AccessTable::columnNamed(std::string_view name) const {
    for (std::size_t i = 0; i < columnCount(); ++i)
        if (platform::equalsIgnoreCase(column(i).name, name))
            return i;
    return std::nullopt;
}

void AccessTable::forEachRow(const std::vector<std::size_t>& wanted,
                             const std::function<void(const AccessRow&)>& visit) {
    MdbHandle* mdb = file_.mdb;
    std::vector<MdbField> fields(columnCount());
    AccessRow values(wanted.size());
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
            if (readRow(page, row, fields)) {
                for (std::size_t i = 0; i < wanted.size(); ++i)
                    values[i] = valueOf(fields[wanted[i]], column(wanted[i]));
                visit(values);
                ++rowsRead;
            }
            if (mdb->cur_pg != page) // the row had moved to another page
                readPage(page);
        }
    }
    // An improperly closed file may record fewer rows than it holds: only
    // rows missing count.
    if (rowsRead < definition_->num_rows)
        damaged("its definition records " + std::to_string(definition_->num_rows) + " rows, " +
                std::to_string(rowsRead) + " could be read");
}

void AccessTable::readPage(std::uint32_t page) {
    if (!file_.holdsPage(page))
        damaged("its page " + std::to_string(page) + " lies past the end of the file");
    MdbHandle* mdb = file_.mdb;
    if (mdb_read_pg(mdb, page) != mdb->fmt->pg_size)
        damaged("its page " + std::to_string(page) + " cannot be read");
}

bool AccessTable::readDataPage(std::uint32_t page) {
    readPage(page);
    const unsigned char* bytes = file_.mdb->pg_buf;
    return bytes[0] == MDB_PAGE_DATA && le32(bytes + 4) == std::uint32_t(entry_.table_pg);
}

bool AccessTable::readRow(std::uint32_t page, int row, std::vector<MdbField>& fields) {
    MdbHandle* mdb = file_.mdb;
    const auto unreadable = [&](const char* what) {
        damaged(std::string(what) + " " + std::to_string(row) + " of page " + std::to_string(page) +
                " cannot be read");
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

std::string AccessTable::textOf(std::string_view stored) const {
    return file_.jet3() ? utf8FromWindows1252(stored) : utf8FromJetUnicode(stored);
}

Value AccessTable::valueOf(const MdbField& field, const MdbColumn& column) {
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

std::string AccessTable::longValue(const unsigned char* header, int fieldSize,
                                   const MdbColumn& column) {
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

std::string AccessTable::longValueRow(std::uint32_t pointer, const MdbColumn& column) {
    void* page = nullptr;
    int start = 0;
    std::size_t size = 0;
    if (!file_.holdsPage(pointer >> 8) ||
        mdb_find_pg_row(file_.mdb, int(pointer), &page, &start, &size) != 0 ||
        static_cast<const unsigned char*>(page)[0] != MDB_PAGE_DATA)
        damaged("a value of column '" + std::string(column.name) + "' cannot be found");
    return {static_cast<const char*>(page) + start, size};
}

} // namespace presetdb

#pragma once
// One table of an open Access file, read through libmdb: its definition, and
// its rows found page by page (AccessDatabase.h states the rules). For
// AccessDatabase.cpp only: it brings libmdb's header along.

#include "Value.h"

#include <mdbtools.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace presetdb {

using AccessRow = std::vector<Value>;

// The open file as a table's reader needs it.
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

class AccessTable {
public:
    // Reads the table's definition on that page; `name` names it in failures.
    AccessTable(const AccessFile& file, const std::string& name, unsigned long definitionPage);
    AccessTable(const AccessTable&) = delete; // libmdb keeps the entry's address
    AccessTable& operator=(const AccessTable&) = delete;

    // A failure naming the file and the table: it cannot be read completely.
    [[noreturn]] void damaged(const std::string& reason) const;

    std::size_t columnCount() const { return definition_->num_cols; }
    const MdbColumn& column(std::size_t index) const;
    // Names compared without regard to ASCII letter case.
    std::optional<std::size_t> columnNamed(std::string_view name) const;

    // Visits the values of the wanted columns of every row (the values as
    // AccessDatabase.h gives them, for columns of the types it reads).
    void forEachRow(const std::vector<std::size_t>& wanted,
                    const std::function<void(const AccessRow&)>& visit);

private:
    struct DefinitionFreer {
        void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
    };

    void readPage(std::uint32_t page);
    bool readDataPage(std::uint32_t page);
    bool readRow(std::uint32_t page, int row, std::vector<MdbField>& fields);
    std::string textOf(std::string_view stored) const;
    Value valueOf(const MdbField& field, const MdbColumn& column);
    std::string longValue(const unsigned char* header, int fieldSize, const MdbColumn& column);
    std::string longValueRow(std::uint32_t pointer, const MdbColumn& column);

    const AccessFile& file_;
    std::string name_;
    MdbCatalogEntry entry_{};
    std::unique_ptr<MdbTableDef, DefinitionFreer> definition_;
};

} // namespace presetdb

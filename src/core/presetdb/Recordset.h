#pragma once
// Rows of a table or of a SELECT, held in memory once opened, with a current
// row to move over and a buffer to add or edit a row.
//
//  - recordCount() is the number of rows right after opening; eof() is true
//    on an empty recordset and after moveNext() from the last row.
//  - A table recordset holds the rows in table order, of all columns or of
//    the columns named, and is updatable: addNew() or edit(), then
//    setValue(), then update() writes the row at once (an INSERT, or an
//    UPDATE of the changed columns by row id). An added row goes to the table
//    only: the recordset keeps the rows it was opened with, and the current
//    row stays where it was.
//  - A query recordset is read-only; its SQL takes values only as bound
//    parameters.
//  - Field names are found without regard to letter case.
//  - While a row is being added or edited, value() reads the buffer.
//  - Statements for writing are prepared once per set of changed columns and
//    reused.

#include "Database.h"
#include "Value.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace presetdb {

class Recordset {
public:
    static Recordset openTable(Database& database, std::string_view table,
                               const std::vector<std::string>& columns = {});
    static Recordset openQuery(Database& database, std::string_view sql,
                               const std::vector<Value>& parameters = {});

    std::size_t recordCount() const { return rowCount_; }
    bool eof() const { return current_ >= rowCount_; }
    void moveFirst() { current_ = 0; }
    void moveNext();
    // Makes the row at this 0-based position the current one.
    void move(std::size_t position);
    std::size_t position() const { return current_; }

    int fieldCount() const { return int(names_.size()); }
    const std::string& fieldName(int field) const;
    std::optional<int> findField(std::string_view name) const;
    // A failure "Item not found in this collection." when there is no such field.
    int fieldIndex(std::string_view name) const;

    const Value& value(int field) const;
    const Value& value(std::string_view name) const { return value(fieldIndex(name)); }

    void addNew();
    void edit();
    void setValue(int field, Value value);
    void update();

private:
    enum class Mode { Browse, Adding, Editing };

    Recordset(Database& database, std::string table)
        : database_(&database), table_(std::move(table)) {}
    void read(Statement& statement, bool withRowid);
    Statement& writeStatement(bool insert);
    // The first value of the current row; the row's values follow it.
    const Value* currentRow() const;
    std::size_t width() const { return names_.size(); }
    Value* rowAt(std::size_t row);

    Database* database_;
    std::string table_; // empty for a query
    std::vector<std::string> names_;
    std::vector<std::int64_t> rowids_;
    // All values, row after row, in chunks of kChunkRows rows: few
    // allocations, and a growing recordset never copies what it holds.
    static constexpr std::size_t kChunkRows = 128;
    std::vector<std::vector<Value>> chunks_;
    std::size_t rowCount_ = 0;
    std::size_t current_ = 0;

    Mode mode_ = Mode::Browse;
    std::vector<Value> buffer_;
    std::vector<bool> changed_;
    std::map<std::vector<bool>, Statement> inserts_;
    std::map<std::vector<bool>, Statement> updates_;
};

} // namespace presetdb

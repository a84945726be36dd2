#include "Recordset.h"

#include "framework/ErrorProtocol.h"
#include "framework/Text.h"

#include <algorithm>
#include <stdexcept>

namespace presetdb {
namespace {

using framework::Failure;

Failure noCurrentRecord() {
    return Failure(framework::ErrDatabase, "No current record.");
}

} // namespace

Recordset Recordset::openTable(Database& database, std::string_view table,
                               const std::vector<std::string>& columns) {
    Recordset recordset(database, std::string(table));
    std::string selected = columns.empty() ? "*" : "";
    for (const std::string& column : columns)
        selected += (selected.empty() ? "" : ", ") + quoteIdentifier(column);
    Statement statement = database.prepare("SELECT _rowid_, " + selected + " FROM " +
                                           quoteIdentifier(table) + " ORDER BY _rowid_");
    recordset.read(statement, true);
    return recordset;
}

Recordset Recordset::openQuery(Database& database, std::string_view sql,
                               const std::vector<Value>& parameters) {
    Recordset recordset(database, {});
    Statement statement = database.prepare(sql);
    for (std::size_t i = 0; i < parameters.size(); ++i)
        statement.bind(int(i + 1), parameters[i]);
    recordset.read(statement, false);
    return recordset;
}

void Recordset::read(Statement& statement, bool withRowid) {
    const int first = withRowid ? 1 : 0;
    const int count = statement.columnCount();
    for (int c = first; c < count; ++c)
        names_.push_back(statement.columnName(c));
    while (statement.step()) {
        if (withRowid)
            rowids_.push_back(statement.column(0).integer());
        if (rowCount_ % kChunkRows == 0)
            chunks_.emplace_back().reserve(kChunkRows * width());
        for (int c = first; c < count; ++c)
            chunks_.back().push_back(statement.column(c));
        ++rowCount_;
    }
}

Value* Recordset::rowAt(std::size_t row) {
    return chunks_[row / kChunkRows].data() + (row % kChunkRows) * width();
}

void Recordset::moveNext() {
    if (eof())
        throw noCurrentRecord();
    ++current_;
}

void Recordset::move(std::size_t position) {
    if (position >= rowCount_)
        throw noCurrentRecord();
    current_ = position;
}

const std::string& Recordset::fieldName(int field) const {
    return names_.at(std::size_t(field));
}

std::optional<int> Recordset::findField(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (framework::equalsIgnoreCase(names_[i], name))
            return int(i);
    return std::nullopt;
}

int Recordset::fieldIndex(std::string_view name) const {
    if (const auto field = findField(name))
        return *field;
    throw Failure(framework::ErrDatabase,
                  "Item not found in this collection. (" + std::string(name) + ")");
}

const Value* Recordset::currentRow() const {
    if (eof())
        throw noCurrentRecord();
    const auto& chunk = chunks_[current_ / kChunkRows];
    return chunk.data() + (current_ % kChunkRows) * width();
}

const Value& Recordset::value(int field) const {
    if (mode_ != Mode::Browse)
        return buffer_.at(std::size_t(field));
    if (field < 0 || std::size_t(field) >= width())
        throw std::out_of_range("field");
    return currentRow()[field];
}

void Recordset::addNew() {
    if (table_.empty())
        throw Failure(framework::ErrDatabase,
                      "Operation is not supported for this type of object.");
    mode_ = Mode::Adding;
    buffer_.assign(names_.size(), Value());
    changed_.assign(names_.size(), false);
}

void Recordset::edit() {
    if (table_.empty())
        throw Failure(framework::ErrDatabase,
                      "Operation is not supported for this type of object.");
    const Value* row = currentRow();
    buffer_.assign(row, row + width());
    changed_.assign(names_.size(), false);
    mode_ = Mode::Editing;
}

void Recordset::setValue(int field, Value value) {
    if (mode_ == Mode::Browse)
        throw Failure(framework::ErrDatabase, "Update or CancelUpdate without AddNew or Edit.");
    buffer_.at(std::size_t(field)) = std::move(value);
    changed_[std::size_t(field)] = true;
}

Statement& Recordset::writeStatement(bool insert) {
    auto& cache = insert ? inserts_ : updates_;
    if (auto found = cache.find(changed_); found != cache.end())
        return found->second;
    std::string columns;
    std::string values;
    int parameter = 0;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (!changed_[i])
            continue;
        const std::string number = "?" + std::to_string(++parameter);
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += quoteIdentifier(names_[i]) + (insert ? "" : " = " + number);
        values += number;
    }
    std::string sql;
    if (insert)
        sql = columns.empty() ? "INSERT INTO " + quoteIdentifier(table_) + " DEFAULT VALUES"
                              : "INSERT INTO " + quoteIdentifier(table_) + " (" + columns +
                                    ") VALUES (" + values + ")";
    else
        sql = "UPDATE " + quoteIdentifier(table_) + " SET " + columns + " WHERE _rowid_ = ?" +
              std::to_string(parameter + 1);
    return cache.emplace(changed_, database_->prepare(sql)).first->second;
}

void Recordset::update() {
    if (mode_ == Mode::Browse)
        throw Failure(framework::ErrDatabase, "Update or CancelUpdate without AddNew or Edit.");
    const bool insert = mode_ == Mode::Adding;
    const bool anyChange = std::find(changed_.begin(), changed_.end(), true) != changed_.end();
    if (insert || anyChange) {
        Statement& statement = writeStatement(insert);
        int parameter = 0;
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (changed_[i])
                statement.bind(++parameter, buffer_[i]);
        if (!insert)
            statement.bind(parameter + 1, Value(rowids_[current_]));
        statement.run();
    }
    if (!insert)
        std::move(buffer_.begin(), buffer_.end(), rowAt(current_));
    mode_ = Mode::Browse;
}

} // namespace presetdb

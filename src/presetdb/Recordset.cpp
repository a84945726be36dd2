#include "presetdb/Recordset.h"

#include "framework/ErrorProtocol.h"
#include "framework/Text.h"

#include <algorithm>

namespace presetdb {
namespace {

using framework::Failure;

Failure noCurrentRecord() {
    return Failure(framework::ErrDatabase, "No current record.");
}

} // namespace

Recordset Recordset::openTable(Database& database, std::string_view table) {
    Recordset recordset(database, std::string(table));
    Statement statement =
        database.prepare("SELECT _rowid_, * FROM " + quoteIdentifier(table) + " ORDER BY _rowid_");
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
        std::vector<Value>& row = rows_.emplace_back();
        row.reserve(std::size_t(count - first));
        for (int c = first; c < count; ++c)
            row.push_back(statement.column(c));
    }
}

void Recordset::moveNext() {
    if (eof())
        throw noCurrentRecord();
    ++current_;
}

void Recordset::move(std::size_t position) {
    if (position >= rows_.size())
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

const std::vector<Value>& Recordset::currentRow() const {
    if (eof())
        throw noCurrentRecord();
    return rows_[current_];
}

const Value& Recordset::value(int field) const {
    if (mode_ != Mode::Browse)
        return buffer_.at(std::size_t(field));
    return currentRow().at(std::size_t(field));
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
    buffer_ = currentRow();
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
    if (insert) {
        rowids_.push_back(database_->lastInsertRowid());
        rows_.push_back(std::move(buffer_));
    } else {
        rows_[current_] = std::move(buffer_);
    }
    buffer_.clear();
    mode_ = Mode::Browse;
}

void Recordset::cancelUpdate() {
    buffer_.clear();
    mode_ = Mode::Browse;
}

} // namespace presetdb

#include "PresetFixture.h"

#include "presetdb/PresetState.h"
#include "presetdb/Recordset.h"

#include "framework/ProgramState.h"

namespace presettest {

using presetdb::Database;

Row Preset::row() const {
    return {id,   machineType, type,   part,   varName, category, isBitArray, offset,
            text, page,        absMin, absMax, min,     max,      pass};
}

std::vector<ColumnDefinition> standardColumns() {
    return {{"ID", "INTEGER"},         {"machine_type", "TEXT(50)"},
            {"type", "INTEGER"},       {"part", "INTEGER"},
            {"var_name", "TEXT(100)"}, {"category_id", "INTEGER"},
            {"isBitArray", "BIT"},     {"offset_or_bitno", "INTEGER"},
            {"text", "TEXT(255)"},     {"page_name", "TEXT(50)"},
            {"abs_min", "DOUBLE"},     {"abs_max", "DOUBLE"},
            {"min", "DOUBLE"},         {"max", "DOUBLE"},
            {"pass", "INTEGER"}};
}

PresetFixture::PresetFixture() {
    presetdb::resetPresetState();
    setMachines({"M1"});
}

void PresetFixture::writeCfg(const std::vector<std::string>& projectLines) const {
    std::string text = "[Project]\r\n";
    for (const auto& line : projectLines)
        text += line + "\r\n";
    install.write("Engineering/Engineering.cfg", text);
}

void PresetFixture::setMachines(std::vector<std::string> names) const {
    framework::programState().ExistingMachines = std::move(names);
}

void PresetFixture::runSilently() const {
    framework::programState().SilentMode = true;
}

void PresetFixture::runIntegrated() const {
    framework::programState().StartModeIntegrated = true;
}

void PresetFixture::insertRows(Database& database, const std::string& table,
                               std::size_t columnCount, const std::vector<Row>& rows) {
    std::string sql = "INSERT INTO " + presetdb::quoteIdentifier(table) + " VALUES (";
    for (std::size_t i = 0; i < columnCount; ++i)
        sql += i == 0 ? "?" : ", ?";
    presetdb::Transaction transaction(database);
    presetdb::Statement insert = database.prepare(sql + ")");
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            insert.bind(int(i + 1), row[i]);
        insert.run();
    }
    transaction.commit();
}

void PresetFixture::makeSource(const std::vector<SystemTemplate>& systems,
                               const std::vector<Row>& templates,
                               const std::vector<ColumnDefinition>& columns) const {
    Database source = Database::create(sourcePath());
    source.createTable("Source_DEFS",
                       {{"System", "TEXT(50)"}, {"Var_Name", "TEXT(255)"}, {"Part", "INTEGER"}});
    std::vector<Row> systemRows;
    for (const auto& s : systems)
        systemRows.push_back({s.system, s.varName, s.part});
    insertRows(source, "Source_DEFS", 3, systemRows);
    source.createTable("Source_PRESET_DEFS", columns);
    insertRows(source, "Source_PRESET_DEFS", columns.size(), templates);
}

void PresetFixture::makePresetDatabase(const std::string& path, const std::vector<Row>& rows,
                                       const std::vector<ColumnDefinition>& columns) const {
    Database database = Database::create(path);
    database.createTable("PRESET_DEFS", columns);
    insertRows(database, "PRESET_DEFS", columns.size(), rows);
}

std::vector<Row> PresetFixture::query(const std::string& path, const std::string& sql) {
    Database database = Database::open(path);
    presetdb::Recordset rows = presetdb::Recordset::openQuery(database, sql);
    std::vector<Row> result;
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        Row& row = result.emplace_back();
        for (int i = 0; i < rows.fieldCount(); ++i)
            row.push_back(rows.value(i));
    }
    return result;
}

} // namespace presettest

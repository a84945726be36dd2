#pragma once
// A scratch installation with preset databases made by the test: a source
// database with Source_DEFS and Source_PRESET_DEFS, and a previous target;
// the settings select machine 1, "M1", and configure no further column.

#include "TestInstallation.h"

#include "presetdb/Database.h"
#include "presetdb/PresetSettings.h"
#include "presetdb/PresetState.h"

#include "run/ProgramState.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace presettest {

using namespace presetdb;
using Row = std::vector<Value>;
using Rows = std::vector<Row>;
using Columns = std::vector<ColumnDefinition>;

// One preset parameter in the standard layout.
struct Preset {
    Value id = 1, machineType = "###machine", type = 1, part = 1, varName = "Speed";
    Value category = 1, isBitArray = 0, offset = 0, text = "Speed ###machine", page = "Drive";
    Value absMin = 0.0, absMax = 100.0, min = 0.0, max = 100.0, pass = 1;

    Row row() const {
        return {id,   machineType, type,   part,   varName, category, isBitArray, offset,
                text, page,        absMin, absMax, min,     max,      pass};
    }
};

// The fifteen standard columns; "part" stands before "var_name".
inline Columns standardColumns() {
    return {{"ID", "INTEGER"},         {"machine_type", "TEXT(50)"},
            {"type", "INTEGER"},       {"part", "INTEGER"},
            {"var_name", "TEXT(100)"}, {"category_id", "INTEGER"},
            {"isBitArray", "BIT"},     {"offset_or_bitno", "INTEGER"},
            {"text", "TEXT(255)"},     {"page_name", "TEXT(50)"},
            {"abs_min", "DOUBLE"},     {"abs_max", "DOUBLE"},
            {"min", "DOUBLE"},         {"max", "DOUBLE"},
            {"pass", "INTEGER"}};
}

// A line of the error log as a failing step of a procedure writes it.
inline std::string errorLine(const std::string& procedure, int number,
                             const std::string& description) {
    return "Fehler in Engineering / Engineering_Config / " + procedure + " (Nr. " +
           std::to_string(number) + ") :" + description + "\r\n";
}

class PresetFixture : public ::testing::Test {
protected:
    PresetFixture() { startRun(""); }

    run::ProgramState& program() { return *program_; }
    // Starts the run anew with a command line.
    void startRun(std::string_view commandLine) {
        program_ = &install.restart(commandLine);
        settings.integrated = program_->StartModeIntegrated;
    }
    static PresetSettings machineOne(const std::string& cfg) {
        PresetSettings selected;
        selected.runtimeConfiguration = cfg;
        selected.hasProjectSection = true;
        selected.forMachine1 = true;
        selected.validMachines = "M1";
        selected.machines = {"M1"};
        return selected;
    }

    std::string sourcePath() const { return files.sourceDatabase; }
    std::string targetPath() const { return files.targetDatabase; }
    bool nothingLogged() const { return !install.exists("Q4Mcfglog.txt"); }
    void runSilently(bool silent = true) { startRun(silent ? "/EXTERNAL SILENT" : ""); }
    void runIntegrated() { startRun("/EXTERNAL Q4MCFG"); }

    // A source database with both template tables: rows (System, Var_Name,
    // Part) of Source_DEFS, its columns spelt in another letter case, and
    // the preset templates.
    void makeSource(const Rows& systems, const Rows& templates,
                    const Columns& columns = standardColumns()) const {
        Database source = Database::create(sourcePath());
        fillTable(source, "Source_DEFS",
                  {{"SYSTEM", "TEXT(50)"}, {"var_name", "TEXT(255)"}, {"part", "INTEGER"}},
                  systems);
        fillTable(source, "Source_PRESET_DEFS", columns, templates);
    }
    // A database with one PRESET_DEFS table (the previous target, a machine copy).
    static void makePresetDatabase(const std::string& path, const Rows& rows,
                                   const Columns& columns = standardColumns()) {
        Database database = Database::create(path);
        fillTable(database, "PRESET_DEFS", columns, rows);
    }
    static void fillTable(Database& database, const std::string& table, const Columns& columns,
                          const Rows& rows) {
        database.createTable(table, columns);
        std::string sql = "INSERT INTO " + quoteIdentifier(table) + " VALUES (?";
        for (std::size_t i = 1; i < columns.size(); ++i)
            sql += ", ?";
        Statement insert = database.prepare(sql + ")");
        for (const Row& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i)
                insert.bind(int(i + 1), row[i]);
            insert.run();
        }
    }

    static Rows query(const std::string& path, const std::string& sql) {
        Database database = Database::open(path);
        Statement rows = database.prepare(sql);
        Rows result;
        while (rows.step()) {
            Row& row = result.emplace_back();
            for (int i = 0; i < rows.columnCount(); ++i)
                row.push_back(rows.column(i));
        }
        return result;
    }
    // The values of a one-column query.
    static Row column(const std::string& path, const std::string& sql) {
        Row values;
        for (Row& row : query(path, sql))
            values.push_back(row.at(0));
        return values;
    }

    testsupport::TestInstallation install;
    installation::InstallationFiles files =
        installation::componentFiles(install.root().string(), "Engineering");
    PresetSettings settings = machineOne(files.runtimeConfiguration);
    PresetState presets;

private:
    run::ProgramState* program_ = nullptr;
};

} // namespace presettest

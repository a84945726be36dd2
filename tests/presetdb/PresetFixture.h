#pragma once
// A scratch installation with preset databases made by the test: a source
// database with Source_DEFS and Source_PRESET_DEFS, and a previous target.

#include "TestInstallation.h"

#include "presetdb/Database.h"
#include "presetdb/Value.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace presettest {

using presetdb::ColumnDefinition;
using presetdb::Value;
using Row = std::vector<Value>;

// One preset parameter in the standard layout.
struct Preset {
    Value id = 1;
    Value machineType = "###machine";
    Value type = 1;
    Value part = 1;
    Value varName = "Speed";
    Value category = 1;
    Value isBitArray = 0;
    Value offset = 0;
    Value text = "Speed ###machine";
    Value page = "Drive";
    Value absMin = 0.0;
    Value absMax = 100.0;
    Value min = 0.0;
    Value max = 100.0;
    Value pass = 1;

    Row row() const;
};

// The fifteen standard columns; "part" stands before "var_name".
std::vector<ColumnDefinition> standardColumns();

struct SystemTemplate {
    Value system;
    Value varName;
    Value part;
};

class PresetFixture : public ::testing::Test {
protected:
    PresetFixture();

    std::string sourcePath() const { return install.path("Engineering/Engineering_Source.mdb"); }
    std::string targetPath() const { return install.path("Engineering/Engineering.mdb"); }
    std::string errorLog() const { return install.read("Q4Mcfglog.txt"); }
    std::string faultLog() const { return install.read("HalvarServicePack.log"); }

    // Section "Project" of Engineering.cfg with these lines (CR LF added).
    void writeCfg(const std::vector<std::string>& projectLines) const;
    void setMachines(std::vector<std::string> names) const;
    void runSilently() const;
    void runIntegrated() const;

    // A source database with both template tables.
    void makeSource(const std::vector<SystemTemplate>& systems, const std::vector<Row>& templates,
                    const std::vector<ColumnDefinition>& columns = standardColumns()) const;
    // A database with one PRESET_DEFS table (the previous target, a machine copy).
    void makePresetDatabase(const std::string& path, const std::vector<Row>& rows,
                            const std::vector<ColumnDefinition>& columns = standardColumns()) const;

    // Rows of a SELECT on a database file.
    static std::vector<Row> query(const std::string& path, const std::string& sql);
    static void insertRows(presetdb::Database& database, const std::string& table,
                           std::size_t columnCount, const std::vector<Row>& rows);

    testsupport::TestInstallation install;
};

} // namespace presettest

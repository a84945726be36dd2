#include "TestInstallation.h"

#include "presetdb/Database.h"
#include "presetdb/Recordset.h"

#include "framework/ErrorProtocol.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace presetdb;

class DatabaseTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return install.path(name); }
    testsupport::TestInstallation install;
};

std::string openFailure(const std::string& path) {
    try {
        Database::open(path);
    } catch (const framework::Failure& failure) {
        return failure.description();
    }
    return "opened";
}

TEST_F(DatabaseTest, OpeningNeverCreatesAndNamesTheFileItFails) {
    const std::string missing = path("Missing.mdb");
    EXPECT_NE(openFailure(missing).find(missing), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing));

    install.write("Text.mdb", "Standard Jet DB, not what this program reads");
    EXPECT_NE(openFailure(path("Text.mdb")).find("not a database"), std::string::npos);
    install.write("Empty.mdb", "");
    EXPECT_NE(openFailure(path("Empty.mdb")).find("Empty.mdb"), std::string::npos);

    // A file with the header but nothing sound behind it.
    install.write("Torn.mdb", std::string("SQLite format 3\0", 16) + std::string(200, 'x'));
    EXPECT_NE(openFailure(path("Torn.mdb")).find("Torn.mdb"), std::string::npos);
}

TEST_F(DatabaseTest, PathsAreFoundWithoutRegardToLetterCaseAndBackslashes) {
    Database::create(path("Engineering/Engineering.mdb"));
    const std::string spelt = install.root().string() + "\\ENGINEERING\\engineering.MDB";
    EXPECT_NO_THROW(Database::open(spelt));
}

TEST_F(DatabaseTest, TablesKeepDeclaredTypesAndColumnOrder) {
    Database database = Database::create(path("Types.mdb"));
    const std::vector<ColumnDefinition> columns = {
        {"ID", "INTEGER"}, {"var_name", "TEXT(50)"}, {"min", "DOUBLE"}, {"odd \"name\"", ""}};
    database.createTable("PRESET_DEFS", columns);
    database.createTable("Other", {{"a", "TEXT"}});
    EXPECT_EQ(database.columns("PRESET_DEFS"), columns);
    EXPECT_EQ(database.tableNames(), (std::vector<std::string>{"PRESET_DEFS", "Other"}));

    database.renameColumn("PRESET_DEFS", "var_name", "Var_Name");
    EXPECT_EQ(database.columns("PRESET_DEFS")[1], (ColumnDefinition{"Var_Name", "TEXT(50)"}));

    database.deleteTable("Other");
    EXPECT_EQ(database.tableNames(), (std::vector<std::string>{"PRESET_DEFS"}));
    EXPECT_THROW(database.columns("Other"), framework::Failure);
    EXPECT_THROW(database.createTable("Bad", {{"a", "INTEGER); DROP TABLE PRESET_DEFS; --"}}),
                 framework::Failure);
    EXPECT_EQ(database.tableNames(), (std::vector<std::string>{"PRESET_DEFS"}));
}

TEST_F(DatabaseTest, TableRecordsetAddsEditsAndKeepsValueKinds) {
    Database database = Database::create(path("Values.mdb"));
    database.createTable("T", {{"id", "INTEGER"}, {"name", "TEXT"}, {"x", ""}});
    {
        Recordset rows = Recordset::openTable(database, "T");
        EXPECT_TRUE(rows.eof());
        EXPECT_EQ(rows.recordCount(), 0u);
        const std::vector<Value> values = {Value(), Value(7), Value(2.5), Value("Grüße \"x\""),
                                           Value(Blob{{0, 1, 255}})};
        for (std::size_t i = 0; i < values.size(); ++i) {
            rows.addNew();
            rows.setValue("ID", Value(int(i + 1))); // names ignore letter case
            rows.setValue(2, values[i]);
            rows.update();
        }
        EXPECT_EQ(rows.recordCount(), 0u); // added rows go to the table only
    }
    {
        Recordset rows = Recordset::openTable(database, "T");
        rows.move(1);
        rows.edit();
        rows.setValue("NAME", Value("seven"));
        EXPECT_EQ(rows.value("name"), Value("seven")); // the buffer is read while editing
        rows.update();
    }
    Recordset rows = Recordset::openTable(database, "T");
    ASSERT_EQ(rows.recordCount(), 5u);
    const std::vector<ValueKind> kinds = {ValueKind::Null, ValueKind::Integer, ValueKind::Real,
                                          ValueKind::Text, ValueKind::Blob};
    std::size_t i = 0;
    for (rows.moveFirst(); !rows.eof(); rows.moveNext(), ++i)
        EXPECT_EQ(rows.value("x").kind(), kinds[i]);
    EXPECT_EQ(i, 5u);
    EXPECT_THROW(rows.moveNext(), framework::Failure);
    rows.move(1);
    EXPECT_EQ(rows.value("name"), Value("seven"));
    EXPECT_EQ(rows.value("x"), Value(7)); // an edit writes only the changed column
    rows.move(3);
    EXPECT_EQ(rows.value("x").text(), "Grüße \"x\"");
    EXPECT_THROW(rows.value("missing"), framework::Failure);

    Recordset some = Recordset::openTable(database, "T", {"x", "ID"});
    ASSERT_EQ(some.fieldCount(), 2);
    some.move(4);
    some.edit();
    some.setValue("x", Value(5));
    some.update();
    EXPECT_EQ(Recordset::openQuery(database, "SELECT x, name FROM T WHERE id = 5").value(0),
              Value(5));
}

TEST_F(DatabaseTest, QueriesTakeValuesAsParametersAndAreReadOnly) {
    Database database = Database::create(path("Query.mdb"));
    database.createTable("T", {{"name", "TEXT"}});
    database.execute("INSERT INTO T VALUES ('a\"b'), ('plain')");
    Recordset rows =
        Recordset::openQuery(database, "SELECT * FROM T WHERE name = ?1", {Value("a\"b")});
    ASSERT_EQ(rows.recordCount(), 1u);
    EXPECT_EQ(rows.value(0), Value("a\"b"));
    EXPECT_THROW(rows.addNew(), framework::Failure);
    EXPECT_THROW(Recordset::openQuery(database, "SELECT * FROM Missing"), framework::Failure);
}

TEST_F(DatabaseTest, AnUncommittedTransactionIsRolledBack) {
    Database database = Database::create(path("Tx.mdb"));
    database.createTable("T", {{"a", "INTEGER"}});
    {
        Transaction transaction(database);
        database.execute("INSERT INTO T VALUES (1)");
    }
    {
        Transaction transaction(database);
        database.execute("INSERT INTO T VALUES (2)");
        transaction.commit();
    }
    Recordset rows = Recordset::openTable(database, "T");
    ASSERT_EQ(rows.recordCount(), 1u);
    EXPECT_EQ(rows.value(0), Value(2));
    EXPECT_FALSE(database.inTransaction());
}

} // namespace

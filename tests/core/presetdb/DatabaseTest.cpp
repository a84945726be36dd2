#include "PresetFixture.h"

#include "framework/ErrorProtocol.h"

namespace {

using namespace presettest;
using DatabaseTest = PresetFixture;

TEST_F(DatabaseTest, OpeningFindsAnySpellingNeverCreatesAndNamesTheFileItFails) {
    const auto openFailure = [&](const std::string& name) -> std::string {
        try {
            Database::open(install.path(name));
        } catch (const framework::Failure& failure) {
            return failure.description();
        }
        return "opened";
    };
    Database::create(install.path("Engineering/Engineering.mdb"));
    EXPECT_NO_THROW(Database::open(install.root().string() + "\\ENGINEERING\\engineering.MDB"));

    install.write("Text.mdb", "Standard Jet DB, not what this program reads");
    for (const std::string name : {"Missing.mdb", "Text.mdb"})
        EXPECT_NE(openFailure(name).find(name), std::string::npos) << name;
    EXPECT_FALSE(install.exists("Missing.mdb"));
}

TEST_F(DatabaseTest, TablesKeepTheirDeclaredTypesAndQueriesTheirBoundValues) {
    Database database = Database::create(install.path("Values.mdb"));
    const Columns columns = {{"id", "INTEGER"}, {"name", "TEXT(50)"}};
    database.createTable("T", columns);
    EXPECT_EQ(database.columns("T"), columns);
    database.execute("INSERT INTO T VALUES (1, 'a\"b''c'), (2, 'plain')");
    Recordset rows =
        Recordset::openQuery(database, "SELECT id FROM T WHERE name = ?1", {Value("a\"b'c")});
    ASSERT_EQ(rows.recordCount(), 1u);
    EXPECT_EQ(rows.value("ID"), Value(1));
    EXPECT_THROW(rows.addNew(), framework::Failure); // read-only
    EXPECT_THROW(Recordset::openQuery(database, "SELECT * FROM Missing"), framework::Failure);
}

// Declared types come from a file: only plain type names reach CREATE TABLE.
TEST_F(DatabaseTest, ACopiedTableHasExactlyTheSourcesColumnsWhateverTheirTypes) {
    Database database = Database::create(install.path("Types.mdb"));
    database.execute(R"(CREATE TABLE Source ("a""b" "INTEGER) --", c "TEXT(20), other TEXT",
                        d DOUBLE  PRECISION, e VARCHAR(10, 2), f "INTEGER NOT NULL",
                        g TEXT ( 50 ), h "BLOB); DROP TABLE Source; --", i "TEXT(1) x", j))");
    database.createTable("Copy", database.columns("Source"));
    EXPECT_EQ(database.columns("Copy"), (Columns{{"a\"b", ""},
                                                 {"c", ""},
                                                 {"d", "DOUBLE  PRECISION"},
                                                 {"e", "VARCHAR(10, 2)"},
                                                 {"f", ""},
                                                 {"g", "TEXT ( 50 )"},
                                                 {"h", ""},
                                                 {"i", ""},
                                                 {"j", ""}}));
    EXPECT_EQ(database.tableNames(), (std::vector<std::string>{"Source", "Copy"}));
    // No constraint came with a type: nulls go in.
    database.execute("INSERT INTO Copy DEFAULT VALUES");
}

} // namespace

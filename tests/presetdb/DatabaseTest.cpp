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
    EXPECT_THROW(database.createTable("Bad", {{"a", "INTEGER); DROP TABLE T; --"}}),
                 framework::Failure);
    database.execute("INSERT INTO T VALUES (1, 'a\"b''c'), (2, 'plain')");
    Recordset rows =
        Recordset::openQuery(database, "SELECT id FROM T WHERE name = ?1", {Value("a\"b'c")});
    ASSERT_EQ(rows.recordCount(), 1u);
    EXPECT_EQ(rows.value("ID"), Value(1));
    EXPECT_THROW(rows.addNew(), framework::Failure); // read-only
    EXPECT_THROW(Recordset::openQuery(database, "SELECT * FROM Missing"), framework::Failure);
}

} // namespace

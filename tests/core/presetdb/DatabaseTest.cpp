#include "PresetFixture.h"

#include "presetdb/DatabaseContent.h"

#include "run/ErrorProtocol.h"

#include <filesystem>

namespace {

using namespace presettest;
using DatabaseTest = PresetFixture;

TEST_F(DatabaseTest, OpeningFindsAnySpellingNeverCreatesAndNamesTheFileItFails) {
    const auto openFailure = [&](const std::string& name) -> std::string {
        try {
            Database::open(install.path(name));
        } catch (const run::Failure& failure) {
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

// Declared types come from a file: only plain type names reach CREATE TABLE.
TEST_F(DatabaseTest, ACopiedTableHasExactlyTheSourcesColumnsWhateverTheirTypes) {
    Database database = Database::create(install.path("Types.mdb"));
    database.execute(R"(CREATE TABLE Source ("a""b" "INTEGER) --", c "TEXT(20), other TEXT",
                        d DOUBLE  PRECISION, e VARCHAR(10, 2), f "INTEGER NOT NULL",
                        g TEXT ( 50 ), h "BLOB); DROP TABLE Source; --", i "TEXT(1) x", j))");
    database.createTable("Cop'", database.columns("Source")); // a quote in the name too
    EXPECT_EQ(database.columns("Cop'"), (Columns{{"a\"b", ""},
                                                 {"c", ""},
                                                 {"d", "DOUBLE  PRECISION"},
                                                 {"e", "VARCHAR(10, 2)"},
                                                 {"f", ""},
                                                 {"g", "TEXT ( 50 )"},
                                                 {"h", ""},
                                                 {"i", ""},
                                                 {"j", ""}}));
    EXPECT_EQ(database.tableNames(), (std::vector<std::string>{"Source", "Cop'"}));
    // No constraint came with a type: nulls go in.
    database.execute("INSERT INTO \"Cop'\" DEFAULT VALUES");
}

// A database's content is its schema and rows, not its bytes; the tables the
// new one lacks are named with their rows.
TEST_F(DatabaseTest, ContentIsToldApartWhateverTheBytesAndLostTablesAreNamed) {
    const std::string table = "CREATE TABLE P (ID INTEGER, name TEXT(50)); "
                              "INSERT INTO P VALUES (1, 'a'), (2, NULL); ";
    // Gone leaves free pages behind; Keyed is stored in its key's order.
    Database::create(install.path("Old.mdb"))
        .execute(table + "CREATE INDEX byName ON P (name); CREATE TABLE Other (x); "
                         "INSERT INTO Other VALUES (1.5), (x'00'); CREATE TABLE Gone (a); "
                         "INSERT INTO Gone VALUES (zeroblob(9000)); DROP TABLE Gone; "
                         "CREATE TABLE Keyed (k PRIMARY KEY) WITHOUT ROWID; "
                         "INSERT INTO Keyed VALUES ('b'), ('a')");
    struct Case {
        std::string name, sql;
        bool same = false;
        std::vector<std::pair<std::string, std::int64_t>> lost = {};
    };
    const std::vector<Case> cases = {
        {"rebuilt alike", "DROP TABLE P; " + table + "CREATE INDEX byName ON P (name)", true},
        {"vacuumed", "VACUUM", true},
        {"one more table", "CREATE TABLE Extra (a)"},
        {"a value of another kind",
         "UPDATE Other SET x = CAST(x AS TEXT) WHERE typeof(x) = 'blob'"},
        {"a column of another type",
         "DROP TABLE Other; CREATE TABLE Other (x BLOB); INSERT INTO Other VALUES (1.5), (x'00')"},
        {"rows in another order", "DELETE FROM P; INSERT INTO P VALUES (2, NULL), (1, 'a')"},
        {"no index", "DROP INDEX byName"},
        {"a table lost", "DROP TABLE Other", false, {{"Other", 2}}},
        {"a table spelt otherwise", "DROP TABLE Other; CREATE TABLE OTHER (x)"},
    };
    Database old = Database::open(install.path("Old.mdb"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = install.path("New.mdb");
        std::filesystem::remove(path);
        std::filesystem::copy_file(install.path("Old.mdb"), path);
        Database::open(path).execute(c.sql);
        EXPECT_NE(install.read("New.mdb"), install.read("Old.mdb"));
        EXPECT_EQ(sameDatabaseContent(install.read("Old.mdb"), install.read("New.mdb")), c.same);
        Database now = Database::open(path);
        std::vector<std::pair<std::string, std::int64_t>> lost;
        for (const auto& gone : lostTables(old, now))
            lost.emplace_back(gone.name, gone.rows);
        EXPECT_EQ(lost, c.lost);
    }
    install.write("Text.mdb", "not a database");
    EXPECT_FALSE(sameDatabaseContent(install.read("Old.mdb"), install.read("Text.mdb")));
}

} // namespace

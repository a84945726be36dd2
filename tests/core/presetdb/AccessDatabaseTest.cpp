#include "TestData.h"
#include "TestInstallation.h"

#include "presetdb/AccessConversion.h"
#include "presetdb/AccessValues.h"
#include "presetdb/DatabaseFormat.h"

#include "run/ErrorProtocol.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace presetdb;
namespace fs = std::filesystem;

std::string accessSample(const std::string& name) {
    return testsupport::testDataPath("access/" + name).string();
}
std::string sqliteSample(const std::string& name) {
    return (fs::path(EXAMPLES_DIR) / "Engineering" / name).string();
}

std::vector<std::vector<Value>> rowsOf(Database& database, const std::string& table) {
    Statement select = database.prepare("SELECT * FROM " + quoteIdentifier(table));
    std::vector<std::vector<Value>> rows;
    while (select.step()) {
        rows.emplace_back();
        for (int c = 0; c < select.columnCount(); ++c)
            rows.back().push_back(select.column(c));
    }
    return rows;
}

// The Access files hold the SQLite samples' tables, columns and rows (nulls
// and "°C" included). Engineering.mdb's copy of Source_DEFS was made with
// other types than the Access file's Text(255) and Long Integer.
TEST(AccessConversion, TheSampleDatabasesEqualTheirSQLiteTwinsTableByTable) {
    const std::map<std::string, std::vector<std::string>> accessTypes = {
        {"Engineering.mdb/Source_DEFS", {"TEXT(255)", "TEXT(255)", "INTEGER"}}};
    for (const std::string name : {"Engineering_Source.mdb", "Engineering.mdb"}) {
        SCOPED_TRACE(name);
        Database converted = convertAccessDatabase(accessSample(name));
        Database twin = Database::readIntoMemory(sqliteSample(name));
        ASSERT_EQ(converted.tableNames(), twin.tableNames());
        for (const std::string& table : twin.tableNames()) {
            SCOPED_TRACE(table);
            const auto columns = converted.columns(table);
            auto expected = twin.columns(table);
            if (const auto types = accessTypes.find(name + "/" + table); types != accessTypes.end())
                for (std::size_t c = 0; c < expected.size(); ++c)
                    expected[c].declaredType = types->second.at(c);
            EXPECT_EQ(columns, expected);
            EXPECT_EQ(rowsOf(converted, table), rowsOf(twin, table));
        }
        // Not compared vacuously: the samples hold both.
        Statement sample = converted.prepare("SELECT sum(unit = '\xC2\xB0"
                                             "C'), sum(abs_min IS NULL) FROM Source_PRESET_DEFS");
        ASSERT_TRUE(sample.step());
        EXPECT_GT(sample.column(0).integer(), 0);
        EXPECT_GT(sample.column(1).integer(), 0);
    }
}

TEST(DatabaseFormat, IsToldByTheFirstBytesOnly) {
    testsupport::TestInstallation install;
    install.write("Text.mdb", "Standard Jet DB is not at byte 4 here");
    install.write("Empty.mdb", "");
    const std::vector<std::pair<std::string, DatabaseFormat>> cases = {
        {sqliteSample("Engineering.mdb"), DatabaseFormat::SQLite},
        {accessSample("Engineering.mdb"), DatabaseFormat::Jet4},
        {install.path("Text.mdb"), DatabaseFormat::Unknown},
        {install.path("Empty.mdb"), DatabaseFormat::Unknown},
        {install.path("Missing.mdb"), DatabaseFormat::Missing},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(databaseFormatOf(path), format) << path;
}

// A damaged copy converts nothing, and the failure names the file.
TEST(AccessConversion, ADamagedFileConvertsNothing) {
    testsupport::TestInstallation install;
    const std::string bytes = testsupport::readFile(accessSample("Engineering.mdb"));
    constexpr std::size_t kPage = 4096;
    std::string zeroed = bytes; // a page holding rows of a preset table (UTF-16 text)
    const std::size_t row = zeroed.find(std::string("L\0u\0b\0r\0i\0c\0a\0t\0i\0o\0n", 21));
    ASSERT_NE(row, std::string::npos);
    zeroed.replace(row / kPage * kPage, kPage, kPage, '\0');
    install.write("Half.mdb", bytes.substr(0, bytes.size() / 2));
    install.write("Zeroed.mdb", zeroed);
    install.write("Cut.mdb", bytes.substr(0, bytes.size() - 100));
    for (const std::string name : {"Half.mdb", "Zeroed.mdb", "Cut.mdb"}) {
        try {
            convertAccessDatabase(install.path(name));
            ADD_FAILURE() << name << " converted";
        } catch (const run::Failure& failure) {
            EXPECT_NE(failure.description().find(name), std::string::npos) << failure.description();
        }
    }
}

TEST(AccessValues, TextAndDatesReadAsTheFileHoldsThem) {
    const std::vector<std::pair<std::string, std::string>> unicode = {
        {std::string("\xFF\xFE\xB0"
                     "C",
                     4),
         "\xC2\xB0"
         "C"}, // compressed
        {std::string("\xB0\0C\0", 4), "\xC2\xB0"
                                      "C"}, // UTF-16
        {std::string("\xFF\xFE"
                     "a\0\xAC\x20\0b",
                     8),
         "a\xE2\x82\xAC"
         "b"},                                                     // two modes
        {std::string("\x3D\xD8\x00\xDE", 4), "\xF0\x9F\x98\x80"},  // a pair
        {std::string("\x3D\xD8x", 3), "\xEF\xBF\xBD\xEF\xBF\xBD"}, // broken
    };
    for (const auto& [stored, text] : unicode)
        EXPECT_EQ(utf8FromJetUnicode(stored), text);
    EXPECT_EQ(utf8FromWindows1252("\x80\xB0\x9F"), "\xE2\x82\xAC\xC2\xB0\xC5\xB8");

    const std::vector<std::pair<double, std::string>> dates = {
        {0, "1899-12-30 00:00:00"},          {2.75, "1900-01-01 18:00:00"},
        {-1.25, "1899-12-29 06:00:00"},      {45000.5, "2023-03-15 12:00:00"},
        {0.99999999, "1899-12-31 00:00:00"},
    };
    for (const auto& [days, text] : dates)
        EXPECT_EQ(accessDateTimeText(days), text) << days;
    EXPECT_EQ(accessDateTimeText(3e6), std::nullopt);
    EXPECT_EQ(singleValue(0.1f), 0.1);
}

} // namespace

// Access databases in the installation, on copies of the sample installation
// whose databases are replaced by their Access twins (tests/data/access):
// /CONVERT and its undoing, the takeover from an Access target, the refusal
// of an Access source and a damaged file that converts nothing.

#include "InstallationSnapshot.h"
#include "SampleInstallation.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;
using Json = nlohmann::json;

namespace {

const std::string kSource = "Engineering_Source.mdb";
const std::string kTarget = "Engineering.mdb";

std::string accessTwin(const std::string& name) {
    return readFile(testDataPath("access/" + name));
}

void putAccess(const SampleInstallation& installation, const std::string& name,
               const std::string& bytes) {
    std::ofstream(installation.component() / name, std::ios::binary | std::ios::trunc) << bytes;
}

// Each table's columns (with their declared types when asked) and rows in
// storage order, whatever SQL text declared it.
std::vector<std::string> tablesOf(const fs::path& path, bool withTypes = true) {
    sqlite3* database = nullptr;
    sqlite3_open_v2(path.string().c_str(), &database, SQLITE_OPEN_READONLY, nullptr);
    std::vector<std::string> content;
    for (std::string table :
         queryRows(database, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        table = table.substr(1, table.size() - 3); // 'name'|
        content.push_back(table);
        const std::string columns = withTypes ? "name, type" : "name";
        for (const auto& rows :
             {queryRows(database, "SELECT " + columns + " FROM pragma_table_info('" + table + "')"),
              queryRows(database, "SELECT * FROM \"" + table + "\" ORDER BY rowid")})
            content.insert(content.end(), rows.begin(), rows.end());
    }
    sqlite3_close(database);
    return content;
}

Json summaryOf(const Ending& ending) {
    return Json::parse(ending.output, nullptr, false);
}

} // namespace

// /DRYRUN /CONVERT shows it; /CONVERT gives the SQLite sample's tables (the
// Access target's Source_DEFS has other declared types) and keeps the
// source's file times; a second one has nothing to do; /RESTORE puts the
// Access bytes back; converted again, a silent run gives what it gives on
// the SQLite sample.
TEST(AccessDatabases, ConvertGivesTheSQLiteSampleAndRestorePutsTheAccessFilesBack) {
    SampleInstallation access("access"), plain("plain");
    for (const std::string& name : {kSource, kTarget})
        putAccess(access, name, accessTwin(name));
    const auto untouched = snapshotOf(access.root());
    const auto sourceTime = fs::last_write_time(access.component() / kSource);

    const Ending dry = access.run({"/DRYRUN", "/CONVERT"});
    EXPECT_EQ(dry.status, 0) << dry.errorOutput;
    EXPECT_NE(dry.output.find("conversion (dry run), status 0"), std::string::npos) << dry.output;
    EXPECT_NE(dry.output.find(kTarget + " converted from an Access database to SQLite."),
              std::string::npos);
    EXPECT_EQ(changedEntries(untouched, snapshotOf(access.root())), std::vector<std::string>{});

    const Ending converted = access.run({"/CONVERT", "--json"});
    ASSERT_EQ(converted.status, 0) << converted.errorOutput;
    EXPECT_EQ(summaryOf(converted).at("converted"), Json::array({kSource, kTarget}));
    EXPECT_EQ(fs::last_write_time(access.component() / kSource), sourceTime);
    EXPECT_EQ(tablesOf(access.component() / kSource), tablesOf(plain.component() / kSource));
    EXPECT_EQ(tablesOf(access.component() / kTarget, false),
              tablesOf(plain.component() / kTarget, false));

    const auto convertedFiles = snapshotOf(access.root());
    const Ending again = access.run({"/CONVERT"});
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.output.find("Nothing to convert"), std::string::npos) << again.output;
    EXPECT_EQ(changedEntries(convertedFiles, snapshotOf(access.root())),
              std::vector<std::string>{});

    ASSERT_EQ(access.run({"/RESTORE"}).status, 0);
    for (const std::string& name : {kSource, kTarget})
        EXPECT_EQ(access.file(name), accessTwin(name)) << name;

    ASSERT_EQ(access.run({"/CONVERT"}).status, 0);
    EXPECT_EQ(access.runSilently().status, 0);
    EXPECT_EQ(plain.runSilently().status, 0);
    EXPECT_EQ(tablesOf(access.component() / kTarget), tablesOf(plain.component() / kTarget));
}

// A normal run takes the machine's values over from an Access target (its
// Access bytes go into the backup) and says so; it never converts an Access
// source: status 2, both databases as they were, the function files written.
TEST(AccessDatabases, ANormalRunTakesOverFromAnAccessTargetAndRefusesAnAccessSource) {
    SampleInstallation plain("plain"), target("target"), source("source");
    const Json plainSummary = summaryOf(plain.run({"/EXTERNAL", "SILENT", "--json"}));
    ASSERT_EQ(plainSummary.at("status"), 0);

    putAccess(target, kTarget, accessTwin(kTarget));
    const Ending takeover = target.run({"/EXTERNAL", "SILENT", "--json"});
    ASSERT_EQ(takeover.status, 0) << takeover.errorOutput;
    const Json summary = summaryOf(takeover);
    EXPECT_EQ(summary.at("converted"), Json::array({kTarget}));
    EXPECT_NE(summary.at("report").get<std::string>().find(
                  kTarget + " converted from an Access database to SQLite."),
              std::string::npos);
    EXPECT_EQ(summary.at("presetTable"), plainSummary.at("presetTable"));
    EXPECT_EQ(tablesOf(target.component() / kTarget), tablesOf(plain.component() / kTarget));
    EXPECT_EQ(readFile(target.component() / "backup" /
                       summary.at("backupFolder").get<std::string>() / kTarget),
              accessTwin(kTarget));

    putAccess(source, kSource, accessTwin(kSource));
    putAccess(source, kTarget, accessTwin(kTarget));
    const std::string intBefore = source.file("Engineering.int");
    const Ending refused = source.runSilently();
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.errorOutput.find(kSource + " is an Access database"), std::string::npos)
        << refused.errorOutput;
    EXPECT_NE(refused.errorOutput.find("/CONVERT"), std::string::npos);
    for (const std::string& name : {kSource, kTarget})
        EXPECT_EQ(source.file(name), accessTwin(name)) << name;
    EXPECT_NE(source.file("Engineering.int"), intBefore);
    EXPECT_EQ(source.file("Engineering.int"), plain.file("Engineering.int"));
}

// A cut file, or one with a page of rows zeroed, converts nothing, the other
// database neither: status 1, the message names the file (and the table).
TEST(AccessDatabases, ADamagedAccessFileConvertsNothing) {
    SampleInstallation installation("damaged");
    const std::string bytes = accessTwin(kTarget);
    constexpr std::size_t kPage = 4096;
    std::string zeroed = bytes; // a page of Source_PRESET_DEFS rows (UTF-16 text)
    const std::size_t row = zeroed.find(std::string("L\0u\0b\0r\0i\0c\0a\0t\0i\0o\0n", 21));
    ASSERT_NE(row, std::string::npos);
    zeroed.replace(row / kPage * kPage, kPage, kPage, '\0');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {bytes.substr(0, bytes.size() - 100), kTarget},
        {zeroed, "Table 'Source_PRESET_DEFS'"},
    };
    for (const auto& [damaged, named] : cases) {
        SCOPED_TRACE(named);
        installation.restore();
        putAccess(installation, kSource, accessTwin(kSource));
        putAccess(installation, kTarget, damaged);
        const auto before = snapshotOf(installation.root());
        const Ending ending = installation.run({"/CONVERT"});
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(named), std::string::npos) << ending.errorOutput;
        EXPECT_NE(ending.errorOutput.find("nothing was converted"), std::string::npos);
        EXPECT_EQ(changedEntries(before, snapshotOf(installation.root())),
                  std::vector<std::string>{});
    }
}

// The commands for a fleet of panels on copies of the sample installation:
// /LIST, /EXPORT and /IMPORT between two installations, the refusals of an
// import and /COMPARE.

#include "InstallationSnapshot.h"
#include "SampleInstallation.h"

#include "platform/Sha256.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

// Standard output as text: Windows ends its lines with CR LF there.
std::string text(std::string output) {
    std::erase(output, '\r');
    return output;
}

const std::vector<std::string> kNothing;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void replaceIn(const fs::path& path, const std::string& from, const std::string& to) {
    std::string bytes = readFile(path);
    const auto at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    writeBytes(path, bytes.replace(at, from.size(), to));
}

// What an export holds but for its header (the source, the time).
std::string functionSections(const fs::path& exported) {
    const std::string bytes = readFile(exported);
    const auto start = bytes.find("\r\n[Function");
    return start == std::string::npos ? std::string() : bytes.substr(start);
}

// An export file with other function sections, its checksum made to match.
std::string resealed(const std::string& exportBytes, const std::string& from,
                     const std::string& to) {
    const auto sectionsAt = exportBytes.find("\r\n[Function") + 2;
    std::string sections = exportBytes.substr(sectionsAt);
    sections.replace(sections.find(from), from.size(), to);
    std::string header = exportBytes.substr(0, sectionsAt);
    const auto sum = header.find("Checksum=") + 9;
    header.replace(sum, 64, platform::sha256Hex(sections));
    return header + sections;
}

} // namespace

TEST(FleetCommands, ListShowsTheButtonsAsTextOrCsvAndWritesNothingElse) {
    SampleInstallation installation("list");
    const auto before = snapshotOf(installation.root(), true);
    const Ending table = installation.run({"/LIST"});
    EXPECT_EQ(table.status, 0) << table.errorOutput;
    EXPECT_EQ(text(table.output), readFile(testDataPath("fleet/list.txt")));
    // With --json the summary stands alone on standard output.
    const Ending json = installation.run({"/LIST", "--json"});
    EXPECT_TRUE(json.output.starts_with("{")) << json.output;
    EXPECT_EQ(text(json.errorOutput), text(table.output));
    const fs::path csv = installation.scratch("buttons.CSV");
    EXPECT_EQ(installation.run({"/LIST", csv.string()}).status, 0);
    EXPECT_EQ(readFile(csv), readFile(testDataPath("fleet/list.csv")));
    EXPECT_EQ(changedEntries(before, snapshotOf(installation.root(), true)), kNothing);
}

// Export from A, import into B (another catalogue), export from B: the same
// buttons; B now shows A's changed button.
TEST(FleetCommands, ExportImportExportGivesTheSameFunctionSections) {
    SampleInstallation a("a"), b("b");
    replaceIn(a.component() / "Engineering.int", "PumpControl.exe /expert", "PumpControl.exe /x");
    replaceIn(b.component() / "Engineering.dat", "notepad.exe", "write.exe");
    const fs::path fromA = a.scratch("a.ini"), fromB = b.scratch("b.ini");
    ASSERT_EQ(a.run({"/EXPORT", fromA.string()}).status, 0);
    const Ending imported = b.run({"/IMPORT", fromA.string()});
    ASSERT_EQ(imported.status, 0) << imported.errorOutput;
    ASSERT_EQ(b.run({"/EXPORT", fromB.string()}).status, 0);
    EXPECT_NE(functionSections(fromA).find("PumpControl.exe /x"), std::string::npos);
    EXPECT_EQ(functionSections(fromB), functionSections(fromA));
    EXPECT_NE(b.file("Engineering.cfg").find("PumpControl.exe /x"), std::string::npos);
}

TEST(FleetCommands, ImportRefusesAFileWithEveryReasonAndChangesNothing) {
    SampleInstallation installation("refused");
    const fs::path exported = installation.scratch("export.ini");
    ASSERT_EQ(installation.run({"/EXPORT", exported.string()}).status, 0);
    const std::string good = readFile(exported);
    struct Case {
        std::string bytes;
        std::string reason; // "": accepted
        bool keepSymbols = false;
    };
    const std::vector<Case> cases = {
        {"[Function1]\r\nWhereICome=x\r\n", "no export of this program"},
        {good.substr(0, good.size() - 8) + "=true\r\n", "checksum does not match"},
        {resealed(good, "SpecialKey=2\r\n", "SpecialKey=49\r\n"), "button 49, not one of 1 to 48"},
        {resealed(good, "SpecialKey=7\r\n", "SpecialKey=2\r\n"), "button 2 a second time"},
        {resealed(good, "Pump.gif", "Rocket.gif"), "no symbol Engineering\\Rocket.gif"},
        {resealed(good, "Pump.gif", "Rocket.gif"), "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        installation.restore();
        const auto before = snapshotOf(installation.component());
        writeBytes(exported, c.bytes);
        std::vector<std::string> arguments{"/IMPORT", exported.string()};
        if (c.keepSymbols)
            arguments.push_back("/KEEPSYMBOLS");
        const Ending ending = installation.run(arguments);
        if (c.reason.empty()) {
            EXPECT_EQ(ending.status, 0) << ending.errorOutput;
            EXPECT_NE(installation.file("Engineering.int").find("Pump.gif"), std::string::npos);
            continue;
        }
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(c.reason), std::string::npos) << ending.errorOutput;
        auto after = snapshotOf(installation.component());
        after.erase("Engineering_Config.lock");
        EXPECT_EQ(after, before);
    }
}

TEST(FleetCommands, CompareTellsEqualFromDifferentInstallations) {
    SampleInstallation mine("mine"), other("other");
    const Ending equal = mine.run({"/COMPARE", other.root().string()});
    EXPECT_EQ(equal.status, 0) << equal.output << equal.errorOutput;
    EXPECT_EQ(equal.output, "");
    replaceIn(other.component() / "Engineering.dat", "notepad.exe", "write.exe");
    // A picture missing on both sides is reported, on standard error only:
    // neither installation is written, its logs included.
    fs::remove(mine.component() / "Fan_800.gif");
    fs::remove(other.component() / "Fan_800.gif");
    const auto mineBefore = snapshotOf(mine.root(), true);
    const auto otherBefore = snapshotOf(other.root(), true);
    const Ending different = mine.run({"/COMPARE", other.root().string()});
    EXPECT_EQ(different.status, 3) << different.errorOutput;
    EXPECT_EQ(text(different.output),
              "button 1 changed:\n  ExeFunction: \"notepad.exe\" -> \"write.exe\"\n");
    EXPECT_NE(different.errorOutput.find("Fan_800.gif not found"), std::string::npos)
        << different.errorOutput;
    EXPECT_EQ(changedEntries(mineBefore, snapshotOf(mine.root(), true)), kNothing);
    EXPECT_EQ(changedEntries(otherBefore, snapshotOf(other.root(), true)), kNothing);
}

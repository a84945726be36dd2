// The change report, the dry run, the backups and their restore, on copies of
// the sample installation (whose takeover drops one machine row).

#include "InstallationSnapshot.h"
#include "SampleInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::linesOf;
using testsupport::readFile;
using testsupport::SampleInstallation;

namespace {

using Tree = std::map<std::string, std::string>;

// Every file of the installation but the program, by its bytes.
Tree treeOf(const SampleInstallation& installation) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(installation.root()))
        if (entry.is_regular_file() && entry.path() != installation.program())
            tree[fs::relative(entry.path(), installation.root()).generic_string()] =
                readFile(entry.path());
    return tree;
}

// A report without its header lines: what two runs of the same change share.
std::vector<std::string> bodyOf(const std::string& report) {
    std::vector<std::string> body;
    for (const std::string& line : linesOf(report))
        if (!line.starts_with("===="))
            body.push_back(line);
    return body;
}

std::vector<std::string> backupsOf(const fs::path& component) {
    std::vector<std::string> names;
    if (fs::is_directory(component / "backup"))
        for (const auto& entry : fs::directory_iterator(component / "backup"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ChangesAndBackups : public ::testing::Test {
protected:
    SampleInstallation installation{"changes"};
    const fs::path component = installation.component();
    const fs::path report = installation.root() / "Engineering_Config_changes.txt";
};

} // namespace

TEST_F(ChangesAndBackups, ADryRunChangesNothingAndPrintsTheReportOfTheRealRun) {
    const Tree before = treeOf(installation);
    const auto dry = installation.run({"/DRYRUN"});
    ASSERT_TRUE(dry.exited) << describe(dry);
    EXPECT_EQ(testsupport::changedEntries(treeOf(installation), before), std::vector<std::string>{})
        << "not a byte, not a log line, not a lock file";

    const auto real = installation.runSilently();
    EXPECT_EQ(real.status, dry.status);
    const std::string written = readFile(report);
    EXPECT_EQ(bodyOf(dry.output), bodyOf(written));

    // The machine row no rebuilt row matches, with its keys and values; the
    // files that changed; the replaced versions in the run's backup folder.
    const std::vector<std::string> body = bodyOf(written);
    EXPECT_NE(std::find(body.begin(), body.end(),
                        "  machine_type=M1 var_name=M1.Heating.Zone5Temp offset_or_bitno=24: "
                        "abs_min=0 abs_max=400 min=20 max=280 pass=1\r\n"),
              body.end())
        << written;
    EXPECT_NE(written.find("Files replaced: Engineering_Config.ini (new), Engineering.cfg, "
                           "Engineering.int, Engineering.mdb\r\n"),
              std::string::npos)
        << written;
    const auto backups = backupsOf(component);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(readFile(component / "backup" / backups[0] / "Engineering.cfg"),
              before.at("Engineering/Engineering.cfg"));
    EXPECT_NE(written.find("old versions in backup" +
                           std::string(1, char(fs::path::preferred_separator)) + backups[0]),
              std::string::npos);

    // Nothing left to change: one line, and no backup folder for it.
    ASSERT_EQ(installation.runSilently().status, 0);
    EXPECT_EQ(linesOf(readFile(report)).back(), "No changes.\r\n");
    EXPECT_EQ(backupsOf(component), backups);
}

TEST_F(ChangesAndBackups, ARestoreBringsBackTheFilesAndIsItselfUndone) {
    const Tree original = treeOf(installation);
    ASSERT_EQ(installation.runSilently().status, 0);
    const Tree afterRun = treeOf(installation);
    const auto files = [](const Tree& tree) {
        Tree kept;
        for (const char* name : {"Engineering/Engineering.cfg", "Engineering/Engineering.int",
                                 "Engineering/Engineering.mdb"})
            kept[name] = tree.at(name);
        return kept;
    };

    ASSERT_EQ(installation.run({"/RESTORE"}).status, 0);
    EXPECT_EQ(testsupport::changedEntries(files(treeOf(installation)), files(original)),
              std::vector<std::string>{});
    EXPECT_NE(readFile(report).find("Restored backup\\"), std::string::npos);

    const auto listed = installation.run({"/RESTORE", "LIST"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(linesOf(listed.output).size(), 2u) << listed.output;

    ASSERT_EQ(installation.run({"/RESTORE"}).status, 0) << "the restore's own backup";
    EXPECT_EQ(testsupport::changedEntries(files(treeOf(installation)), files(afterRun)),
              std::vector<std::string>{});

    EXPECT_EQ(installation.run({"/RESTORE", "1999-01-01_00-00-00"}).status, 1);
}

TEST_F(ChangesAndBackups, RotationKeepsTheNewestTenBackups) {
    for (int i = 0; i < 12; ++i) {
        const fs::path old =
            component / "backup" /
            ("2001-01-01_00-00-" + std::string(i < 10 ? "0" : "") + std::to_string(i));
        fs::create_directories(old);
        std::ofstream(old / "Engineering.int") << i;
    }
    ASSERT_EQ(installation.runSilently().status, 0);
    const auto backups = backupsOf(component);
    ASSERT_EQ(backups.size(), 10u);
    EXPECT_EQ(backups.front(), "2001-01-01_00-00-03");
    EXPECT_NE(backups.back().substr(0, 4), "2001") << "this run's backup is the newest";
}

TEST_F(ChangesAndBackups, ABackupThatCannotBeWrittenStopsTheRunWithNothingReplaced) {
    std::ofstream(component / "backup") << "a file where the backup folder belongs";
    const Tree before = treeOf(installation);
    const auto ending = installation.runSilently();
    EXPECT_EQ(ending.status, 1) << describe(ending);
    Tree after = treeOf(installation);
    EXPECT_NE(installation.errorLog().find("Cannot keep a backup of"), std::string::npos);
    after.erase("Q4Mcfglog.txt");
    after.erase("HalvarServicePack.log");
    after.erase("Engineering/Engineering_Config.lock");
    EXPECT_EQ(testsupport::changedEntries(after, before), std::vector<std::string>{});
}

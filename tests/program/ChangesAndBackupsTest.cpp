// A run as one change across the installation's files: its backup, which is
// also its journal, the restore of a backup, the change report and the
// summary for the caller, on copies of the sample installation (whose first
// run creates the language file, replaces four files and drops one machine
// row of the preset table).

#include "InstallationSnapshot.h"
#include "SampleInstallation.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;
using Json = nlohmann::json;
using Snapshot = std::map<std::string, std::string>;

namespace {

const std::string kReportName = "Engineering_Config_changes.txt";
const std::string kSeparator(1, char(fs::path::preferred_separator));

// What a run changes: the installation as a reader finds it, but for the
// program, the backups and the change report.
Snapshot filesOf(const SampleInstallation& installation) {
    Snapshot entries = snapshotOf(installation.root());
    const std::string program = "Engineering/" + installation.program().filename().string();
    std::erase_if(entries, [&](const auto& entry) {
        return entry.first == program || entry.first == kReportName ||
               entry.first.starts_with("Engineering/backup");
    });
    return entries;
}

// Runs with --json: the summary on standard output, or null when it is none.
Json summaryOf(const SampleInstallation& installation, std::vector<std::string> arguments) {
    arguments.push_back("--json");
    const Ending ending = installation.run(arguments);
    EXPECT_TRUE(ending.exited) << describe(ending) << ending.errorOutput;
    return Json::parse(ending.output, nullptr, false);
}

fs::path backupFolder(const SampleInstallation& installation, const Json& summary) {
    return installation.component() / "backup" / summary.at("backupFolder").get<std::string>();
}

bool isSha256(const Json& value) {
    return value.is_string() && value.get<std::string>().size() == 64 &&
           value.get<std::string>().find_first_not_of("0123456789abcdef") == std::string::npos;
}

class ChangesAndBackups : public ::testing::Test {
protected:
    SampleInstallation installation{"changes"};
    const fs::path component = installation.component();
    const fs::path report = installation.root() / kReportName;
};

} // namespace

// Killed at a random moment, or between two of its replacements (before the
// first, after each one, before it marks its journal complete): each file is
// its old or its new version; the next run puts them all back, says so and
// offers no backup of the killed run; the run after it is a clean run.
TEST(ChangesAndBackupsKilled, AKilledRunLeavesEachFileOldOrNewAndTheNextRunPutsAllBack) {
    SampleInstallation clean("clean"), killed("killed");
    const Snapshot before = filesOf(killed);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(clean.runSilently().status, 0);
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    const Snapshot after = filesOf(clean);
    const std::vector<std::string> replaced = changedEntries(before, after);
    ASSERT_EQ(replaced.size(), 5u);
    const auto seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, runTime.count());
    for (std::size_t kill = 0; kill <= replaced.size() + 20; ++kill) {
        const bool atSeam = kill <= replaced.size();
        const long microseconds = delay(random);
        SCOPED_TRACE(atSeam ? "killed after " + std::to_string(kill) + " replacements"
                            : "seed " + std::to_string(seed) + ", killed after " +
                                  std::to_string(microseconds) + " us");
        killed.restore();
        {
            ProgramRun run(killed.program(), {"/EXTERNAL", "SILENT"},
                           killed.scratch("killed.stderr"),
                           environmentWithoutDisplay({"ENGINEERING_CONFIG_KILL_AFTER_REPLACING=" +
                                                      std::to_string(atSeam ? int(kill) : -1)}));
            if (!atSeam) {
                std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
                run.kill();
            }
            run.wait();
        }
        const Snapshot now = filesOf(killed);
        const auto entry = [](const Snapshot& files, const std::string& name) {
            return files.contains(name) ? files.at(name) : "(none)";
        };
        for (const std::string& name : replaced)
            EXPECT_TRUE(entry(now, name) == entry(before, name) ||
                        entry(now, name) == entry(after, name))
                << name;

        if (atSeam) {
            // A command that only reads does not read the files half replaced.
            EXPECT_EQ(killed.run({"/LIST"}).status, 1);
            const Ending listed = killed.run({"/RESTORE", "LIST"});
            EXPECT_EQ(changedEntries(before, filesOf(killed)), std::vector<std::string>{});
            EXPECT_TRUE(listed.output.starts_with("No backups in ")) << listed.output;
            EXPECT_NE(listed.errorOutput.find("Interrupted run of "), std::string::npos);
            EXPECT_NE(readFile(killed.root() / kReportName).find(" (silent run) rolled back: "),
                      std::string::npos);
        }
        ASSERT_EQ(killed.runSilently().status, 0);
        EXPECT_EQ(changedEntries(after, filesOf(killed)), std::vector<std::string>{});
        EXPECT_EQ(killed.temporaries(), std::vector<std::string>{});
    }
}

// The dry run prints the report the real run appends, but for its header's
// word, predicts its status and changes nothing; the real run's summary says
// the same for a program. A run with nothing left to change leaves every byte.
TEST_F(ChangesAndBackups, ADryRunPredictsTheRealRunAndASecondRunChangesNothing) {
    const Snapshot before = snapshotOf(installation.root());
    const Ending dry = installation.run({"/DRYRUN"});
    EXPECT_EQ(changedEntries(before, snapshotOf(installation.root())), std::vector<std::string>{});

    const Json summary = summaryOf(installation, {"/EXTERNAL", "SILENT"});
    EXPECT_EQ(summary.at("status"), dry.status);
    EXPECT_EQ(summary.at("status"), 0);
    const Lines dryLines = linesOf(dry.output), lines = linesOf(readFile(report));
    ASSERT_FALSE(dryLines.empty() || lines.empty());
    const auto afterTime = [](const std::string& header) { return header.substr(25); };
    EXPECT_EQ(afterTime(dryLines[0]), "silent run (dry run), status 0\r\n");
    EXPECT_EQ(afterTime(lines[0]), "silent run, status 0, old versions in backup" + kSeparator +
                                       summary.at("backupFolder").get<std::string>() + "\r\n");
    EXPECT_EQ(Lines(dryLines.begin() + 1, dryLines.end()), Lines(lines.begin() + 1, lines.end()));

    EXPECT_EQ(summary.at("startMode"), "silent run");
    std::set<std::string> names;
    for (const Json& file : summary.at("filesReplaced")) {
        names.insert(file.at("name").get<std::string>());
        const Json& old = file.at("oldSha256");
        EXPECT_TRUE(isSha256(file.at("newSha256")) &&
                    (old.is_null() ? file.at("name") == "Engineering_Config.ini" : isSha256(old)))
            << file;
    }
    EXPECT_EQ(names, (std::set<std::string>{"Engineering.cfg", "Engineering.int", "Engineering.mdb",
                                            "Engineering_Config.ini", "Engineering_Source.mdb"}));
    EXPECT_TRUE(summary.at("buttonsChanged").is_array());
    const Json& presets = summary.at("presetTable");
    EXPECT_EQ(presets.at("rowsBefore"), 37);
    EXPECT_EQ(presets.at("rowsAfter"), 36);
    EXPECT_EQ(presets.at("valuesTakenOver"), 36);
    ASSERT_EQ(presets.at("droppedMachineRows").size(), 1u);
    EXPECT_EQ(presets.at("droppedMachineRows")[0].at("var_name"), "M1.Heating.Zone5Temp");
    EXPECT_TRUE(fs::is_directory(backupFolder(installation, summary)));

    const Snapshot afterRun = snapshotOf(installation.root());
    ASSERT_EQ(installation.runSilently().status, 0);
    EXPECT_EQ(linesOf(readFile(report)).back(), "No changes.\r\n");
    EXPECT_EQ(changedEntries(afterRun, snapshotOf(installation.root())),
              std::vector<std::string>{kReportName});
}

// A backup folder that holds anything but what this program put there is
// refused as a whole: status 1, one line on standard error, nothing touched.
TEST(ChangesAndBackupsRefused, ARestoreRefusesABackupFolderNotAsItsRunLeftIt) {
    // Changes the folder and its manifest; false where the platform cannot.
    using Tamper = std::function<bool(const fs::path& folder, Json& manifest)>;
    // The .cfg's copy and its manifest entry under another name.
    const auto renamingTheCfgTo = [](std::string name) -> Tamper {
        return [name](const fs::path& folder, Json& manifest) {
            for (Json& file : manifest.at("files"))
                if (file.at("name") == "Engineering.cfg")
                    file["name"] = name;
            fs::rename(folder / "Engineering.cfg", folder / name);
            return true;
        };
    };
    struct Case {
        const char* what;
        Tamper tamper;
        std::string refusal;
    };
    const Case cases[] = {
        {"a link to the very copy, outside",
         [](const fs::path& folder, Json&) {
             const fs::path outside = folder.parent_path().parent_path().parent_path() / "cfg";
             fs::rename(folder / "Engineering.cfg", outside);
             std::error_code noLink;
             fs::create_symlink(outside, folder / "Engineering.cfg", noLink);
             return !noLink;
         },
         "Engineering.cfg in it is not a plain file"},
        {"an extra file",
         [](const fs::path& folder, Json&) {
             return bool(std::ofstream(folder / "copy.txt") << "copy");
         },
         "it holds copy.txt, which no run of this program put there"},
        {"a copy one byte changed",
         [](const fs::path& folder, Json&) {
             std::string bytes = readFile(folder / "Engineering.int");
             bytes[0] ^= 1;
             return bool(std::ofstream(folder / "Engineering.int", std::ios::binary) << bytes);
         },
         "Engineering.int is not the version its manifest names"},
        {"the program", renamingTheCfgTo("Engineering_Config"), "it names Engineering_Config,"},
        {"the lock", renamingTheCfgTo("Engineering_Config.lock"),
         "it names Engineering_Config.lock,"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        SampleInstallation installation("refused");
        const fs::path folder = backupFolder(installation, summaryOf(installation, {}));
        Json manifest = Json::parse(readFile(folder / "journal.json"));
        if (!each.tamper(folder, manifest))
            continue;
        std::ofstream(folder / "journal.json", std::ios::trunc) << manifest.dump(2);
        const Snapshot before = snapshotOf(installation.root());

        const Ending refused = installation.run({"/RESTORE"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(std::count(refused.errorOutput.begin(), refused.errorOutput.end(), '\n'), 1);
        EXPECT_NE(refused.errorOutput.find(each.refusal), std::string::npos) << refused.errorOutput;
        EXPECT_EQ(changedEntries(before, snapshotOf(installation.root())),
                  std::vector<std::string>{});
    }
}

// A run that cannot keep its backup, and a restore that cannot replace one
// file, replace none; once they can, a restore brings back the files as they
// were, and the next restore undoes it.
TEST_F(ChangesAndBackups, ARunAndARestoreAreAllOrNothingAndARestoreIsItselfUndone) {
    const Snapshot original = filesOf(installation);
    std::ofstream(component / "backup") << "a file where the backup folder belongs";
    EXPECT_EQ(installation.runSilently().status, 1);
    EXPECT_NE(installation.errorLog().find("Cannot keep a backup of"), std::string::npos);
    EXPECT_EQ(changedEntries(original, filesOf(installation)), std::vector<std::string>{});
    fs::remove(component / "backup");
    ASSERT_EQ(installation.runSilently().status, 0);
    const Snapshot afterRun = filesOf(installation);
    const fs::path stored = component / "Engineering.int";
    const std::string storedBytes = readFile(stored);
    fs::remove(stored);
    fs::create_directory(stored);
    const Snapshot blocked = snapshotOf(installation.root());
    EXPECT_EQ(installation.run({"/RESTORE"}).status, 1);
    EXPECT_EQ(changedEntries(blocked, snapshotOf(installation.root())), std::vector<std::string>{});

    fs::remove(stored);
    std::ofstream(stored, std::ios::binary) << storedBytes;
    ASSERT_EQ(installation.run({"/RESTORE"}).status, 0);
    EXPECT_EQ(changedEntries(original, filesOf(installation)), std::vector<std::string>{});
    ASSERT_EQ(installation.run({"/RESTORE"}).status, 0);
    EXPECT_EQ(changedEntries(afterRun, filesOf(installation)), std::vector<std::string>{});
}

// Backups are kept by their journals' sequence, whatever their names say: a
// clock that ran ahead never costs a run its own backup, and folders of
// someone else's stay.
TEST_F(ChangesAndBackups, RotationKeepsTheTenNewestJournalsBySequenceAndEveryForeignFolder) {
    const fs::path backups = component / "backup", oldest = backups / "2099-12-31_23-59-59";
    fs::rename(backupFolder(installation, summaryOf(installation, {})), oldest);
    std::vector<std::string> foreign;
    for (int second = 10; second < 22; ++second) {
        foreign.push_back("2099-01-01_00-00-" + std::to_string(second));
        fs::create_directory(backups / foreign.back());
        fs::copy_file(component / "Engineering.int", backups / foreign.back() / "Engineering.int");
    }
    fs::path newest;
    for (int restore = 0; restore < 10; ++restore)
        newest = backupFolder(installation, summaryOf(installation, {"/RESTORE"}));

    EXPECT_FALSE(fs::exists(oldest));
    const Lines listed = linesOf(installation.run({"/RESTORE", "LIST"}).output);
    ASSERT_EQ(listed.size(), 22u);
    EXPECT_TRUE(listed[9].starts_with(newest.filename().string() + ": ")) << listed[9];
    for (std::size_t i = 0; i < foreign.size(); ++i)
        EXPECT_TRUE(listed[10 + i].starts_with(
            foreign[i] + ": foreign (no manifest of this program), never restored"))
            << listed[10 + i];
}

// Whatever a database value holds, it is one line of the report; a report
// file that is a link is not written through: the report goes to standard
// error and the run ends with status 2.
TEST_F(ChangesAndBackups, AValueIsOneLineOfTheReportWhichIsNeverWrittenThroughALink) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open((component / "Engineering.mdb").string().c_str(), &database), SQLITE_OK);
    queryRows(database, "UPDATE PRESET_DEFS SET var_name = var_name || char(13, 10) || "
                        "'Files replaced: none' WHERE var_name = 'M1.Heating.Zone5Temp'");
    sqlite3_close(database);
    const fs::path elsewhere = installation.root() / "elsewhere.txt";
    std::ofstream(elsewhere) << "kept\n";
    std::error_code noLink;
    fs::create_symlink(elsewhere, report, noLink);
    if (noLink)
        GTEST_SKIP() << "no symbolic links here";

    const Ending ending = installation.runSilently();
    EXPECT_EQ(ending.status, 2);
    EXPECT_EQ(readFile(elsewhere), "kept\n");
    const Lines lines = linesOf(ending.errorOutput);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find(" silent run, status 2, old versions in backup"), std::string::npos)
        << lines[0];
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "  machine_type=M1 var_name=M1.Heating.Zone5Temp\\r\\nFiles replaced: none "
                        "offset_or_bitno=24: abs_min=0 abs_max=400 min=20 max=280 pass=1\r\n"),
              lines.end())
        << ending.errorOutput;
}

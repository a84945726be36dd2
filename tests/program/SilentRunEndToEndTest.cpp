// The built program run with /EXTERNAL SILENT on a copy of the sample
// installation, with no display in its environment at all.

#include "InstallationSnapshot.h"
#include "ProgramRun.h"
#include "SampleInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <tuple>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using testsupport::SampleInstallation;

namespace {

class SilentRun : public ::testing::Test {
protected:
    // The exit status; the program's standard error is kept in `errors`.
    int run(const std::vector<std::string>& arguments) {
        const testsupport::Ending ending = installation.run(arguments);
        errors = ending.errorOutput;
        return ending.exited ? ending.status : -1;
    }

    SampleInstallation installation{"silent"};
    const fs::path root = installation.root();
    const fs::path component = installation.component();
    std::string errors;
};

} // namespace

TEST_F(SilentRun, WritesTheFunctionFilesWithoutADisplay) {
    const std::string cfgBefore = installation.file("Engineering.cfg");
    ASSERT_EQ(run({"/EXTERNAL", "SILENT"}), 0)
        << installation.faultLog() << installation.errorLog();
    const std::string cfg = installation.file("Engineering.cfg");
    const std::string stored = installation.file("Engineering.int");
    EXPECT_NE(cfg, cfgBefore);
    EXPECT_NE(cfg.find("[Function1]\r\n"), std::string::npos);
    EXPECT_NE(cfg.find("S_Prog="), std::string::npos);
    EXPECT_NE(cfg.find("- Standalone"), std::string::npos);
    EXPECT_NE(stored.find("WhereICome=EngineeringPicture\r\n"), std::string::npos);
    EXPECT_EQ(cfg.find("\n\n"), std::string::npos) << "every line ends CR LF";
    EXPECT_FALSE(fs::exists(component / "Engineering.bak"));
    EXPECT_FALSE(fs::exists(installation.faultLogFile()));
    EXPECT_FALSE(fs::exists(root / "Q4Mcfglog.txt"));
}

// The editor mark is the first entry of the process's environment block:
// "Ab-c_1" without "-" and "_", each character's code + 5 in hexadecimal.
TEST_F(SilentRun, TheEditorMarkComesFromTheFirstEntryOfTheEnvironment) {
    std::vector<std::string> environment{"A_FIRST=Ab-c_1"};
    for (std::string& entry : testsupport::environmentWithoutDisplay())
        environment.push_back(std::move(entry));
    testsupport::ProgramRun run(installation.program(), {"/EXTERNAL", "SILENT"},
                                installation.scratch("mark.stderr"), environment);
    const testsupport::Ending ending = run.wait();
    ASSERT_TRUE(ending.exited && ending.status == 0) << testsupport::describe(ending);
    EXPECT_NE(installation.file("Engineering.cfg").find("\r\nS_Editor=46676836\r\n"),
              std::string::npos)
        << installation.file("Engineering.cfg");
}

// The caller gets one line on standard error: what failed and where the logs are.
TEST_F(SilentRun, MissingCfgEndsWithAFailureStatusAFaultLogLineAndOneLineOnStandardError) {
    fs::remove(component / "Engineering.cfg");
    const std::string stored = installation.file("Engineering.int");
    EXPECT_EQ(run({"/EXTERNAL", "SILENT"}), 1);
    EXPECT_NE(installation.faultLog().find("File not found: "), std::string::npos);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    // Windows names files without regard to case, and messages show them upper-cased.
    const auto caseless = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        return text;
    };
    for (const fs::path& named :
         {fs::canonical(component) / "Engineering.cfg", installation.faultLogFile()})
        EXPECT_NE(caseless(errors).find(caseless(named.string())), std::string::npos) << errors;
    EXPECT_EQ(installation.file("Engineering.int"), stored);
}

// A FIFO (on Windows a folder) in place of the stored file, folders in place
// of both logs: the run neither waits nor writes, and says why on standard error.
TEST_F(SilentRun, UnreadableStoredFileAndUnwritableLogsEndWithAReportOnStandardError) {
    const fs::path stored = component / "Engineering.int";
    fs::remove(stored);
#ifdef _WIN32
    fs::create_directory(stored);
#else
    ASSERT_EQ(::mkfifo(stored.c_str(), 0666), 0);
#endif
    fs::create_directory(root / "Q4Mcfglog.txt");
    fs::create_directory(installation.faultLogFile());
    const std::string cfg = installation.file("Engineering.cfg");
    const std::string database = installation.file("Engineering.mdb");

    EXPECT_EQ(run({"/EXTERNAL", "SILENT"}), 1);
    EXPECT_NE(errors.find("Cannot read " + stored.string()), std::string::npos) << errors;
    EXPECT_EQ(installation.file("Engineering.cfg"), cfg);
    EXPECT_EQ(installation.file("Engineering.mdb"), database);
#ifdef _WIN32
    EXPECT_TRUE(fs::is_directory(stored));
#else
    EXPECT_TRUE(fs::is_fifo(stored));
#endif
}

// Help, the version and a refused command line end before any lock or file;
// a refusal is one line on standard error naming the argument, status 2.
TEST_F(SilentRun, HelpVersionAndRefusedCommandLinesTouchNothing) {
    const auto before = testsupport::snapshotOf(root);
    for (const auto& [arguments, status, printed] :
         {std::tuple<std::vector<std::string>, int, std::string>{{"-h"}, 0, "Usage: "},
          {{"--version", "/EXTERNAL", "SILENT"}, 0, "Engineering_Config "},
          {{"--dry-run"}, 2, "Engineering_Config: unknown option '--dry-run'"},
          {{"/RESTOREX"}, 2, "Engineering_Config: unknown option '/RESTOREX'"}}) {
        const testsupport::Ending ending = installation.run(arguments);
        EXPECT_EQ(ending.status, status) << arguments[0];
        EXPECT_TRUE((status == 0 ? ending.output : ending.errorOutput).starts_with(printed));
        EXPECT_EQ(std::count(ending.errorOutput.begin(), ending.errorOutput.end(), '\n'),
                  status / 2);
    }
    EXPECT_TRUE(testsupport::changedEntries(before, testsupport::snapshotOf(root)).empty());
    EXPECT_FALSE(fs::exists(component / "Engineering_Config.lock"));
    EXPECT_FALSE(fs::exists(installation.faultLogFile()));
}

// `cmake --install` makes an empty folder a component folder: placed in an
// installation, the program installed there runs. (Not in a cross-build: the
// install step belongs to the build machine.)
#ifndef _WIN32
TEST(Install, MakesAnEmptyFolderAComponentFolderTheProgramRunsIn) {
    const fs::path root =
        fs::temp_directory_path() / ("eng-install-" + std::to_string(std::random_device{}()));
    const fs::path component = root / "installation" / "Engineering";
    fs::create_directories(component);
    const std::string install = "'" CMAKE_COMMAND "' --install '" BUILD_DIR "' --prefix '" +
                                component.string() + "' >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    ASSERT_TRUE(fs::is_regular_file(component / "Engineering_Config"));

    // The rest of the installation around it; the installed program stays.
    // Without its window module (and so without Qt) it still runs silently;
    // a window start says what is missing.
    fs::copy(EXAMPLES_DIR, root / "installation",
             fs::copy_options::recursive | fs::copy_options::skip_existing);
    fs::remove(component / "Engineering_Config_window.so");
    testsupport::ProgramRun run(component / "Engineering_Config", {"/EXTERNAL", "SILENT"},
                                root / "run.stderr");
    const testsupport::Ending ending = run.wait();
    EXPECT_TRUE(ending.exited && ending.status == 0)
        << testsupport::describe(ending) << ending.errorOutput;
    testsupport::ProgramRun window(component / "Engineering_Config", {}, root / "window.stderr",
                                   testsupport::environmentWithoutDisplay({"DISPLAY=:4711"}));
    const testsupport::Ending refused = window.wait();
    EXPECT_EQ(refused.status, 1) << refused.errorOutput;
    // In the language file's language (the silent run set German), with the loader's reason.
    EXPECT_NE(refused.errorOutput.find("Fenstermodul"), std::string::npos) << refused.errorOutput;
    EXPECT_NE(refused.errorOutput.find("Engineering_Config_window"), std::string::npos);
    EXPECT_NE(testsupport::readFile(component / "Engineering.int").find("[Function1]"),
              std::string::npos);
    fs::remove_all(root);
}
#endif

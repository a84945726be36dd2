// The built program run as the installation runs it: several silent runs at
// once, and a window asked for where there is no display. Each test works on
// its own copies of the sample installation. (Runs killed at random moments:
// ChangesAndBackupsTest.cpp.)

#include "SampleInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

constexpr std::string_view kAnotherRun = "another run is editing this installation";
constexpr std::string_view kNoDisplay = "No display to show the window on";

} // namespace

TEST(InstallationRuns, SilentRunsStartedTogetherTakeTurns) {
    constexpr int kRuns = 8;
    SampleInstallation shared("shared");
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (int n = 0; n < kRuns; ++n)
        runs.push_back(std::make_unique<ProgramRun>(
            shared.program(), std::vector<std::string>{"/EXTERNAL", "SILENT"},
            shared.scratch("run" + std::to_string(n) + ".stderr")));
    int completed = 0;
    for (auto& run : runs) {
        const Ending ending = run->wait();
        ASSERT_TRUE(ending.exited) << describe(ending);
        if (ending.status == 0) {
            ++completed;
            continue;
        }
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(kAnotherRun), std::string::npos) << ending.errorOutput;
    }
    ASSERT_GE(completed, 1);

    // Runs that took turns leave what as many runs one after the other leave,
    // and a refused run changed nothing.
    SampleInstallation alone("alone");
    for (int n = 0; n < completed; ++n)
        ASSERT_EQ(alone.runSilently().status, 0);

    EXPECT_EQ(shared.file("Engineering.cfg"), alone.file("Engineering.cfg"));
    EXPECT_EQ(shared.file("Engineering.int"), alone.file("Engineering.int"));
    EXPECT_EQ(shared.file("Engineering_Config.ini"), alone.file("Engineering_Config.ini"));
    const auto presets = databaseContent(shared.component() / "Engineering.mdb", "PRESET_DEFS");
    EXPECT_EQ(presets, databaseContent(alone.component() / "Engineering.mdb", "PRESET_DEFS"));
    EXPECT_EQ(std::adjacent_find(presets.begin(), presets.end()), presets.end())
        << "a preset row is there twice";
    EXPECT_GT(presets.size(), 1u);
    // No run met another's half-done work.
    EXPECT_FALSE(fs::exists(shared.root() / "Q4Mcfglog.txt")) << shared.errorLog();
}

// Windows always has a display.
#ifndef _WIN32
TEST(InstallationRuns, AWindowWithoutADisplayEndsWithClearWordsAndChangesNothing) {
    SampleInstallation installation("nodisplay");
    const std::string cfg = installation.file("Engineering.cfg");
    const std::string stored = installation.file("Engineering.int");
    const std::string languageFile = installation.file("Engineering_Config.ini");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> display; // none, or one that cannot be reached
    };
    const std::vector<Case> cases = {
        {{"/EXTERNAL", "SILENTX"}, {}},
        {{"/EXTERNAL"}, {}},
        {{}, {}},
        {{"/EXTERNAL", "Q4MCFG"}, {}},
        {{"/EXTERNAL", "SILENTX"}, {"DISPLAY=:4711"}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::PrintToString(each.arguments) + testing::PrintToString(each.display));
        fs::remove(installation.root() / "HalvarServicePack.log");
        ProgramRun run(installation.program(), each.arguments,
                       installation.scratch("window.stderr"),
                       environmentWithoutDisplay(each.display));
        const Ending ending = run.wait();
        EXPECT_TRUE(ending.exited) << describe(ending);
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(kNoDisplay), std::string::npos) << ending.errorOutput;
        EXPECT_NE(
            installation.faultLog().find("! Fault Engineering_Config: " + std::string(kNoDisplay)),
            std::string::npos);
    }
    EXPECT_EQ(installation.file("Engineering.cfg"), cfg);
    EXPECT_EQ(installation.file("Engineering.int"), stored);
    EXPECT_EQ(installation.file("Engineering_Config.ini"), languageFile);
}
#endif

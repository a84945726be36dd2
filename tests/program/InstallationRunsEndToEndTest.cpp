// The built program run as the installation runs it: several silent runs at
// once, runs killed at random moments, and a window asked for where there is
// no display. Each test works on its own copies of the sample installation.

#include "SampleInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

constexpr std::string_view kAnotherRun = "another run is editing this installation";
constexpr std::string_view kNoDisplay = "No display to show the window on";

// "" when a file is its old or its new version; else the first line where it
// differs from each.
std::string neitherOldNorNew(const Lines& now, const Lines& old, const Lines& renewed) {
    if (now == old || now == renewed)
        return {};
    const auto firstDifference = [&now](const Lines& other) {
        const auto [mine, theirs] =
            std::mismatch(now.begin(), now.end(), other.begin(), other.end());
        return testing::PrintToString(mine == now.end() ? std::string("(end)") : *mine) + " / " +
               testing::PrintToString(theirs == other.end() ? std::string("(end)") : *theirs);
    };
    return "differs from the old at " + firstDifference(old) + ", from the new at " +
           firstDifference(renewed);
}

// The files a silent run writes, each as a reader sees it: text files byte for
// byte, databases by their content.
std::map<std::string, Lines> writtenFiles(const SampleInstallation& installation) {
    std::map<std::string, Lines> files;
    for (const char* name : {"Engineering.cfg", "Engineering.int", "Engineering_Config.ini"})
        files[name] = linesOf(installation.file(name));
    for (const char* name : {"Engineering.mdb", "Engineering_Source.mdb"})
        files[name] = databaseContent(installation.component() / name);
    return files;
}

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

TEST(InstallationRuns, AKilledRunLeavesEveryFileOldOrNewAndTheNextRunCleansUp) {
    SampleInstallation pristine("old");
    const auto before = writtenFiles(pristine);
    SampleInstallation finished("new");
    ASSERT_EQ(finished.runSilently().status, 0);
    const auto after = writtenFiles(finished);
    // The typical duration of a run, taken once the program is in the cache.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(pristine.runSilently().status, 0);
    const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);

    // Kills at random moments up to the time an uninterrupted run takes, each
    // on a fresh copy of the sample installation.
    const auto seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, duration.count());
    SampleInstallation killed("killed");
    for (int iteration = 0; iteration < 20; ++iteration) {
        const long microseconds = delay(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", killed after " +
                     std::to_string(microseconds) + " us");
        killed.restore();
        {
            ProgramRun run(killed.program(), {"/EXTERNAL", "SILENT"},
                           killed.scratch("killed.stderr"));
            std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
            run.kill();
            run.wait();
        }
        for (const auto& [name, now] : writtenFiles(killed))
            EXPECT_EQ(neitherOldNorNew(now, before.at(name), after.at(name)), "") << name;

        const Ending next = killed.runSilently();
        EXPECT_TRUE(next.exited && next.status == 0)
            << describe(next) << next.errorOutput << killed.faultLog();
        EXPECT_EQ(killed.temporaries(), std::vector<std::string>{});
    }
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

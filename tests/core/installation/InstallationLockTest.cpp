#include "installation/InstallationLock.h"
#include "installation/ScratchInstallation.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#include <memory>

namespace fs = std::filesystem;

using installation::InstallationLock;
using State = InstallationLock::State;
using namespace std::chrono_literals;

TEST(InstallationLock, OneHolderAtATimeNamedAtOnceToTheWaiterAndFreeAgainWhenReleased) {
    testsupport::TestInstallation installation;
    const fs::path file = installation::installationLockPath(installation.program());
    EXPECT_EQ(file, installation.componentFolder() / "Engineering_Config.lock");
    {
        const InstallationLock first(file, 0ms);
        ASSERT_EQ(first.state(), State::Held) << first.problem();
        // A lock of its own open file, as a second run has; told who holds it
        // before it waits, not after.
        std::vector<std::pair<std::string, std::chrono::steady_clock::duration>> told;
        const auto start = std::chrono::steady_clock::now();
        const InstallationLock second(
            file, 400ms,
            [&](const std::string& holder) {
                told.emplace_back(holder, std::chrono::steady_clock::now() - start);
            },
            10ms);
        EXPECT_EQ(second.state(), State::Busy);
        EXPECT_FALSE(second.mayProceed());
        ASSERT_EQ(told.size(), 1u);
        EXPECT_LT(told[0].second, 200ms);
        const std::string process = "process " + std::to_string(platform::currentProcessId());
        EXPECT_TRUE(told[0].first.starts_with(process + ", started 20")) << told[0].first;
    }
    const InstallationLock again(file, 0ms);
    EXPECT_EQ(again.state(), State::Held);
    EXPECT_TRUE(fs::is_regular_file(file)) << "the file stays; only the lock goes";
}

// The dry run's scratch copies are locked in the same way while they live.
TEST(InstallationLock, OnlyScratchCopiesWhoseLockIsFreeAreRemovedNoLinkFollowed) {
    testsupport::TestInstallation installation;
    const fs::path temporary = installation.root() / "tmp";
    installation.write("outside/kept.txt", "kept");
    struct Case {
        const char* folder;
        bool inUseFile, held, removed;
    } const cases[] = {{"engineering-dry-run-1", true, false, true},
                       {"engineering-dry-run-2", true, true, false},
                       {"engineering-dry-run-3", false, false, false},
                       {"other-5", true, false, false}};
    std::vector<std::unique_ptr<platform::FileLock>> holders;
    for (const Case& c : cases) {
        installation.write("tmp/" + std::string(c.folder) + "/Engineering/Engineering.int", "x");
        if (c.inUseFile)
            installation.write("tmp/" + std::string(c.folder) + "/in-use.lock", "");
        if (c.held) {
            holders.push_back(
                std::make_unique<platform::FileLock>(temporary / c.folder / "in-use.lock"));
            ASSERT_EQ(holders.back()->tryLock(), platform::FileLock::Attempt::Locked);
        }
        std::error_code noLinks; // Windows without the privilege
        fs::create_directory_symlink(installation.root() / "outside", temporary / c.folder / "link",
                                     noLinks);
    }

    installation::removeAbandonedScratchCopiesIn(temporary);

    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(temporary / c.folder), !c.removed) << c.folder;
    EXPECT_EQ(installation.read("outside/kept.txt"), "kept");
}

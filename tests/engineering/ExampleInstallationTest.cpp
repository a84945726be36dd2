#include "TestInstallation.h"

#include "engineering/FunctionFiles.h"

#include "framework/IniDocument.h"
#include "framework/InstallationPaths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The sample installation of the source tree, copied into a scratch one.
class ExampleInstallationTest : public ::testing::Test {
protected:
    ExampleInstallationTest() {
        fs::copy(EXAMPLES_DIR, install.root(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        framework::GetExistingMachines("");
    }
    testsupport::TestInstallation install;
};

TEST_F(ExampleInstallationTest, SampleFunctionsAreMergedAndWrittenBack) {
    engineering::FunctionLists lists;
    engineering::ReadInputs(lists);
    EXPECT_EQ(lists.StandardCount, 12);
    EXPECT_EQ(lists.MachineCount, 3);
    EXPECT_EQ(lists.StoredCount, 4);
    EXPECT_EQ(lists.button(2).PExeFunction, "C:\\Tools\\PumpControl\\PumpControl.exe /expert");
    EXPECT_EQ(lists.button(3).PExeFunction, "C:\\Tools\\Valves\\ValveView.exe");
    EXPECT_EQ(lists.button(4).PDescription, "L\u00fcfter und K\u00fchlung");
    EXPECT_EQ(lists.button(10).PSymbolName, "Engineering\\Camera_800.gif");
    EXPECT_EQ(lists.button(31).PWindowName, "*Sensoren \u2013 \u00dcbersicht*");
    EXPECT_TRUE(install.boxes.asked.empty());

    engineering::WriteInputs(lists);
    const auto cfg = framework::IniDocument::parse(install.read("Engineering/Engineering.cfg"));
    EXPECT_EQ(cfg.value("Function1", "SpecialKey"), "52");
    EXPECT_EQ(cfg.value("Function1", "WindowName"), "Screenshot [Panel]");
    EXPECT_EQ(cfg.value("Project", "ForMachine1"), "true");
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));

    // Read back, every function with a program is a stored one and unchanged.
    engineering::FunctionLists again;
    engineering::ReadInputs(again);
    EXPECT_EQ(again.StoredCount, 15);
    for (int n = 1; n <= engineering::kButtonCount; ++n) {
        engineering::EngineeringFunction expected = lists.button(n);
        if (!expected.PExeFunction.empty()) {
            expected.PWhereICome = "EngineeringPicture";
            expected.PStandard = true;
        }
        EXPECT_TRUE(again.button(n) == expected) << "button " << n;
    }
}

} // namespace

// The program's location, the installation's paths and the machine list.

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include "TestInstallation.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace framework;
using testsupport::TestInstallation;

TEST(ProgramLocation, ComponentAndInstallationFolderAndFileName) {
    TestInstallation inst;
    EXPECT_EQ(GetOCXName(), "Engineering");
    EXPECT_EQ(installationFolder(), inst.root().string());
    EXPECT_EQ(GetPathOCXMDB(), inst.path("Engineering/Engineering.mdb"));
    programState().executableFolder = "/";
    EXPECT_EQ(installationFolder(), "") << "the file-system root has no parent folder";
    programState().executableFolder = "C:\\Inst\\Engineering";
    EXPECT_EQ(installationFolder(), "C:\\Inst");
    EXPECT_EQ(GetFileNameOnly("C:\\a\\b\\c.exe"), "c.exe");
    // A base name too short to hold the component is a failure.
    programState().executableBaseName = "Eng";
    inst.boxes.answer(true);
    EXPECT_EQ(GetOCXName(), "");
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_NE(inst.boxes.asked[0].text.find("Invalid procedure call"), std::string::npos);
}

// Only a missing file gives "": one that cannot be read keeps its path and is
// reported where it is read, once.
TEST(InstallationPaths, RequiredFilesGiveEmptyOnlyWhenMissing) {
    TestInstallation inst;
    EXPECT_EQ(GetPathSourceOCXMDB(), "");
    EXPECT_EQ(GetProgramIniPath(1), "");
    inst.write("Engineering/Engineering_Source.mdb", "x");
    EXPECT_EQ(GetPathSourceOCXMDB(), inst.path("Engineering/Engineering_Source.mdb"));

    programState().StartModeIntegrated = true;
    EXPECT_EQ(GetQ4MConfigurationIniPath(), "");
    const std::string q4m = inst.path("parameter/q4mconfiguration.ini");
    std::filesystem::create_directory(q4m);
    ASSERT_EQ(GetQ4MConfigurationIniPath(), q4m);
    inst.boxes.answer(true);
    GetExistingMachines(q4m);
    EXPECT_TRUE(programState().ExistingMachines.empty());
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_NE(inst.boxes.asked[0].text.find("\n\rCannot read " + q4m + "\n\r"), std::string::npos);

    std::filesystem::remove(q4m);
    programState().StartModeIntegrated = false;
    programState().SilentMode = true;
    const std::string programIni = inst.path("parameter/Program.ini");
#ifdef _WIN32
    std::filesystem::create_directory(programIni); // a link needs a privilege there
#else
    std::filesystem::create_symlink("missing", programIni);
#endif
    GetExistingMachines("");
    const std::string log = inst.errorLog();
    EXPECT_NE(log.find("(Nr. 75) :Cannot read " + programIni + "\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Cannot read"), log.rfind("Cannot read " + programIni)) << "each once";
}

TEST(InstallationPaths, ExistingComponentsAreFoundWithoutRegardToCase) {
    TestInstallation inst;
    inst.write("parameter/program.INI", "[Project]\r\nNumberOfMachines=1\r\n"
                                        "[Machine1]\r\nMachineName=M1\r\n");
    inst.write("Engineering/Pump_800.gif", "GIF");
    inst.write("Engineering/.hidden", "x");
    EXPECT_TRUE(fileExists(inst.root().string() + "/engineering\\pump_800.GIF"));
    EXPECT_FALSE(fileExists(inst.path("Engineering")));
    EXPECT_FALSE(fileExists(inst.path("Engineering/.hidden")));
    GetExistingMachines("");
    EXPECT_EQ(programState().ExistingMachines, std::vector<std::string>{"M1"});
}

TEST(InstallationPaths, MissingCfgEndsTheProgramWithABox) {
    TestInstallation inst;
    EXPECT_EQ(testsupport::endStatus([] { GetCFGPath(); }), ExitEndedByFailure);
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.boxes.asked[0].text, "File not found: \n\r" + upperCase(inst.cfgPath()));
}

TEST(MachineList, IntegratedStopsAtADashOrEmptyNameAfterAtMostFiveStandaloneReadsTheCount) {
    using Names = std::vector<std::string>;
    for (const auto& [names, expected] : std::vector<std::pair<Names, std::size_t>>{
             {{"M1", "-", "M3"}, 1}, {{"M1", "M2", "", "M4"}, 2}, {Names(6, "M"), 5}}) {
        TestInstallation inst;
        programState().StartModeIntegrated = true;
        std::string ini = "[Common]\r\n";
        for (std::size_t i = 0; i < names.size(); ++i)
            ini += "NameM" + std::to_string(i + 1) + "=" + names[i] + "\r\n";
        inst.write("parameter/q4mconfiguration.ini", ini);
        GetExistingMachines(GetQ4MConfigurationIniPath());
        EXPECT_EQ(programState().ExistingMachines.size(), expected) << names.size();
    }
    // Standalone, program.ini gives the count and the names.
    TestInstallation inst;
    inst.write("parameter/Program.ini",
               "[Project]\r\nNumberOfMachines=2\r\n[Machine1]\r\nMachineName=Press\r\n");
    GetExistingMachines("");
    EXPECT_EQ(programState().ExistingMachines, (std::vector<std::string>{"Press", ""}));
    EXPECT_EQ(existingMachine(1), "Press");
    EXPECT_THROW(existingMachine(3), Failure);
}

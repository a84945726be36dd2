// How the program starts: its command line read into help, version, a refusal
// or a run and its start mode; its location, the installation's paths and the
// machine list.

#include "installation/InstallationFiles.h"
#include "installation/MachineList.h"
#include "platform/FileSystem.h"
#include "run/CommandLine.h"
#include "run/CommandLineArguments.h"
#include "run/ErrorProtocol.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

#include "TestInstallation.h"

#include <array>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

using namespace platform;
using namespace run;
using namespace installation;
using testsupport::TestInstallation;

namespace {

std::vector<std::string> words(const char* line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// "help", "version", "" + the message, or the run: its action and
// restore value, "json", its start mode and "log=" + the LOGFILE value.
std::string outcome(const testsupport::TestInstallation& inst, const ParsedCommandLine& parsed) {
    if (std::holds_alternative<HelpRequested>(parsed))
        return "help";
    if (std::holds_alternative<VersionRequested>(parsed))
        return "version";
    if (const auto* error = std::get_if<CommandLineError>(&parsed))
        return "" + error->message;
    ProgramStart start = inst.start();
    takeRun(start, std::get<RunCommandLine>(parsed));
    ProgramState program(std::move(start), nullptr);
    const RunRequest& request = program.request;
    constexpr std::array kActions{"edit",   "dryrun", "restore", "list",
                                  "export", "import", "compare", "convert"};
    std::string text = kActions[int(request.action)];
    text += request.dryRunOf == RunAction::Edit
                ? ""
                : std::string(" ") + kActions[int(request.dryRunOf)];
    text += request.restoreValue.empty() ? "" : " " + request.restoreValue;
    text += request.actionPath.empty() ? "" : " " + request.actionPath;
    text += request.keepSymbols ? " keepsymbols" : "";
    text += request.json ? " json" : "";
    text += program.StartModeIntegrated ? " integrated" : program.SilentMode ? " silent" : "";
    if (const auto log = ReadCommand(program, program.commandLine, "LOGFILE"))
        text += " log=" + *log;
    return text;
}

} // namespace

TEST(CommandLine, ArgumentsReadAsHelpVersionRefusalOrRun) {
    testsupport::TestInstallation inst;
    for (const auto& row : testsupport::dataRows("command-lines.txt"))
        EXPECT_EQ(outcome(inst, parseCommandLine(words(row.at(0).c_str()))), row.at(1)) << row[0];
}

TEST(ProgramLocation, ComponentAndInstallationFolderAndFileName) {
    TestInstallation inst;
    ProgramState& program = inst.program();
    EXPECT_EQ(GetOCXName(program), "Engineering");
    EXPECT_EQ(installationFolder(program), inst.root().string());
    EXPECT_EQ(componentFiles(installationFolder(program), GetOCXName(program)).targetDatabase,
              inst.path("Engineering/Engineering.mdb"));
    program.executableFolder = "/";
    EXPECT_EQ(installationFolder(program), "") << "the file-system root has no parent folder";
    program.executableFolder = "C:\\Inst\\Engineering";
    EXPECT_EQ(installationFolder(program), "C:\\Inst");
    program.executableFolder = "X:\\"; // a program at a drive root: the drive's installation
    EXPECT_EQ(installationFolder(program), "X:");
    EXPECT_EQ(GetFileNameOnly(program, "C:\\a\\b\\c.exe"), "c.exe");
    // A base name too short to hold the component is a failure.
    program.executableBaseName = "Eng";
    inst.boxes.answer(true);
    EXPECT_EQ(GetOCXName(program), "");
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_NE(inst.boxes.asked[0].text.find("Invalid procedure call"), std::string::npos);
}

// Only a missing file gives "": one that cannot be read keeps its path and is
// reported where it is read (FunctionFilesTest, DamagedInstallationTest).
TEST(InstallationFiles, RequiredFilesGiveEmptyOnlyWhenMissing) {
    TestInstallation inst;
    inst.write("Engineering/Engineering.cfg", "");
    EXPECT_EQ(findInstallationFiles(inst.program()).programIni, "");
    std::filesystem::create_directories(inst.path("parameter/Program.ini"));
    EXPECT_EQ(findInstallationFiles(inst.program()).programIni, inst.path("parameter/Program.ini"));
    ProgramState& integrated = inst.restart("/EXTERNAL Q4MCFG");
    EXPECT_EQ(findInstallationFiles(integrated).configurationIni, "");
    inst.write("parameter/q4mconfiguration.ini", "[Common]\r\nSaveAndRestore=" + inst.path("SR"));
    const InstallationFiles files = findInstallationFiles(integrated);
    EXPECT_EQ(files.configurationIni, inst.path("parameter/q4mconfiguration.ini"));
    EXPECT_EQ(files.programIni, "") << "an integrated run's program.ini is the saved one";
    EXPECT_EQ(files.machineCopyDatabase, inst.path("SR/Engineering/Engineering.mdb"));
}

TEST(InstallationFiles, ExistingFilesAreFoundWithoutRegardToCase) {
    TestInstallation inst;
    inst.write("Engineering/Pump_800.gif", "GIF");
    EXPECT_TRUE(fileExists(inst.root().string() + "/engineering\\pump_800.GIF"));
    EXPECT_FALSE(fileExists(inst.path("Engineering"))) << "a folder is no file";
}

TEST(MachineList, IntegratedStopsAtADashOrEmptyNameAfterAtMostFiveStandaloneReadsTheCount) {
    using Names = std::vector<std::string>;
    for (const auto& [names, expected] : std::vector<std::pair<Names, std::size_t>>{
             {{"M1", "-", "M3"}, 1}, {{"M1", "M2", "", "M4"}, 2}, {Names(6, "M"), 5}}) {
        TestInstallation inst;
        ProgramState& program = inst.restart("/EXTERNAL Q4MCFG");
        std::string ini = "[Common]\r\n";
        for (std::size_t i = 0; i < names.size(); ++i)
            ini += "NameM" + std::to_string(i + 1) + "=" + names[i] + "\r\n";
        inst.write("parameter/q4mconfiguration.ini", ini);
        inst.write("Engineering/Engineering.cfg", "");
        GetExistingMachines(program, findInstallationFiles(program));
        EXPECT_EQ(program.ExistingMachines.size(), expected) << names.size();
    }
    // Standalone, program.ini gives the count and the names.
    TestInstallation inst;
    inst.write("parameter/program.INI",
               "[Project]\r\nNumberOfMachines=2\r\n[Machine1]\r\nMachineName=Press\r\n");
    inst.write("Engineering/Engineering.cfg", "");
    ProgramState& program = inst.program();
    GetExistingMachines(program, findInstallationFiles(program));
    EXPECT_EQ(program.ExistingMachines, (std::vector<std::string>{"Press", ""}));
    EXPECT_EQ(existingMachine(program, 1), "Press");
    EXPECT_THROW(existingMachine(program, 3), Failure);
}

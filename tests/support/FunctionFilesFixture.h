#pragma once
// What the tests of the engineering layer and the windows share: a run of
// the program on a test installation, made-up symbols and functions, helpers
// that write function sections as Windows-1252 text with CR LF, and a scratch
// installation with a .cfg and a program.ini naming machine M1, run on.

#include "TestInstallation.h"

#include "engineering/ConfigurationRun.h"
#include "engineering/FunctionFields.h"
#include "engineering/ReadFunctionFiles.h"
#include "engineering/SymbolList.h"
#include "engineering/WriteFunctionFiles.h"

#include "installation/MachineList.h"
#include "run/IniAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace testsupport {

// A run of the program on a test installation, built as main() builds one:
// its message boxes go to the installation's fake, and an ended program
// throws ProgramEnded.
class TestRun : public engineering::ConfigurationRun {
public:
    explicit TestRun(TestInstallation& installation, std::string_view commandLine = "")
        : ConfigurationRun(installation.start(commandLine), &installation.boxes) {
        endByThrowing(program);
    }
};

} // namespace testsupport

// Made-up data for the dialog tests: symbol lists and a function record.
namespace dialogtest {

// "Engineering\S<n>_800.gif", the name of entry n in the lists below.
inline std::string symbolName(int entry) {
    return "Engineering\\S" + std::to_string(entry) + "_800.gif";
}

// A list counting count symbols; it holds as many of them as fit.
inline engineering::Symbols symbolsOf(int count) {
    engineering::Symbols symbols;
    for (int entry = 1; entry <= std::min(count, engineering::kSymbolCapacity); ++entry)
        symbols.SymbolList[std::size_t(entry - 1)] = symbolName(entry);
    symbols.SymbolCount = std::int16_t(count);
    return symbols;
}

// Every field set to a value of its own.
inline engineering::EngineeringFunction sampleFunction() {
    return {.PEnabled = true,
            .PWhereICome = "Somewhere",
            .PExeFunction = "C:\\Tools\\run.bat",
            .PSymbolName = symbolName(2),
            .PSpecialKey = 5,
            .PDescription = "Engineering.5",
            .PStandard = true,
            .PPosMode = 3,
            .PPosLeft = -5,
            .PPosTop = 10,
            .PPosWidth = 640,
            .PPosHeight = 480,
            .PRemoteDeskTop = true,
            .PWaitBeforeLogin = 1500,
            .PLoginKey = " user{TAB}pw{ENTER} ",
            .PWindowName = "*Notepad*",
            .PWindowName2 = "Übersicht - Fenster",
            .PEndTime = 30,
            .PEndMode = 16,
            .PEndWhenExitWindow = true};
}

} // namespace dialogtest

namespace enginetest {

// A section holding every stored field of the function, in the table's order.
inline std::string section(std::string_view name, const engineering::EngineeringFunction& f) {
    std::string text = "[" + std::string(name) + "]\r\n";
    for (const engineering::FunctionField& field : engineering::kFunctionFields)
        text +=
            std::string(field.key) + "=" + run::iniText(engineering::fieldValue(f, field)) + "\r\n";
    return text;
}

// A function as the edit dialog leaves it.
inline engineering::EngineeringFunction edited(int key, std::string exe, bool enabled = true) {
    engineering::EngineeringFunction f;
    f.PEnabled = enabled;
    f.PWhereICome = "EngineeringPicture";
    f.PExeFunction = std::move(exe);
    f.PSymbolName = "Engineering\\Tank_800.gif";
    f.PSpecialKey = std::int16_t(key);
    f.PDescription = "Engineering." + std::to_string(key);
    f.PPosMode = 1;
    f.PWindowName = "*Tool*";
    f.PEndTime = 3;
    f.PEndMode = 18;
    return f;
}

// A complete function section of the catalogue or the stored file.
inline std::string function(std::string_view name, int key, std::string exe,
                            std::string symbol = "Engineering\\Pump.gif", bool enabled = true,
                            std::string whereICome = "Catalogue") {
    engineering::EngineeringFunction f = edited(key, std::move(exe), enabled);
    f.PSymbolName = std::move(symbol);
    f.PWhereICome = std::move(whereICome);
    return section(name, f);
}

inline constexpr std::string_view kCfg = "Engineering/Engineering.cfg";
inline constexpr std::string_view kDat = "Engineering/Engineering.dat";
inline constexpr std::string_view kInt = "Engineering/Engineering.int";

class FunctionFilesTest : public ::testing::Test {
protected:
    FunctionFilesTest() {
        install.write(kCfg, "[Project]\r\nValidMachines=ALL\r\n\r\n");
        install.write("parameter/program.ini",
                      "[Project]\r\nNumberOfMachines=1\r\n[Machine1]\r\nMachineName=M1\r\n");
        startRun("");
    }

    // Starts the run anew with a command line; it reads the machine list as
    // loading does.
    void startRun(std::string_view commandLine) {
        run_ = std::make_unique<testsupport::TestRun>(install, commandLine);
        // One step at a time: each writes its files at once, no transaction.
        program().transaction = nullptr;
        run().files = installation::findInstallationFiles(program());
        installation::GetExistingMachines(program(), run().files);
    }
    void silent() { startRun("/EXTERNAL SILENT"); }

    engineering::ConfigurationRun& run() { return *run_; }
    run::ProgramState& program() { return run_->program; }

    engineering::FunctionLists read() {
        engineering::FunctionLists lists;
        run().files = installation::findInstallationFiles(program());
        run::Procedure procedure(program(), "SetupUserInterFace");
        engineering::ReadInputs(run().files, lists, run().symbols, procedure);
        return lists;
    }

    testsupport::TestInstallation install;

private:
    std::unique_ptr<testsupport::TestRun> run_;
};

} // namespace enginetest

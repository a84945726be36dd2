// Start modes and keyword values read from the command line.

#include "framework/CommandLine.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

using namespace framework;
using testsupport::TestInstallation;

// The start mode is decided once, when the run's program state is built.
TEST(CommandLine, StartModesFollowTheExternalKeyword) {
    struct Case {
        const char* commandLine;
        bool integrated, silent;
    };
    TestInstallation inst;
    for (const auto& [line, integrated, silent] :
         {Case{"", false, false}, Case{"/external q4mcfg", true, false},
          Case{"/EXTERNAL=SILENT", false, true}, Case{"/EXTERNAL  SILENT /LOGFILE x", false, true},
          Case{"/EXTERNAL SILENTX", false, false}, Case{"/EXTERNAL", false, false},
          // A dry run and a restore never show a window, nor run integrated.
          Case{"/DRYRUN", false, true}, Case{"/EXTERNAL Q4MCFG /dryrun", false, true},
          Case{"/RESTORE LIST", false, true}}) {
        const ProgramState& program = inst.restart(line);
        EXPECT_EQ(program.StartModeIntegrated, integrated) << line;
        EXPECT_EQ(program.SilentMode, silent) << line;
    }
}

TEST(CommandLine, ValuesAreUpperCasedAndEndAtTheNextSlash) {
    TestInstallation inst;
    ProgramState& program = inst.program();
    EXPECT_EQ(ReadCommand(program, "/EXTERNAL silent /LOGFILE c:\\Temp\\log.txt", "LOGFILE"),
              "C:\\TEMP\\LOG.TXT");
    EXPECT_EQ(ReadCommand(program, "/LOGFILE /tmp/log.txt", "LOGFILE"), "");
    EXPECT_EQ(ReadCommand(program, "/EXTERNAL SILENT", "LOGFILE"), std::nullopt);
    EXPECT_EQ(ReadCommand(program, "/logfile", "LOGFILE"), "")
        << "a keyword at the end reads as empty";
    // The first occurrence counts, even inside a folder name.
    EXPECT_EQ(ReadCommand(program, "/LOGFILE d:\\EXTERNALS\\log /EXTERNAL SILENT", "EXTERNAL"),
              "\\LOG");
    EXPECT_EQ(GetPathLogfile(inst.restart("/EXTERNAL Q4MCFG /LOGFILE d:\\logs\\cfg.txt")),
              "D:\\LOGS\\CFG.TXT");
}

TEST(CommandLine, DryRunAndRestoreAreFoundAnywhere) {
    struct Case {
        const char* commandLine;
        RunAction action;
        const char* restoreValue;
    };
    for (const auto& [line, action, value] :
         {Case{"/EXTERNAL SILENT", RunAction::Edit, ""},
          Case{"/EXTERNAL SILENT /DRYRUN", RunAction::DryRun, ""},
          Case{"/dryrun /EXTERNAL SILENT", RunAction::DryRun, ""},
          Case{"/RESTORE", RunAction::Restore, ""},
          Case{"/restore list", RunAction::Restore, "LIST"},
          Case{"/RESTORE 2025-03-01_14-22-05 /EXTERNAL SILENT", RunAction::Restore,
               "2025-03-01_14-22-05"}}) {
        const RunRequest request = GetRunRequest(line);
        EXPECT_EQ(request.action, action) << line;
        EXPECT_EQ(request.restoreValue, value) << line;
    }
}

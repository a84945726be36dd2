// The error protocol, the reports and the logs, byte for byte.

#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

#include "TestInstallation.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace run;
using testsupport::shownPath;
using testsupport::TestInstallation;

namespace {

// A procedure with three steps, the second of which fails in a helper: an
// index out of range, as a library reports it.
std::vector<int> runThreeSteps(ProgramState& program) {
    std::vector<int> ran;
    Procedure procedure(program, "Form_Load");
    procedure.step([&] { ran.push_back(1); });
    procedure.step([&] {
        [] { throw std::out_of_range("index"); }();
        ran.push_back(99);
    });
    procedure.step([&] { ran.push_back(3); });
    return ran;
}

const std::string kLogLine =
    "Fehler in Engineering / Engineering_Config / Form_Load (Nr. 9) :Subscript out of range";

} // namespace

// Integrated, the log is the command line's LOGFILE: its path comes back
// upper-cased, and the path shown is the one that exists.
TEST(ErrorProtocol, YesResumesWithTheNextStepNoEndsAfterLoggingAndLOGFILEIsTheLog) {
    TestInstallation inst;
    ProgramState& program = inst.program();
    inst.boxes.answer(true);
    EXPECT_EQ(runThreeSteps(program), (std::vector<int>{1, 3}));
    const auto& box = inst.boxes.asked.at(0);
    EXPECT_EQ(box.title, "Unexpected error");
    EXPECT_EQ(box.defaultButton, DefaultButton::Yes);
    EXPECT_EQ(box.text, "Unexpected error!\n\rSubscript out of range\n\rError logged to \n\r" +
                            shownPath(inst.path("Q4Mcfglog.txt")) + "\n\rResume?");
    EXPECT_EQ(completionStatus(program), ExitFailuresReported);
    inst.boxes.answer(false);
    EXPECT_EQ(testsupport::endStatus([&] { runThreeSteps(program); }), ExitEndedByFailure);
    EXPECT_EQ(inst.errorLog(), kLogLine + "\r\n" + kLogLine + "\r\n");

    std::string logs = inst.path("logs"); // a value ends at the first "/"
    std::replace(logs.begin(), logs.end(), '/', '\\');
    inst.write("LOGS/keep", "");
    inst.boxes.answer(true);
    runThreeSteps(inst.restart("/EXTERNAL Q4MCFG /LOGFILE " + logs + "\\cfg.txt"));
    EXPECT_EQ(inst.read("LOGS/CFG.TXT"), kLogLine + "\r\n");
    EXPECT_NE(inst.boxes.asked.back().text.find(shownPath(inst.path("LOGS/CFG.TXT"))),
              std::string::npos);
}

// A silent run has nobody to ask: every message and the unattended text of
// every question go to the fault log, and every question is answered Yes. A
// program built without a window reports to the logs too. Logs that cannot be
// written are the silent run's end-to-end case.
TEST(Reports, ABoxOrWithoutOneTheLogs) {
    TestInstallation inst;
    ReportFault(inst.program(), "Ölstand");
    EXPECT_EQ(inst.boxes.asked.at(0).title, "Engineering_Config");
    EXPECT_EQ(LogError(inst.program(), "line", false),
              "Error logged to \n\r" + shownPath(inst.path("Q4Mcfglog.txt")));
    ProgramState& silent = inst.restart("/EXTERNAL SILENT");
    ReportFault(silent, "Ölstand");
    EXPECT_TRUE(silent.reporter().ask({"Title", "Resume?", MessageIcon::Critical},
                                      DefaultButton::No, "Failed"));
    ProgramState(inst.start(""), nullptr)
        .reporter()
        .tell({"T", "No window", MessageIcon::Critical});
    EXPECT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.errorLog(), "line\r\n");
    EXPECT_EQ(inst.faultLog(), "! Fault Engineering_Config: \xD6lstand\r\n"
                               "! Fault Engineering_Config: Failed\r\n"
                               "! Fault Engineering_Config: No window\r\n");
}

TEST(CancelQuestion, YesLogsTheCancelAndNoKeepsEditing) {
    TestInstallation inst;
    inst.boxes.answer(false);
    EXPECT_FALSE(ConfirmCancelEdits(inst.program()));
    EXPECT_FALSE(inst.exists("Q4Mcfglog.txt"));
    inst.boxes.answer(true);
    EXPECT_TRUE(ConfirmCancelEdits(inst.program()));
    EXPECT_EQ(inst.errorLog(), "Konfigurations-EXE wurde abgebrochen:     Engineering\r\n");
    EXPECT_EQ(inst.boxes.asked[0].title, "Cancel?");
    EXPECT_EQ(inst.boxes.asked[0].defaultButton, DefaultButton::No);
    EXPECT_EQ(inst.boxes.asked[0].text,
              "Cancel edits?\n\rRemark:\n\rUntil now no changes have been taken over ");
    // Integrated, the question names the component and the executable.
    inst.boxes.answer(false);
    ConfirmCancelEdits(inst.restart("/EXTERNAL Q4MCFG"));
    EXPECT_TRUE(inst.boxes.asked[2].text.ends_with(
        "\n\r\"Engineering\" has to be configured again in \"standalone-mode\" via \n\r\"" +
        inst.path("Engineering") + std::string(kSeparator) + "Engineering_Config.exe\""));
}

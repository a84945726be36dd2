// The error protocol, the reports and the logs, byte for byte.

#include "framework/ErrorProtocol.h"
#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include "TestInstallation.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace framework;
using testsupport::TestInstallation;

namespace {

// A procedure with three steps, the second of which fails in a helper: an
// index out of range, as a library reports it.
std::vector<int> runThreeSteps() {
    std::vector<int> ran;
    Procedure procedure("Form_Load");
    procedure.step([&] { ran.push_back(1); });
    procedure.step([&] {
        [] { throw std::out_of_range("index"); }();
        ran.push_back(99);
    });
    procedure.step([&] { ran.push_back(3); });
    return ran;
}

const std::string kLogLine =
    "Fehler in Engineering / Engineering_Config / Form_Load (Nr. 9) :Subscript out of range\r\n";

} // namespace

TEST(ErrorProtocol, InteractiveYesResumesWithTheNextStepAndNoEndsAfterLogging) {
    TestInstallation inst;
    inst.boxes.answer(true);
    EXPECT_EQ(runThreeSteps(), (std::vector<int>{1, 3}));
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    const auto& box = inst.boxes.asked[0];
    EXPECT_EQ(box.title, "Unexpected error");
    EXPECT_EQ(box.defaultButton, DefaultButton::Yes);
    EXPECT_EQ(box.text, "Unexpected error!\n\rSubscript out of range\n\rError logged to \n\r" +
                            upperCase(inst.path("Q4Mcfglog.txt")) + "\n\rResume?");
    EXPECT_EQ(inst.errorLog(), kLogLine);
    EXPECT_EQ(completionStatus(), ExitFailuresReported);
    inst.boxes.answer(false);
    EXPECT_EQ(testsupport::endStatus(runThreeSteps), ExitEndedByFailure);
    EXPECT_EQ(inst.errorLog(), kLogLine + kLogLine);
}

TEST(ErrorProtocol, IntegratedRunsLogToTheLogfileOfTheCommandLine) {
    TestInstallation inst;
    programState().StartModeIntegrated = true;
    // A value ends at the first "/", so the path is given with backslashes.
    std::string logs = inst.path("logs");
    std::replace(logs.begin(), logs.end(), '/', '\\');
    inst.setCommandLine("/EXTERNAL Q4MCFG /LOGFILE " + logs + "\\cfg.txt");
    inst.write("LOGS/keep", "");
    inst.boxes.answer(true);
    runThreeSteps();
    // The path comes back upper-cased; the existing folder is found, the new file created.
    EXPECT_EQ(inst.read("LOGS/CFG.TXT"), kLogLine);
    EXPECT_NE(inst.boxes.asked[0].text.find("Error logged to \n\r" + upperCase(logs) + "\\CFG.TXT"),
              std::string::npos);
}

TEST(Reports, ReportFaultAndLogErrorShowABoxOrWriteTheLogs) {
    TestInstallation inst;
    ReportFault("Ölstand");
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.boxes.asked[0].title, "Engineering_Config");
    programState().SilentMode = true;
    ReportFault("Ölstand");
    EXPECT_EQ(inst.faultLog(), "! Fault Engineering_Config: \xD6lstand\r\n");
    // LogError shows where it logged in a box, or returns it.
    programState().SilentMode = false;
    EXPECT_EQ(LogError("line", false),
              "Error logged to \n\r" + upperCase(inst.path("Q4Mcfglog.txt")));
    EXPECT_EQ(LogError("line2", true), "");
    EXPECT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_EQ(inst.errorLog(), "line\r\nline2\r\n");
}

// A FIFO or a folder in a log's place is never opened (the run would wait on
// the FIFO for ever); the line goes to the other log, or to standard error.
TEST(Reports, ALogThatIsNoFileIsReportedInTheOtherAndWhenBothFailOnStandardError) {
    TestInstallation inst;
    programState().SilentMode = true;
    const std::string errorLog = inst.path("Q4Mcfglog.txt");
    const std::string faultLog = inst.faultLogFile().string();
#ifdef _WIN32
    std::filesystem::create_directory(errorLog); // Windows has no FIFO in the file system
#else
    ASSERT_EQ(::mkfifo(errorLog.c_str(), 0666), 0);
#endif
    LogError("line", false);
    EXPECT_EQ(inst.faultLog(),
              "! Fault Engineering_Config: Cannot write " + errorLog + ": line\r\n");

    std::filesystem::remove(faultLog);
    std::filesystem::create_directory(faultLog);
    testing::internal::CaptureStderr();
    EXPECT_EQ(runThreeSteps(), (std::vector<int>{1, 3}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Cannot write " + errorLog + ": " + kLogLine.substr(0, kLogLine.size() - 2) + "\n" +
                  "Cannot write " + faultLog +
                  ": ! Fault Engineering_Config: Unexpected error!\n\rSubscript out of range\n\r"
                  "Error logged to \n\r" +
                  upperCase(errorLog) + "\n");
#ifdef _WIN32
    EXPECT_TRUE(std::filesystem::is_directory(errorLog));
#else
    EXPECT_TRUE(std::filesystem::is_fifo(errorLog));
#endif
    EXPECT_TRUE(std::filesystem::is_directory(faultLog));
}

TEST(CancelQuestion, YesLogsTheCancelAndNoKeepsEditing) {
    TestInstallation inst;
    inst.boxes.answer(false);
    EXPECT_FALSE(ConfirmCancelEdits());
    EXPECT_FALSE(inst.exists("Q4Mcfglog.txt"));
    inst.boxes.answer(true);
    EXPECT_TRUE(ConfirmCancelEdits());
    EXPECT_EQ(inst.errorLog(), "Konfigurations-EXE wurde abgebrochen:     Engineering\r\n");
    const auto& box = inst.boxes.asked[0];
    EXPECT_EQ(box.title, "Cancel?");
    EXPECT_EQ(box.defaultButton, DefaultButton::No);
    EXPECT_EQ(box.text, "Cancel edits?\n\rRemark:\n\rUntil now no changes have been taken over ");
    programState().SilentMode = true; // silent runs confirm by themselves and log the question
    EXPECT_TRUE(ConfirmCancelEdits());
    EXPECT_EQ(inst.boxes.asked.size(), 2u);
    EXPECT_NE(inst.faultLog().find("Cancel edits?"), std::string::npos);
    // Integrated, the question names the component and the executable.
    programState().SilentMode = false;
    programState().StartModeIntegrated = true;
    inst.boxes.answer(false);
    ConfirmCancelEdits();
    EXPECT_EQ(inst.boxes.asked[2].text,
              "Cancel edits?\n\rRemark:\n\rUntil now no changes have been taken over \n\r"
              "\"Engineering\" has to be configured again in \"standalone-mode\" via \n\r\"" +
                  inst.path("Engineering") + std::string(kSeparator) + "Engineering_Config.exe\"");
}

TEST(HelpTexts, ShownOnlyInHelpModeWithLineMarkersReplaced) {
    TestInstallation inst;
    programState().HelpTexts[9] = "A<crlf>B<CRLF>C";
    ShowHelpText(10);
    EXPECT_TRUE(inst.boxes.asked.empty());
    programState().HelpMode = true;
    ShowHelpText(10);
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.boxes.asked[0].title, "Info:");
    EXPECT_EQ(inst.boxes.asked[0].text, "A\r\nB\r\nC");
    ShowHelpText(0); // out of range: skipped without a report
    ShowHelpText(101);
    EXPECT_FALSE(inst.exists("Q4Mcfglog.txt"));
    EXPECT_FALSE(programState().failureReported);
}

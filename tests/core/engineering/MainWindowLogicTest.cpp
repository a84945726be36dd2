// The main window's behaviour without a window: loading, help mode, edit mode,
// accepted and discarded edits, the closing sequence and the cancel question.

#include "FunctionFilesFixture.h"
#include "InstallationSnapshot.h"

#include "engineering/MainWindowLogic.h"
#include "framework/ErrorProtocol.h"
#include "framework/Text.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace engineering;
using framework::ProgramEnded;

namespace {

class RecordingView final : public MainWindowView {
public:
    void setCaption(const std::string&) override {}
    bool showPicture(int button, const std::string& path) override {
        pictures[button] = path;
        return !path.ends_with("Broken_800.gif");
    }
    void setButtonEnabled(int button, bool on) override { enabled[button] = on; }
    void setEditHighlighted(bool on) override { editGreen = on; }
    void setHelpHighlighted(bool on) override { helpGreen = on; }
    void setOkCancelEnabled(bool on) override { okCancelEnabled = on; }
    void setBusy(bool on) override { busyChanges.push_back(on); }
    void processPendingEvents() override { ++eventRounds; }

    std::map<int, std::string> pictures;
    std::map<int, bool> enabled;
    bool editGreen = false;
    bool helpGreen = false;
    bool okCancelEnabled = false;
    std::vector<bool> busyChanges;
    int eventRounds = 0;
};

class ScriptedEditor final : public FunctionEditor {
public:
    std::optional<EngineeringFunction> edit(const EngineeringFunction& function) override {
        seen.push_back(function);
        return result;
    }
    std::optional<EngineeringFunction> result;
    std::vector<EngineeringFunction> seen;
};

class CountingUpdate final : public DatabaseUpdate {
public:
    void run() override { ++runs; }
    int runs = 0;
};

// Button 1 shows its picture, button 2 is disabled and its picture missing,
// button 3's picture cannot be decoded.
class MainWindowLogicTest : public enginetest::FunctionFilesTest {
protected:
    MainWindowLogicTest() {
        using enginetest::function;
        install.write(
            enginetest::kDat,
            function("All_Function_1", 1, "notepad.exe") +
                function("All_Function_2", 2, "calc.exe", "Engineering\\Missing.gif", false) +
                function("All_Function_3", 3, "paint.exe", "Engineering\\Broken.gif"));
        install.write("Engineering/Pump_800.gif", "GIF89a");
        install.write("Engineering/Broken_800.gif", "not a picture");
        program().ExistingMachines.clear(); // loading reads them
    }

    RecordingView view;
    ScriptedEditor editor;
    CountingUpdate update;
    MainWindowLogic logic{run(), view, &editor, update};
};

} // namespace

TEST_F(MainWindowLogicTest, LoadingShowsTheFunctionsAndReportsMissingPictures) {
    logic.Form_Load();
    EXPECT_EQ(view.pictures.size(), 2u);
    EXPECT_EQ(view.pictures[1], install.path("Engineering") + "\\Pump_800.gif");
    EXPECT_FALSE(view.enabled[48]) << "a button without a function cannot be pressed";
    EXPECT_TRUE(view.okCancelEnabled);
    ASSERT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_EQ(install.boxes.asked[0].text, "Engineering\\Missing_800.gif not found");
    EXPECT_EQ(install.boxes.asked[1].text,
              "Engineering\\Broken_800.gif cannot be shown: the picture is damaged");
    EXPECT_EQ(program().ExistingMachines, std::vector<std::string>{"M1"});
}

TEST_F(MainWindowLogicTest, HelpModeShowsHelpTextsInsteadOfActing) {
    logic.Form_Load();
    install.boxes.asked.clear();
    program().HelpTexts[0] = "OK help";
    program().HelpTexts[9] = "Button<crlf>help";
    logic.CommandQuest_Click();
    EXPECT_TRUE(view.helpGreen);
    logic.CommandEdit_Click(); // shows help 11, does not switch
    EXPECT_FALSE(logic.editMode());
    logic.Pic_Click(1);
    logic.CommandOK_Click();
    EXPECT_TRUE(view.busyChanges.empty()) << "OK in help mode must not close";
    ASSERT_EQ(install.boxes.asked.size(), 3u);
    EXPECT_EQ(install.boxes.asked[1].text, "Button\r\nhelp");
    EXPECT_EQ(install.boxes.asked[2].text, "OK help");
    EXPECT_TRUE(editor.seen.empty());
    logic.CommandQuest_Click();
    EXPECT_FALSE(view.helpGreen);
    EXPECT_FALSE(program().HelpMode);
}

// The editor may return any record; the button keeps its identity.
TEST_F(MainWindowLogicTest, EditModeMakesEveryButtonPressableAndStoresAnAcceptedEdit) {
    logic.Form_Load();
    logic.Pic_Click(1);
    EXPECT_TRUE(editor.seen.empty()) << "outside edit mode a click does nothing";
    logic.CommandEdit_Click();
    EXPECT_TRUE(view.editGreen);
    EXPECT_TRUE(view.enabled[2] && view.enabled[48]);
    EngineeringFunction edited = logic.lists().button(17);
    edited.PExeFunction = "C:\\Tools\\new.exe";
    edited.PSpecialKey = 3;
    edited.PWhereICome = "ignored";
    editor.result = edited;
    logic.Pic_Click(17);
    EXPECT_EQ(logic.lists().button(17).PExeFunction, "C:\\Tools\\new.exe");
    EXPECT_EQ(logic.lists().button(17).PSpecialKey, 17);
    EXPECT_EQ(logic.lists().button(17).PWhereICome, "EngineeringPicture");
    editor.result.reset();
    logic.Pic_Click(17);
    EXPECT_EQ(logic.lists().button(17).PExeFunction, "C:\\Tools\\new.exe")
        << "a discarded edit changes nothing";
    logic.CommandEdit_Click();
    EXPECT_FALSE(view.editGreen || view.enabled[2]);
}

TEST_F(MainWindowLogicTest, OkUpdatesTheDatabasesWritesTheFilesAndEnds) {
    logic.Form_Load();
    EXPECT_EQ(testsupport::endStatus([&] { logic.CommandOK_Click(); }), framework::ExitOk);
    EXPECT_EQ(update.runs, 1);
    EXPECT_FALSE(view.okCancelEnabled);
    EXPECT_EQ(view.eventRounds, 1);
    EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_NE(install.read("Engineering/Engineering.int").find("ExeFunction=notepad.exe"),
              std::string::npos);
}

TEST_F(MainWindowLogicTest, CancelAsksFirstAndWritesNothing) {
    logic.Form_Load();
    install.boxes.asked.clear();
    install.boxes.answer(false);
    logic.CommandCancel_Click();
    EXPECT_EQ(install.boxes.asked.size(), 1u);
    install.boxes.answer(true);
    EXPECT_THROW(logic.CommandCancel_Click(), ProgramEnded);
    EXPECT_FALSE(install.exists("Engineering/Engineering.int"));
    EXPECT_EQ(update.runs, 0);
}

// An integrated run's stored file and configuration list: each, when it
// exists but cannot be read, ends the loading with status 1 and a box before
// anything is written. The silent run's inputs are damaged on the whole
// program (DamagedInstallation).
TEST(StartUp, AnIntegratedInputThatCannotBeReadEndsTheRunBeforeAnythingIsWritten) {
    for (const std::string_view file :
         {"SR/Engineering/Engineering.int", "parameter/q4mconfiguration.ini"}) {
        SCOPED_TRACE(file);
        testsupport::TestInstallation install;
        install.write(enginetest::kCfg, "[Project]\r\nValidMachines=ALL\r\n");
        install.write(enginetest::kDat, enginetest::function("All_Function_1", 1, "a.exe"));
        install.write("parameter/q4mconfiguration.ini",
                      "[Common]\r\nSaveAndRestore=" + install.path("SR") + "\r\nNameM1=M1\r\n");
        std::filesystem::remove(install.path(file));
        std::filesystem::create_directories(install.path(file)); // a folder in its place
        testsupport::TestRun run(install, "/EXTERNAL Q4MCFG");
        const auto before = testsupport::snapshotOf(install.root());
        CountingUpdate update;

        EXPECT_EQ(testsupport::endStatus([&] {
                      run.load();
                      run.commit(update);
                  }),
                  framework::ExitEndedByFailure);
        EXPECT_EQ(update.runs, 0);
        EXPECT_EQ(testsupport::snapshotOf(install.root()), before);
        ASSERT_EQ(install.boxes.asked.size(), 1u);
        EXPECT_EQ(install.boxes.asked[0].title, "Fatal error");
        EXPECT_NE(install.boxes.asked[0].text.find("Cannot read " + install.path(file)),
                  std::string::npos);
    }
}

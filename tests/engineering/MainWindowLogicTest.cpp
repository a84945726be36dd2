// The main window's behaviour without a window: loading, help mode, edit mode,
// accepted and discarded edits, the closing sequence and the cancel question.

#include "engineering/MainWindowLogic.h"
#include "framework/ErrorProtocol.h"
#include "framework/ProgramState.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>
#include <map>

using namespace engineering;
using framework::ProgramEnded;
using framework::programState;
using testsupport::TestInstallation;

namespace {

class RecordingView final : public MainWindowView {
public:
    void setCaption(const std::string& text) override { caption = text; }
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

    std::string caption;
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

class CountingUpdate final : public PresetUpdate {
public:
    void run() override { ++runs; }
    int runs = 0;
};

const char* kCatalogue = "[All_Function_1]\r\nWhereICome=Catalogue\r\nEnabled=true\r\n"
                         "ExeFunction=notepad.exe\r\nSymbolName=Engineering\\Pump.gif\r\n"
                         "SpecialKey=1\r\n"
                         "[All_Function_2]\r\nWhereICome=Catalogue\r\nEnabled=false\r\n"
                         "ExeFunction=calc.exe\r\nSymbolName=Engineering\\Missing.gif\r\n"
                         "SpecialKey=2\r\n";

class MainWindowLogicTest : public ::testing::Test {
protected:
    MainWindowLogicTest() {
        inst.write("Engineering/Engineering.cfg", "[Project]\r\nValidMachines=ALL\r\n");
        inst.write("Engineering/Engineering.dat", kCatalogue);
        inst.write("Engineering/Pump_800.gif", "GIF89a");
        inst.write("parameter/program.ini",
                   "[Project]\r\nNumberOfMachines=1\r\n[Machine1]\r\nMachineName=M1\r\n");
    }

    TestInstallation inst;
    RecordingView view;
    ScriptedEditor editor;
    CountingUpdate update;
    MainWindowLogic logic{&view, &editor, &update};
};

} // namespace

TEST_F(MainWindowLogicTest, LoadingShowsTheFunctionsAndReportsMissingPictures) {
    logic.Form_Load();
    EXPECT_EQ(view.caption, "Erweiterte Konfiguration Engineering - standalone");
    EXPECT_EQ(view.pictures.size(), 1u);
    EXPECT_EQ(view.pictures[1], inst.path("Engineering") + "\\Pump_800.gif");
    EXPECT_TRUE(view.enabled[1]);
    EXPECT_FALSE(view.enabled[2]) << "a disabled function cannot be pressed";
    EXPECT_FALSE(view.enabled[48]);
    EXPECT_TRUE(view.okCancelEnabled);
    ASSERT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.boxes.asked[0].text, "Engineering\\Missing_800.gif not found");
    EXPECT_EQ(programState().ExistingMachines, std::vector<std::string>{"M1"});
}

TEST_F(MainWindowLogicTest, IntegratedCaption) {
    inst.setCommandLine("/EXTERNAL Q4MCFG");
    logic.Form_Load();
    EXPECT_EQ(view.caption, "Erweiterte Konfiguration Engineering - integriert");
}

TEST_F(MainWindowLogicTest, HelpModeShowsHelpTextsInsteadOfActing) {
    logic.Form_Load();
    inst.boxes.asked.clear();
    programState().HelpTexts[0] = "OK help";
    programState().HelpTexts[9] = "Button help";
    logic.CommandQuest_Click();
    EXPECT_TRUE(view.helpGreen);
    logic.CommandEdit_Click(); // shows help 11, does not switch
    EXPECT_FALSE(logic.editMode());
    logic.Pic_Click(1);
    logic.CommandOK_Click();
    EXPECT_TRUE(view.busyChanges.empty()) << "OK in help mode must not close";
    ASSERT_EQ(inst.boxes.asked.size(), 3u);
    EXPECT_EQ(inst.boxes.asked[1].text, "Button help");
    EXPECT_EQ(inst.boxes.asked[2].text, "OK help");
    EXPECT_TRUE(editor.seen.empty());
    logic.CommandQuest_Click();
    EXPECT_FALSE(view.helpGreen);
    EXPECT_FALSE(programState().HelpMode);
}

TEST_F(MainWindowLogicTest, EditModeMakesEveryButtonPressable) {
    logic.Form_Load();
    logic.Pic_Click(1);
    EXPECT_TRUE(editor.seen.empty()) << "outside edit mode a click does nothing";
    logic.CommandEdit_Click();
    EXPECT_TRUE(view.editGreen);
    EXPECT_TRUE(view.enabled[2]);
    EXPECT_TRUE(view.enabled[48]);
    logic.CommandEdit_Click();
    EXPECT_FALSE(view.editGreen);
    EXPECT_FALSE(view.enabled[2]);
}

TEST_F(MainWindowLogicTest, AnAcceptedEditIsStoredWithTheButtonsIdentity) {
    logic.Form_Load();
    logic.CommandEdit_Click();
    EngineeringFunction edited = logic.lists().button(17);
    edited.PExeFunction = "C:\\Tools\\new.exe";
    edited.PEnabled = true;
    edited.PSpecialKey = 3;
    edited.PDescription = "ignored";
    edited.PWhereICome = "ignored";
    editor.result = edited;
    logic.Pic_Click(17);
    const EngineeringFunction& stored = logic.lists().button(17);
    EXPECT_EQ(stored.PExeFunction, "C:\\Tools\\new.exe");
    EXPECT_EQ(stored.PSpecialKey, 17);
    EXPECT_EQ(stored.PWhereICome, "EngineeringPicture");
    EXPECT_EQ(stored.PDescription, "Engineering.17");

    editor.result.reset();
    logic.Pic_Click(17);
    EXPECT_EQ(logic.lists().button(17).PExeFunction, "C:\\Tools\\new.exe")
        << "a discarded edit changes nothing";
}

TEST_F(MainWindowLogicTest, OkUpdatesTheDatabasesWritesTheFilesAndEnds) {
    logic.Form_Load();
    try {
        logic.CommandOK_Click();
        FAIL() << "the program should have ended";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, framework::ExitOk);
    }
    EXPECT_EQ(update.runs, 1);
    EXPECT_FALSE(view.okCancelEnabled);
    EXPECT_EQ(view.eventRounds, 1);
    EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_NE(inst.read("Engineering/Engineering.int").find("ExeFunction=notepad.exe"),
              std::string::npos);
    EXPECT_NE(inst.read("Engineering/Engineering.cfg").find("[Function1]"), std::string::npos);
}

TEST_F(MainWindowLogicTest, CancelAsksFirstAndWritesNothing) {
    logic.Form_Load();
    inst.boxes.asked.clear();
    inst.boxes.answer(false);
    logic.CommandCancel_Click();
    EXPECT_EQ(inst.boxes.asked.size(), 1u);
    EXPECT_EQ(inst.boxes.asked[0].title, "Cancel?");
    inst.boxes.answer(false);
    EXPECT_FALSE(logic.Form_QueryUnload());
    inst.boxes.answer(true);
    EXPECT_THROW(logic.CommandCancel_Click(), ProgramEnded);
    EXPECT_FALSE(inst.exists("Engineering/Engineering.int"));
    EXPECT_EQ(update.runs, 0);
}

TEST(SilentRun, WritesTheFilesWithoutAViewAndEnds) {
    TestInstallation inst;
    inst.write("Engineering/Engineering.cfg", "[Project]\r\n");
    inst.write("Engineering/Engineering.dat", kCatalogue);
    inst.setCommandLine("/EXTERNAL SILENT");
    MainWindowLogic logic(nullptr, nullptr, nullptr);
    EXPECT_THROW(logic.Form_Load(), ProgramEnded);
    EXPECT_TRUE(inst.boxes.asked.empty());
    EXPECT_NE(inst.read("HalvarServicePack.log").find("Missing_800.gif not found"),
              std::string::npos);
    EXPECT_NE(inst.read("Engineering/Engineering.cfg").find("ExeFunction=notepad.exe"),
              std::string::npos);
}

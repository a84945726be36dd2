// The function files as a run reads and writes them: the merge of the
// catalogue's families and the stored file, the symbol list, and the stored
// file holding every button with a program, the .cfg every enabled one.

#include "FunctionFilesFixture.h"
#include "InstallationSnapshot.h"

#include "engineering/EditInfo.h"
#include "engineering/SymbolList.h"
#include "ini/IniDocument.h"

#include <filesystem>

namespace enginetest {
namespace {

using engineering::EngineeringFunction;
using engineering::FunctionLists;
using ini::IniDocument;

TEST_F(FunctionFilesTest, MergeKeepsStandardThenMachineThenStoredAndGapsEndAFamily) {
    install.write(kDat, function("All_Function_1", 1, "std1.exe", "PUMP.GIF") +
                            function("All_Function_2", 2, "std2.exe") +
                            function("All_Function_3", 2, "std2-again.exe") +
                            function("All_Function_5", 5, "after-gap.exe") +
                            function("M1_Function_1", 1, "machine1.exe") +
                            function("M1_Function_2", 4, "machine4.exe") +
                            function("M1_Function_4", 6, "after-gap.exe"));
    install.write(kInt, function("Function1", 2, "stored2.exe", "Engineering\\Valve.gif", false,
                                 "EngineeringPicture") +
                            function("Function2", 9, "stored9.exe", "Engineering\\Valve.bmp") +
                            function("Function4", 7, "after-gap.exe"));
    const FunctionLists lists = read();
    EXPECT_EQ(lists.StandardCount, 3);
    EXPECT_EQ(lists.MachineCount, 2);
    EXPECT_EQ(lists.StoredCount, 2);

    EXPECT_EQ(lists.button(1).PExeFunction, "std1.exe") << "a machine record replaces nothing";
    EXPECT_TRUE(lists.button(1).PStandard);
    // The stored record replaces every entry with its key, with all its fields.
    EXPECT_EQ(lists.button(2).PExeFunction, "stored2.exe");
    EXPECT_EQ(lists.button(2).PWhereICome, "EngineeringPicture");
    EXPECT_FALSE(lists.button(2).PEnabled);
    EXPECT_EQ(lists.button(2).PSymbolName, "Engineering\\Valve_800.gif");
    // A machine record fills a free key.
    EXPECT_EQ(lists.button(4).PExeFunction, "machine4.exe");
    EXPECT_FALSE(lists.button(4).PStandard);
    EXPECT_EQ(lists.button(9).PExeFunction, "stored9.exe");
    // Only GIF names take the form of the 800 pictures.
    EXPECT_EQ(lists.button(1).PSymbolName, "PUMP_800.gif");
    EXPECT_EQ(lists.button(9).PSymbolName, "Engineering\\Valve.bmp");
    for (const int afterGap : {5, 6, 7})
        EXPECT_EQ(lists.button(afterGap), EngineeringFunction{}) << "button " << afterGap;
}

// Missing numbers read as -1; those below zero and unknown end modes are mended.
TEST_F(FunctionFilesTest, MissingAndOutOfRangeValuesAreMended) {
    install.write(kDat, "[All_Function_1]\r\nWhereICome=x\r\nSpecialKey=1\r\n"
                        "[All_Function_2]\r\nWhereICome=x\r\nSpecialKey=2\r\nEndMode=2\r\n"
                        "PosMode=-4\r\n[All_Function_3]\r\nWhereICome=x\r\nSpecialKey=3\r\n"
                        "EndMode=5\r\n");
    const FunctionLists lists = read();
    const auto& bare = lists.button(1);
    EXPECT_EQ((std::array{bare.PPosMode, bare.PPosLeft, bare.PPosHeight, bare.PWaitBeforeLogin,
                          bare.PEndTime, bare.PEndMode}),
              (std::array<std::int16_t, 6>{3, -1, -1, 0, 3, 18}));
    EXPECT_EQ(lists.button(2).PEndMode, 2);
    EXPECT_EQ(lists.button(2).PPosMode, 3);
    EXPECT_EQ(lists.button(3).PEndMode, 18);
}

// An integrated run's stored file and configuration list: each, when it
// exists but cannot be read, ends the loading with status 1 and a box before
// anything is written. The silent run's inputs are damaged on the whole
// program (DamagedInstallation).
TEST_F(FunctionFilesTest, IntegratedRunReadsTheSaveAndRestoreFolderOrEndsWhereItCannot) {
    install.write(kDat, function("All_Function_1", 1, "catalogue.exe"));
    install.write(kInt, function("Function1", 1, "local.exe"));
    install.write("parameter/q4mconfiguration.ini",
                  "[Common]\r\nSaveAndRestore=" + install.path("SR") + "\\\r\nNameM1=M1\r\n");
    startRun("/EXTERNAL Q4MCFG");
    EXPECT_EQ(read().button(1).PExeFunction, "catalogue.exe");
    install.write("SR/Engineering/Engineering.int", function("Function1", 1, "saved.exe"));
    EXPECT_EQ(read().button(1).PExeFunction, "saved.exe");

    for (const std::string_view file :
         {"SR/Engineering/Engineering.int", "parameter/q4mconfiguration.ini"}) {
        SCOPED_TRACE(file);
        std::filesystem::remove(install.path(file));
        std::filesystem::create_directories(install.path(file)); // a folder in its place
        install.boxes.asked.clear();
        const auto before = testsupport::snapshotOf(install.root());
        EXPECT_EQ(testsupport::endStatus([&] { run().load(); }), run::ExitEndedByFailure);
        EXPECT_EQ(testsupport::snapshotOf(install.root()), before);
        ASSERT_EQ(install.boxes.asked.size(), 1u);
        EXPECT_EQ(install.boxes.asked[0].title, "Fatal error");
        EXPECT_NE(install.boxes.asked[0].text.find("Cannot read " + install.path(file)),
                  std::string::npos);
    }
}

TEST_F(FunctionFilesTest, BadRecordsAreReportedAndTheRestIsPlaced) {
    silent();
    program().ExistingMachines.clear();
    std::string catalogue;
    for (int n = 1; n <= 101; ++n)
        catalogue += function("All_Function_" + std::to_string(n), n == 1 ? 60 : 2, "x.exe");
    install.write(kDat, catalogue);
    install.write(kInt, function("Function1", 2, "stored.exe"));

    const FunctionLists lists = read();
    EXPECT_EQ(lists.StandardCount, 100);
    EXPECT_EQ(lists.MachineCount, 0);
    EXPECT_EQ(lists.button(2).PExeFunction, "stored.exe");

    // 101 sections, no machine 1, key 60 at placement: each reported once.
    EXPECT_EQ(testsupport::linesOf(install.errorLog()).size(), 3u) << install.errorLog();
}

TEST_F(FunctionFilesTest, SymbolListKeepsTheFirstHundred800PicturesInNameOrder) {
    silent();
    for (const char* name : {"Pump.gif", "alarm_800.GIF", ".hidden_800.gif", "Oil_800.gif.bak"})
        install.write(std::string("Engineering/") + name, "GIF89a");
    std::filesystem::create_directories(install.componentFolder() / "Folder_800.gif");
    for (int n = 104; n >= 0; --n) // S000 to S104, written out of order
        install.write("Engineering/S" + std::to_string(1000 + n).substr(1) + "_800.gif", "GIF89a");
    read();
    ASSERT_EQ(run().symbols.SymbolCount, 100);
    EXPECT_EQ(run().symbols.entry(1), "Engineering\\alarm_800.GIF");
    EXPECT_EQ(run().symbols.entry(2), "Engineering\\S000_800.gif");
    EXPECT_EQ(run().symbols.entry(100), "Engineering\\S098_800.gif");
    // The overflow is reported once; a short name such as Pump.gif is no failure.
    EXPECT_EQ(testsupport::linesOf(install.errorLog()).size(), 1u) << install.errorLog();
}

class WriteInputsTest : public FunctionFilesTest {
protected:
    std::string value(std::string_view file, std::string_view section, std::string_view key) {
        return IniDocument::parse(install.read(file)).value(section, key).value_or("<missing>");
    }
};

// Every field set to a value of its own, so that a field written under
// another's key, or read back into another's member, shows.
TEST_F(WriteInputsTest, EveryFieldIsWrittenUnderItsKeyAndReadBackIntoItsMember) {
    FunctionLists lists;
    lists.button(5) = dialogtest::sampleFunction();
    engineering::WriteInputs(program(), run().files, lists);

    const std::string fields =
        "ExeFunction=C:\\Tools\\run.bat\r\nSymbolName=Engineering\\S2.gif\r\nSpecialKey=5\r\n"
        "Description=Engineering.5\r\nPosMode=3\r\nPosLeft=-5\r\nPosTop=10\r\nPosWidth=640\r\n"
        "PosHeight=480\r\nRemoteDeskTop=true\r\nWaitBeforeLogin=1500\r\n"
        "LoginKey= user{TAB}pw{ENTER} \r\nWindowName=*Notepad*\r\n"
        "WindowName2=\xDC"
        "bersicht - Fenster\r\nEndTime=30\r\nEndMode=16\r\nEndWhenExitWindow=true\r\n";
    EXPECT_EQ(install.read(kInt),
              "[Function1]\r\nEnabled=true\r\nWhereICome=EngineeringPicture\r\n" + fields);
    EXPECT_TRUE(install.read(kCfg).ends_with(
        "\r\n\r\n[Function1]\r\nWhereICome=EngineeringPicture\r\n" + fields));
    EngineeringFunction expected = dialogtest::sampleFunction();
    expected.PWhereICome = "EngineeringPicture";
    expected.PLoginKey = "user{TAB}pw{ENTER}"; // a value read is trimmed
    EXPECT_EQ(read().button(5), expected);
}

TEST_F(WriteInputsTest, StoredFileHoldsEveryProgramTheCfgEveryEnabledButtonAfterSpecialKeys) {
    install.write(kCfg, "[Project]\r\nValidMachines=ALL\r\n\r\n"
                        "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n\r\n"
                        "[Info]\r\nS_Prog=0.0.0 - Standalone\r\nS_Editor=\r\n");
    FunctionLists lists;
    for (int key = 1; key <= 9; ++key)
        lists.button(key) = edited(key, "tool" + std::to_string(key) + ".exe", key != 7);
    engineering::WriteInputs(program(), run().files, lists);

    EXPECT_EQ(value(kInt, "Function7", "Enabled"), "false");
    const IniDocument cfg = IniDocument::parse(install.read(kCfg));
    EXPECT_EQ(cfg.value("Function1", "SpecialKey"), "52");
    EXPECT_EQ(cfg.value("Function7", "SpecialKey"), "6");
    EXPECT_EQ(cfg.value("Function8", "SpecialKey"), "8");
    EXPECT_FALSE(cfg.hasSection("Function10"));
    EXPECT_EQ(cfg.value("Info", "S_Prog"), engineering::programStamp(false)) << "renewed in place";

    EXPECT_EQ(read().StoredCount, 9);
    EXPECT_FALSE(read().button(7).PEnabled);
}

// The sections read at start and the one after the last written lose their
// WhereICome (their other keys stay), so the next read stops there. In an
// integrated run fewer sections may have been read than the local file holds.
TEST_F(WriteInputsTest, RetiredSectionsEndTheStoredFamily) {
    using Case = std::pair<int, std::string_view>; // sections read at start, Function5 after
    for (const auto& [readAtStart, function5] : {Case{5, ""}, Case{2, "EngineeringPicture"}}) {
        SCOPED_TRACE(readAtStart);
        std::string local;
        for (int n = 1; n <= 5; ++n)
            local += function("Function" + std::to_string(n), 40 + n, "old.exe",
                              "Engineering\\Oil.gif", true, "EngineeringPicture");
        install.write(kInt, local);
        FunctionLists lists;
        lists.StoredCount = std::int16_t(readAtStart);
        for (const int key : {1, 2, 3})
            lists.button(key) = edited(key, "x.exe");
        lists.button(4) = edited(4, ""); // no program: not stored

        engineering::WriteInputs(program(), run().files, lists);

        EXPECT_EQ(value(kInt, "Function4", "WhereICome"), "");
        EXPECT_EQ(value(kInt, "Function4", "SpecialKey"), "44");
        EXPECT_EQ(value(kInt, "Function5", "WhereICome"), function5);
        EXPECT_EQ(read().StoredCount, 3);
    }
}

TEST_F(WriteInputsTest, MissingSymbolNameIsToldOrLoggedAndItsStaleKeyRemoved) {
    install.write(kInt, function("Function1", 4, "a.exe", "Engineering\\Fan.gif", true,
                                 "EngineeringPicture"));
    FunctionLists lists = read();
    lists.button(4).PSymbolName.clear();

    engineering::WriteInputs(program(), run().files, lists);

    EXPECT_EQ(value(kInt, "Function1", "SymbolName"), "<missing>");
    EXPECT_EQ(value(kInt, "Function1", "ExeFunction"), "a.exe");
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text, "Key 4 no symbol name");
}

} // namespace
} // namespace enginetest

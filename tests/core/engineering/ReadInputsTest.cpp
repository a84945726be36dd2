#include "FunctionFilesFixture.h"

#include "InstallationSnapshot.h"

#include "engineering/SymbolList.h"

#include <filesystem>

namespace enginetest {
namespace {

using engineering::EngineeringFunction;
using engineering::FunctionLists;

TEST_F(FunctionFilesTest, MergeKeepsStandardThenMachineThenStoredAndGapsEndAFamily) {
    install.write(kDat, function("All_Function_1", 1, "std1.exe") +
                            function("All_Function_2", 2, "std2.exe") +
                            function("All_Function_3", 2, "std2-again.exe") +
                            function("All_Function_5", 5, "after-gap.exe") +
                            function("M1_Function_1", 1, "machine1.exe") +
                            function("M1_Function_2", 4, "machine4.exe") +
                            function("M1_Function_4", 6, "after-gap.exe"));
    install.write(kInt, function("Function1", 2, "stored2.exe", "Engineering\\Valve.gif", false,
                                 "EngineeringPicture") +
                            function("Function2", 9, "stored9.exe") +
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
    for (const int afterGap : {5, 6, 7})
        EXPECT_EQ(lists.button(afterGap), EngineeringFunction{}) << "button " << afterGap;
}

// Missing numbers read as -1; those below zero and unknown end modes are mended.
TEST_F(FunctionFilesTest, MissingAndOutOfRangeValuesAreMended) {
    install.write(kDat, section("All_Function_1", {{"WhereICome", "x"}, {"SpecialKey", "1"}}) +
                            section("All_Function_2", {{"WhereICome", "x"},
                                                       {"SpecialKey", "2"},
                                                       {"EndMode", "2"},
                                                       {"PosMode", "-4"}}) +
                            section("All_Function_3",
                                    {{"WhereICome", "x"}, {"SpecialKey", "3"}, {"EndMode", "5"}}));
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
        EXPECT_EQ(testsupport::endStatus([&] { run().load(); }), framework::ExitEndedByFailure);
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
    const std::string log = install.errorLog();
    std::size_t reports = 0;
    for (auto at = log.find("/ SetupUserInterFace (Nr. 9)"); at != std::string::npos;
         at = log.find("/ SetupUserInterFace (Nr. 9)", at + 1))
        ++reports;
    EXPECT_EQ(reports, 3u) << log;
}

TEST_F(FunctionFilesTest, SymbolListKeepsTheFirstHundred800PicturesInNameOrder) {
    silent();
    for (const char* name : {"Zeta_800.gif", "Pump.gif", "Pump_800.gif", "Fan.gif", "alarm_800.GIF",
                             ".hidden_800.gif", "notes.txt", "Oil_800.gif.bak"})
        install.write(std::string("Engineering/") + name, "GIF89a");
    std::filesystem::create_directories(install.componentFolder() / "Folder_800.gif");
    for (int n = 104; n >= 0; --n) // S000 to S104, written out of order
        install.write("Engineering/S" + std::to_string(1000 + n).substr(1) + "_800.gif", "GIF89a");

    read();
    const auto& symbols = run().symbols;
    ASSERT_EQ(symbols.SymbolCount, 100);
    EXPECT_EQ(symbols.entry(1), "Engineering\\alarm_800.GIF");
    EXPECT_EQ(symbols.entry(2), "Engineering\\Pump_800.gif");
    EXPECT_EQ(symbols.entry(3), "Engineering\\S000_800.gif");
    EXPECT_EQ(symbols.entry(100), "Engineering\\S097_800.gif");
    EXPECT_EQ(symbols.entry(101), "");
    // The overflow is reported once; a short name such as Fan.gif is no failure.
    const std::string log = install.errorLog();
    EXPECT_NE(log.find("SetupUserInterFace"), std::string::npos);
    EXPECT_EQ(log.find("SetupUserInterFace"), log.rfind("SetupUserInterFace")) << log;
}

} // namespace
} // namespace enginetest

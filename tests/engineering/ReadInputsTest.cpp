#include "FunctionFilesFixture.h"

#include "engineering/FunctionSection.h"
#include "engineering/SymbolList.h"

namespace enginetest {
namespace {

using engineering::FunctionLists;

TEST_F(FunctionFilesTest, CatalogueFamilyEndsAtTheFirstGap) {
    install.write(
        kDat, function("All_Function_1", 1, "a.exe") + function("All_Function_2", 2, "b.exe") +
                  function("All_Function_3", 3, "c.exe") + function("All_Function_5", 5, "e.exe"));
    const FunctionLists lists = read();
    EXPECT_EQ(lists.StandardCount, 3);
    EXPECT_EQ(lists.button(3).PExeFunction, "c.exe");
    EXPECT_TRUE(lists.button(5).PExeFunction.empty());
    EXPECT_EQ(lists.button(5), engineering::EngineeringFunction{});
}

TEST_F(FunctionFilesTest, MergeKeepsStandardThenMachineThenStoredPrecedence) {
    install.write(kDat, function("All_Function_1", 1, "std1.exe") +
                            function("All_Function_2", 2, "std2.exe") +
                            function("M1_Function_1", 2, "machine2.exe") +
                            function("M1_Function_2", 4, "machine4.exe"));
    install.write(kInt, function("Function1", 2, "stored2.exe", "Engineering\\Valve.gif", "false",
                                 "EngineeringPicture") +
                            function("Function2", 9, "stored9.exe"));
    const FunctionLists lists = read();
    EXPECT_EQ(lists.StandardCount, 2);
    EXPECT_EQ(lists.MachineCount, 2);
    EXPECT_EQ(lists.StoredCount, 2);

    EXPECT_EQ(lists.button(1).PExeFunction, "std1.exe");
    EXPECT_TRUE(lists.button(1).PStandard);
    // The stored record replaces the standard one with all its fields.
    EXPECT_EQ(lists.button(2).PExeFunction, "stored2.exe");
    EXPECT_EQ(lists.button(2).PWhereICome, "EngineeringPicture");
    EXPECT_FALSE(lists.button(2).PEnabled);
    EXPECT_EQ(lists.button(2).PSymbolName, "Engineering\\Valve_800.gif");
    // A machine record never replaces an entry, but fills a free key.
    EXPECT_EQ(lists.button(4).PExeFunction, "machine4.exe");
    EXPECT_FALSE(lists.button(4).PStandard);
    EXPECT_EQ(lists.button(9).PExeFunction, "stored9.exe");
}

TEST_F(FunctionFilesTest, MissingAndOutOfRangeValuesAreMended) {
    install.write(kDat, section("All_Function_1", {{"WhereICome", "x"}, {"SpecialKey", "1"}}) +
                            section("All_Function_2", {{"WhereICome", "x"},
                                                       {"SpecialKey", "2"},
                                                       {"Enabled", "True"},
                                                       {"RemoteDeskTop", "1"},
                                                       {"EndMode", "2"},
                                                       {"PosMode", "-4"},
                                                       {"EndTime", "-1"}}) +
                            section("All_Function_3",
                                    {{"WhereICome", "x"}, {"SpecialKey", "3"}, {"EndMode", "5"}}));
    const FunctionLists lists = read();
    const auto& bare = lists.button(1);
    EXPECT_EQ(bare.PPosMode, 3);
    EXPECT_EQ(bare.PPosLeft, -1);
    EXPECT_EQ(bare.PPosHeight, -1);
    EXPECT_EQ(bare.PWaitBeforeLogin, 0);
    EXPECT_EQ(bare.PEndTime, 3);
    EXPECT_EQ(bare.PEndMode, 18);
    EXPECT_FALSE(bare.PEnabled);
    EXPECT_TRUE(lists.button(2).PEnabled);
    EXPECT_FALSE(lists.button(2).PRemoteDeskTop);
    EXPECT_EQ(lists.button(2).PEndMode, 2);
    EXPECT_EQ(lists.button(2).PPosMode, 3);
    EXPECT_EQ(lists.button(2).PEndTime, 3);
    EXPECT_EQ(lists.button(3).PEndMode, 18);
}

TEST_F(FunctionFilesTest, SymbolNamesTakeTheir800PixelFormOnlyForGifPictures) {
    install.write(kDat, function("All_Function_1", 1, "a.exe", "PUMP.GIF") +
                            function("All_Function_2", 2, "b.exe", "Engineering\\Valve.bmp") +
                            function("All_Function_3", 3, "c.exe", "Engineering\\x.gif.bak"));
    const FunctionLists lists = read();
    EXPECT_EQ(lists.button(1).PSymbolName, "PUMP_800.gif");
    EXPECT_EQ(lists.button(2).PSymbolName, "Engineering\\Valve.bmp");
    EXPECT_EQ(lists.button(3).PSymbolName, "Engineering\\x.gif.bak");
}

TEST_F(FunctionFilesTest, IntegratedRunReadsTheStoredFileOfTheSaveAndRestoreFolder) {
    install.write(kDat, function("All_Function_1", 1, "catalogue.exe"));
    install.write(kInt, function("Function1", 1, "local.exe"));
    install.write("parameter/q4mconfiguration.ini",
                  "[Common]\r\nSaveAndRestore=" + install.path("SR") + "\\\r\nNameM1=M1\r\n");
    framework::programState().StartModeIntegrated = true;

    EXPECT_EQ(read().button(1).PExeFunction, "catalogue.exe");

    install.write("SR/Engineering/Engineering.int", function("Function1", 1, "saved.exe"));
    const FunctionLists lists = read();
    EXPECT_EQ(lists.button(1).PExeFunction, "saved.exe");
    EXPECT_EQ(lists.StoredCount, 1);
}

TEST_F(FunctionFilesTest, BadRecordsAreReportedAndTheRestIsPlaced) {
    silent();
    framework::programState().ExistingMachines.clear();
    std::string catalogue;
    for (int n = 1; n <= 101; ++n)
        catalogue += function("All_Function_" + std::to_string(n), n == 1 ? 60 : 2, "x.exe");
    install.write(kDat, catalogue);
    install.write(kInt, function("Function1", 2, "stored.exe"));

    const FunctionLists lists = read();
    EXPECT_EQ(lists.StandardCount, 100);
    EXPECT_EQ(lists.MachineCount, 0);
    EXPECT_EQ(lists.button(2).PExeFunction, "stored.exe");

    const std::string log = errorLog();
    // 101 sections, no machine 1, key 60 at placement: each reported once.
    auto count = [&](std::string_view what) {
        std::size_t n = 0;
        for (auto pos = log.find(what); pos != std::string::npos; pos = log.find(what, pos + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("/ SetupUserInterFace (Nr. 9)"), 3u) << log;
}

TEST_F(FunctionFilesTest, MissingCfgEndsTheProgramBeforeReading) {
    std::filesystem::remove(install.path(kCfg));
    FunctionLists lists;
    EXPECT_THROW(engineering::ReadInputs(lists), framework::ProgramEnded);
}

TEST(ReplaceExtension, ReplacesOnlyTheLastComponentsExtension) {
    EXPECT_EQ(engineering::replaceExtension("C:\\A.b\\Engineering.cfg", ".int"),
              "C:\\A.b\\Engineering.int");
    EXPECT_EQ(engineering::replaceExtension("/a.b/Engineering", ".dat"), "/a.b/Engineering.dat");
}

} // namespace
} // namespace enginetest

#include "FunctionFilesFixture.h"

#include "engineering/SymbolList.h"

#include <cstdio>
#include <filesystem>

namespace enginetest {
namespace {

using engineering::programSymbols;

TEST_F(FunctionFilesTest, SymbolListHoldsThe800PicturesInNameOrder) {
    for (const char* name : {"Zeta_800.gif", "Pump.gif", "Pump_800.gif", "Fan.gif", "alarm_800.GIF",
                             ".hidden_800.gif", "notes.txt", "Oil_800.gif.bak"})
        install.write(std::string("Engineering/") + name, "GIF89a");
    std::filesystem::create_directories(install.componentFolder() / "Folder_800.gif");

    read();
    const auto& symbols = programSymbols();
    ASSERT_EQ(symbols.SymbolCount, 3);
    EXPECT_EQ(symbols.entry(1), "Engineering\\alarm_800.GIF");
    EXPECT_EQ(symbols.entry(2), "Engineering\\Pump_800.gif");
    EXPECT_EQ(symbols.entry(3), "Engineering\\Zeta_800.gif");
    EXPECT_EQ(symbols.entry(4), "");
    // A short name such as Fan.gif is no failure.
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

TEST_F(FunctionFilesTest, SymbolListKeepsTheFirstHundredAndReportsTheRestOnce) {
    silent();
    for (int n = 104; n >= 0; --n) {
        char name[32];
        std::snprintf(name, sizeof name, "Engineering/S%03d_800.gif", n);
        install.write(name, "GIF89a");
    }
    read();
    const auto& symbols = programSymbols();
    ASSERT_EQ(symbols.SymbolCount, 100);
    EXPECT_EQ(symbols.entry(1), "Engineering\\S000_800.gif");
    EXPECT_EQ(symbols.entry(100), "Engineering\\S099_800.gif");
    const std::string log = errorLog();
    EXPECT_EQ(log.find("SetupUserInterFace"), log.rfind("SetupUserInterFace")) << log;
    EXPECT_NE(log.find("SetupUserInterFace"), std::string::npos);
}

} // namespace
} // namespace enginetest

#include "FunctionFilesFixture.h"

#include "engineering/SymbolList.h"

#include <filesystem>

namespace enginetest {
namespace {

TEST_F(FunctionFilesTest, SymbolListKeepsTheFirstHundred800PicturesInNameOrder) {
    silent();
    for (const char* name : {"Zeta_800.gif", "Pump.gif", "Pump_800.gif", "Fan.gif", "alarm_800.GIF",
                             ".hidden_800.gif", "notes.txt", "Oil_800.gif.bak"})
        install.write(std::string("Engineering/") + name, "GIF89a");
    std::filesystem::create_directories(install.componentFolder() / "Folder_800.gif");
    for (int n = 104; n >= 0; --n) // S000 to S104, written out of order
        install.write("Engineering/S" + std::to_string(1000 + n).substr(1) + "_800.gif", "GIF89a");

    read();
    const auto& symbols = engineering::programSymbols();
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

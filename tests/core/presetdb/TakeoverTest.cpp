#include "PresetFixture.h"

#include "presetdb/MachineCopyTakeover.h"

#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <filesystem>

namespace {

using namespace presettest;

// The work database holds the rebuilt rows; the machine database the previous ones.
class TakeoverTest : public PresetFixture {
protected:
    TakeoverResult takeOver(const Rows& rebuiltRows, const Rows& machineRows,
                            const Columns& machineColumns = standardColumns()) {
        const std::string machinePath = install.path("Machine.mdb");
        std::filesystem::remove(sourcePath());
        std::filesystem::remove(machinePath);
        makePresetDatabase(sourcePath(), rebuiltRows);
        makePresetDatabase(machinePath, machineRows, machineColumns);
        Database work = Database::open(sourcePath());
        Database machine = Database::open(machinePath);
        Pacer pacer;
        return TakeoverMachineCopyMDBData(program(), settings, presets, work, machine, pacer);
    }
    Row mins() const { return column(sourcePath(), "SELECT min FROM PRESET_DEFS ORDER BY ID"); }
};

TEST_F(TakeoverTest, MachineValuesGoToTheFirstRowOfTheSameParameter) {
    settings.AdditionalFields = GetAdditionalFieldsMDB("");
    const auto rebuilt = [](int id, Value name, Value offset) {
        return Preset{.id = id, .machineType = "M1", .varName = name, .offset = offset}.row();
    };
    const auto machine = [](Value name, Value offset, double min) {
        return Preset{.machineType = "M1", .varName = name, .offset = offset, .min = min}.row();
    };
    // Letter case of the texts does not count, and the offset is a number.
    Preset same{.machineType = "m1", .varName = "m1.SPEED", .offset = 4.0};
    same.absMin = -5.0, same.absMax = 500.0, same.min = nullptr, same.max = 250.0, same.pass = 3;
    EXPECT_EQ(
        takeOver({rebuilt(1, "M1.Speed", 4), rebuilt(2, "M1.Speed", 5), rebuilt(3, "M1.Temp", 4),
                  rebuilt(5, "x\"y", 0), rebuilt(4, "X\"Y", 0), rebuilt(6, nullptr, 4)},
                 {same.row(), machine("M1.Gone", 4, 7.0), machine("M1.Temp", nullptr, 7.0),
                  machine("x\"y", 0, 1.0), machine("x\"y", 0, 2.0), machine(nullptr, 4, 9.0)}),
        TakeoverResult::Done);
    // Gone has no counterpart and a null key matches only a null key; of two
    // machine rows the later wins, and it goes to the first row in ID order.
    const Row unchanged = {0.0, 100.0, 0.0, 100.0, 1}, laterWins = {0.0, 100.0, 2.0, 100.0, 1};
    const Row taken = {-5.0, 500.0, nullptr, 250.0, 3}, nullName = {0.0, 100.0, 9.0, 100.0, 1};
    EXPECT_EQ(
        query(sourcePath(), "SELECT abs_min, abs_max, min, max, pass FROM PRESET_DEFS ORDER BY ID"),
        (Rows{taken, unchanged, unchanged, laterWins, unchanged, nullName}));
    EXPECT_EQ(presets.report.dropped.size(), 2u); // Gone and the null offset
}

TEST_F(TakeoverTest, LostColumnsAreLoggedInASilentRunAndOtherwiseAsked) {
    // No column is configured to take "extra" over.
    Columns columns = standardColumns();
    columns.push_back({"extra", "INTEGER"});
    Row machineRow = Preset{.machineType = "M1", .min = 9.0}.row();
    machineRow.reserve(machineRow.size() + 1); // keeps GCC 12 from a false uninitialised warning
    machineRow.emplace_back(1);
    const auto takeOverExtra = [&] {
        return takeOver({Preset{.machineType = "M1"}.row()}, {machineRow}, columns);
    };

    const auto warning = [](const std::string& lineBreak) {
        return "WARNING!" + lineBreak +
               "Machinecopy contains data in fields that won't be taken over!" + lineBreak +
               "Configurationfile \"ENGINEERING.CFG\", missing entry \"DataBaseAdditionalFields "
               "\"" +
               lineBreak + "If you continue now this data will be lost." + lineBreak + "Continue?";
    };
    runSilently();
    EXPECT_EQ(takeOverExtra(), TakeoverResult::Done);
    EXPECT_EQ(install.faultLog(), "! Fault Engineering_Config: " + warning("") + "\r\n");
    EXPECT_EQ(mins(), Row{9.0});

    runSilently(false);
    install.boxes.answer(true);
    EXPECT_EQ(takeOverExtra(), TakeoverResult::Done);
    EXPECT_EQ(mins(), Row{9.0});
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text, warning("\n\r"));
    EXPECT_EQ(install.boxes.asked[0].defaultButton, run::DefaultButton::No);

    // No ends the program with the stop text, in a box that only tells.
    install.boxes.answer(false);
    EXPECT_THROW(takeOverExtra(), run::ProgramEnded);
    EXPECT_EQ(mins(), Row{0.0});
    ASSERT_EQ(install.boxes.asked.size(), 3u);
    EXPECT_EQ(install.boxes.asked[2].title, "Fatal error");
    EXPECT_FALSE(install.boxes.asked[2].question);
    EXPECT_EQ(install.errorLog().substr(0, install.errorLog().find("\r\n")),
              "Engineering_Config :Database-Error - Contact Administrator! Configurationprogram "
              "\"ENGINEERING\" terminated. Please check Configuration in \"ENGINEERING.CFG\" "
              "Restart " +
                  platform::upperCase(install.path("Engineering/ENGINEERING_CONFIG.EXE")) + "!");
}

} // namespace

#include "PresetFixture.h"

#include "presetdb/MachineCopyTakeover.h"
#include "presetdb/PresetMessages.h"
#include "presetdb/PresetState.h"
#include "presetdb/Recordset.h"

#include "framework/ErrorProtocol.h"
#include "framework/Text.h"

namespace {

using namespace presettest;
using namespace presetdb;

// The work database holds the rebuilt rows; the machine database the previous ones.
class TakeoverTest : public PresetFixture {
protected:
    TakeoverTest() { writeCfg({}); }

    std::string machinePath() const { return install.path("Machine.mdb"); }

    void makeRebuilt(const std::vector<Row>& rows,
                     const std::vector<ColumnDefinition>& columns = standardColumns()) const {
        makePresetDatabase(sourcePath(), rows, columns);
    }
    TakeoverResult takeOver(const std::vector<Row>& machineRows,
                            const std::vector<ColumnDefinition>& columns = standardColumns()) {
        makePresetDatabase(machinePath(), machineRows, columns);
        Database work = Database::open(sourcePath());
        Database machine = Database::open(machinePath());
        Recordset rows = Recordset::openTable(machine, "PRESET_DEFS");
        return TakeoverMachineCopyMDBData(work, rows);
    }
    // abs_min, abs_max, min, max, pass of the rebuilt rows in ID order.
    std::vector<Row> values() const {
        return query(sourcePath(),
                     "SELECT abs_min, abs_max, min, max, pass FROM PRESET_DEFS ORDER BY ID");
    }
    static std::vector<ColumnDefinition> withColumn(std::string name) {
        auto columns = standardColumns();
        columns.push_back({std::move(name), "INTEGER"});
        return columns;
    }
    static Row withValue(Row row, Value value) {
        row.push_back(std::move(value));
        return row;
    }
};

const Row kTemplateValues = {Value(0.0), Value(100.0), Value(0.0), Value(100.0), Value(1)};

TEST_F(TakeoverTest, AdditionalFieldsArePartThenTheConfiguredNames) {
    GetAddFields();
    EXPECT_EQ(presetState().AdditionalFields, (std::vector<std::string>{"", "part"}));
    EXPECT_EQ(presetState().AdditionalFieldsSQL, ", PRESET_DEFS.part");
    EXPECT_EQ(presetState().AdditionalFieldsCount, 1);

    writeCfg({"DataBaseAdditionalFields=speed,width"});
    GetAddFields();
    EXPECT_EQ(presetState().AdditionalFields,
              (std::vector<std::string>{"", "part", "speed", "width"}));
    EXPECT_EQ(presetState().AdditionalFieldsSQL,
              ", PRESET_DEFS.part, PRESET_DEFS.speed, PRESET_DEFS.width");
    EXPECT_EQ(presetState().AdditionalFieldsCount, 3);

    writeCfg({"DataBaseAdditionalFields=a,,b ,"});
    EXPECT_EQ(GetAdditionalFieldsMDB(), (std::vector<std::string>{"", "part", "a", "", "b ", ""}));
}

TEST_F(TakeoverTest, MachineValuesReplaceTheTemplateValuesOfTheSameParameter) {
    makeRebuilt({Preset{.id = 1, .machineType = "M1", .varName = "M1.Speed", .offset = 4}.row(),
                 Preset{.id = 2, .machineType = "M1", .varName = "M1.Speed", .offset = 5}.row(),
                 Preset{.id = 3, .machineType = "M1", .varName = "M1.Temp", .offset = 4}.row()});
    GetAddFields();
    const auto result = takeOver(
        {// letter case of the texts does not count; the offset is a number
         Preset{.id = 9,
                .machineType = "m1",
                .varName = "m1.SPEED",
                .offset = 4.0,
                .absMin = -5.0,
                .absMax = 500.0,
                .min = Value(),
                .max = 250.0,
                .pass = 3}
             .row(),
         // no counterpart: dropped
         Preset{.id = 10, .machineType = "M1", .varName = "M1.Gone", .offset = 4, .min = 7.0}.row(),
         // a null key matches nothing
         Preset{.id = 11, .machineType = "M1", .varName = "M1.Temp", .offset = Value(), .min = 7.0}
             .row()});
    EXPECT_EQ(result, TakeoverResult::Done);
    EXPECT_EQ(values(),
              (std::vector<Row>{{Value(-5.0), Value(500.0), Value(), Value(250.0), Value(3)},
                                kTemplateValues,
                                kTemplateValues}));
}

TEST_F(TakeoverTest, TheLaterOfTwoMachineRowsWinsOnTheFirstMatchingRow) {
    makeRebuilt({Preset{.id = 2, .machineType = "M1", .varName = "x\"y"}.row(),
                 Preset{.id = 1, .machineType = "M1", .varName = "X\"Y"}.row()});
    GetAddFields();
    takeOver({Preset{.id = 1, .machineType = "M1", .varName = "x\"y", .min = 1.0}.row(),
              Preset{.id = 2, .machineType = "M1", .varName = "x\"y", .min = 2.0}.row()});
    const auto rows = query(sourcePath(), "SELECT ID, min FROM PRESET_DEFS ORDER BY ID");
    EXPECT_EQ(rows, (std::vector<Row>{{Value(1), Value(2.0)}, {Value(2), Value(0.0)}}));
}

TEST_F(TakeoverTest, AnEmptyMachineTableTakesNothingOverWithoutAReport) {
    makeRebuilt({Preset{}.row()});
    GetAddFields();
    EXPECT_EQ(takeOver({}), TakeoverResult::Done);
    EXPECT_EQ(values(), (std::vector<Row>{kTemplateValues}));
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

TEST_F(TakeoverTest, UnreadableMachineRowsAreReported) {
    runSilently();
    makeRebuilt({Preset{}.row()});
    GetAddFields();
    auto columns = standardColumns();
    columns[14].name = "password"; // "pass" is missing
    EXPECT_EQ(takeOver({Preset{}.row()}, columns), TakeoverResult::MachineValuesUnreadable);
    EXPECT_NE(errorLog().find("/ TakeoverMachineCopyMDBData (Nr. 3000) :Item not found"),
              std::string::npos);
}

TEST_F(TakeoverTest, AConfiguredColumnMissingFromTheRebuiltTableEndsTheProgram) {
    runSilently(); // the conflict ends the program even where failures are resumed
    writeCfg({"DataBaseAdditionalFields=Speed"});
    makeRebuilt({withValue(Preset{}.row(), 1)}, withColumn("speed")); // letter case counts
    GetAddFields();
    try {
        takeOver({withValue(Preset{.min = 5.0}.row(), 1)}, withColumn("Speed"));
        FAIL() << "the program went on";
    } catch (const framework::ProgramEnded&) {
    }
    EXPECT_EQ(values(), (std::vector<Row>{kTemplateValues}));
    EXPECT_EQ(errorLog(), columnConflictText("Speed") + "\r\n" +
                              "Fehler in Engineering / Engineering_Config / "
                              "TakeoverMachineCopyMDBData (Nr. 9999) :Database-Error - Contact "
                              "Administrator!\r\n");
    EXPECT_EQ(columnConflictText("Speed"),
              "Conflict while attempting to extend database!Configurationsfile "
              "\"ENGINEERING.CFG\", demanded field \"SPEED\"missing in machinecopy-database\n\r"
              "Configuration of \"ENGINEERING\" aborted.");
}

TEST_F(TakeoverTest, ATrailingCommaDemandsAnEmptyNameAndEndsTheProgram) {
    writeCfg({"DataBaseAdditionalFields=speed,"});
    makeRebuilt({withValue(Preset{}.row(), 1)}, withColumn("speed"));
    GetAddFields();
    EXPECT_THROW(takeOver({withValue(Preset{}.row(), 1)}, withColumn("speed")),
                 framework::ProgramEnded);
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].title, "Fatal error");
}

TEST_F(TakeoverTest, LostColumnsAreOnlyLoggedInASilentRun) {
    runSilently();
    makeRebuilt({Preset{.machineType = "M1"}.row()});
    // GetAddFields did not run: nothing is configured.
    EXPECT_EQ(takeOver({withValue(Preset{.machineType = "M1", .min = 9.0}.row(), 1)},
                       withColumn("extra")),
              TakeoverResult::Done);
    EXPECT_EQ(faultLog(), "! Fault Engineering_Config: " + lostColumnsWarningSilent() + "\r\n");
    EXPECT_EQ(lostColumnsWarningSilent(),
              "WARNING!Machinecopy contains data in fields that won't be taken over!"
              "Configurationfile \"ENGINEERING.CFG\", missing entry \"DataBaseAdditionalFields \""
              "If you continue now this data will be lost.Continue?");
    EXPECT_EQ(values()[0][2], Value(9.0));
}

TEST_F(TakeoverTest, LostColumnsAskAndYesGoesOn) {
    install.boxes.answer(true);
    makeRebuilt({Preset{.machineType = "M1"}.row()});
    takeOver({withValue(Preset{.machineType = "M1", .min = 9.0}.row(), 1)}, withColumn("extra"));
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    const auto& box = install.boxes.asked[0];
    EXPECT_EQ(box.title, "Engineering_Config");
    EXPECT_EQ(box.text, lostColumnsWarning());
    EXPECT_EQ(box.icon, framework::MessageIcon::Exclamation);
    EXPECT_EQ(box.defaultButton, framework::DefaultButton::No);
    EXPECT_NE(box.text.find("lost.\n\rContinue?"), std::string::npos);
    EXPECT_EQ(values()[0][2], Value(9.0));
}

TEST_F(TakeoverTest, LostColumnsAnsweredNoEndTheProgramWithTheStopText) {
    install.boxes.answer(false);
    makeRebuilt({Preset{.machineType = "M1"}.row()});
    EXPECT_THROW(takeOver({withValue(Preset{.machineType = "M1", .min = 9.0}.row(), 1)},
                          withColumn("extra")),
                 framework::ProgramEnded);
    EXPECT_EQ(values(), (std::vector<Row>{kTemplateValues}));
    const std::string folder = framework::upperCase(install.componentFolder().string());
    EXPECT_EQ(lostColumnsStopText(),
              "Engineering_Config :Database-Error - Contact Administrator! Configurationprogram "
              "\"ENGINEERING\" terminated. Please check Configuration in \"ENGINEERING.CFG\" "
              "Restart " +
                  folder + "/ENGINEERING_CONFIG.EXE!");
    EXPECT_EQ(errorLog().substr(0, lostColumnsStopText().size() + 2),
              lostColumnsStopText() + "\r\n");
    ASSERT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_EQ(install.boxes.asked[1].title, "Fatal error");
}

} // namespace

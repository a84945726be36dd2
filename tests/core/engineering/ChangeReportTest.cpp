// The change report's lines: buttons by field, the preset table, "No changes.".

#include "engineering/ChangeReport.h"

#include <gtest/gtest.h>

using namespace engineering;
using Lines = std::vector<std::string>;

namespace {

EngineeringFunction withProgram(const std::string& program) {
    EngineeringFunction function;
    function.PExeFunction = program;
    function.PEndTime = 3;
    return function;
}

} // namespace

TEST(ChangeReport, ButtonsAreReportedByFieldWithOldAndNewValue) {
    ButtonArray before{};
    before[16] = withProgram("calc.exe");
    before[8] = withProgram("old.exe");
    ButtonArray after = before;
    after[16].PEndTime = 10;
    after[16].PEndWhenExitWindow = true;
    after[8] = EngineeringFunction{};
    after[4] = withProgram("new.exe");

    EXPECT_EQ(
        buttonChangeLines(before, after),
        (Lines{"Button 5 added:", "  ExeFunction: \"\" -> \"new.exe\"", "  EndTime: 0 -> 3",
               "Button 9 removed:", "  ExeFunction: \"old.exe\" -> \"\"", "  EndTime: 3 -> 0",
               "Button 17 changed:", "  EndTime: 3 -> 10", "  EndWhenExitWindow: false -> true"}));
    EXPECT_EQ(buttonChangeLines(before, before), Lines{});
}

TEST(ChangeReport, EveryDroppedMachineRowIsListedWithKeysAndValues) {
    presetdb::PresetTableReport table;
    table.built = true;
    table.rowsBefore = 3;
    table.rowsAfter = 2;
    table.valuesTakenOver = 1;
    table.changed = true;
    table.dropped = {{{"M1", "M1.Old", "4"}, {"0", "10", "1", "9", "NULL"}},
                     {{"M1", "M1.Gone", "8"}, {"-5", "5", "0", "2", "1"}}};
    const Lines body = changeReportBody({}, {}, table, {{"Engineering.mdb", false}});
    EXPECT_EQ(body, (Lines{"Preset table: 3 rows before, 2 after; 1 machine values taken over; "
                           "values dropped of 2 machine row(s) that no rebuilt row matches:",
                           "  machine_type=M1 var_name=M1.Old offset_or_bitno=4: abs_min=0 "
                           "abs_max=10 min=1 max=9 pass=NULL",
                           "  machine_type=M1 var_name=M1.Gone offset_or_bitno=8: abs_min=-5 "
                           "abs_max=5 min=0 max=2 pass=1",
                           "Files replaced: Engineering.mdb"}));
}

TEST(ChangeReport, ARunThatChangesNothingSaysSoInOneLine) {
    presetdb::PresetTableReport table;
    table.built = true;
    table.rowsBefore = table.rowsAfter = table.valuesTakenOver = 36;
    EXPECT_EQ(changeReportBody({}, {}, table, {}), Lines{"No changes."});
    EXPECT_EQ(changeReportBytes("==== 2025-03-01 14:22:05 silent run", {"Für 1"}),
              "==== 2025-03-01 14:22:05 silent run\r\nF\xFCr 1\r\n");
}

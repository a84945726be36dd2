// The change report: key-level changes of the replaced INI files, whatever
// made them, the preset table and lost tables, escaped values, the header.

#include "engineering/ChangeReport.h"
#include "installation/RunJournal.h"
#include "run/ProgramLocation.h"

#include "TestData.h"

#include <gtest/gtest.h>

using namespace engineering;
using testsupport::Lines;

namespace {

std::string sampleFile(const char* name) {
    return testsupport::readFile(std::string(SAMPLE_COMPONENT_DIR) + "/" + name);
}

// A replaced file without its digests, which the report does not show.
ReplacedFile file(const char* name, std::optional<std::string> before,
                  std::optional<std::string> after) {
    return {name, std::move(before), std::move(after), {}, {}};
}

// The bytes with each (old, new) text replaced once.
std::string edited(std::string bytes,
                   const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        const auto at = bytes.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        bytes.replace(at, from.size(), to);
    }
    return bytes;
}

} // namespace

TEST(ChangeReport, BodyTellsWhatTheFilesAndTheDatabaseChanged) {
    const std::string int0 = sampleFile("Engineering.int");
    const std::string cfg0 = sampleFile("Engineering.cfg");
    presetdb::PresetTableReport unchanged;
    unchanged.built = true;
    unchanged.rowsBefore = unchanged.rowsAfter = unchanged.valuesTakenOver = 36;
    presetdb::PresetTableReport dropped = unchanged;
    dropped.rowsAfter = 35;
    dropped.changed = true;
    dropped.dropped = {
        {{"M1", "M1.X\r\nFiles replaced: none", "4"}, {"0", "\x01", "1", "9", "NULL"}}};
    dropped.lostTables = {{"MY_TABLE", 12}};

    struct Case {
        const char* name;
        std::vector<ReplacedFile> files;
        presetdb::PresetTableReport presets;
        Lines body;
    };
    const Case cases[] = {
        {"a hand edit of .int: buttons by SpecialKey, symbols as stored",
         {file("Engineering.int", int0,
               edited(int0, {{"EndTime=3\r\nEndMode=16", "EndTime=13\r\nEndMode=16"},
                             {"EndTime=5", "EndTime=13"},
                             {"Sensor.gif", "Pump.gif"},
                             {"WindowName=Scale M1*", "WindowName=Scale\tM1\x7F"}}))},
         {},
         {"Engineering.int, button 2 changed:", "  EndTime: \"3\" -> \"13\"",
          "Engineering.int, button 9 changed:",
          "  WindowName: \"Scale M1*\" -> \"Scale\\tM1\\x7F\"", "  EndTime: \"5\" -> \"13\"",
          "Engineering.int, button 31 changed:",
          "  SymbolName: \"Engineering\\Sensor.gif\" -> \"Engineering\\Pump.gif\"",
          "Files replaced: Engineering.int"}},
        {"a .cfg gaining a button before a moved one, [Info] and [Project] edited",
         {file("Engineering.cfg", cfg0 + "\r\n[Function2]\r\nSpecialKey=9\r\nEndTime=5\r\n",
               edited(cfg0, {{"ForMachine1=true\r\n", ""}, {"S_Editor=", "S_Editor=Config"}}) +
                   "\r\n[Function2]\r\nSpecialKey=4\r\nEndTime=3\r\n[Function3]\r\nSpecialKey=9\r\n"
                   "EndTime=5\r\n")},
         {},
         {"Engineering.cfg, [Project] changed:", "  ForMachine1: \"true\" -> (none)",
          "Engineering.cfg, [Info] changed:", "  S_Editor: \"\" -> \"Config\"",
          "Engineering.cfg, button 4 added:", "  SpecialKey: \"4\"", "  EndTime: \"3\"",
          "Files replaced: Engineering.cfg"}},
        {"database values and table names escaped; unchanged and created files",
         {file("Engineering.mdb", std::nullopt, std::nullopt), file("Engineering.cfg", cfg0, cfg0),
          file("Engineering_Config.ini", std::nullopt, "[Language]\r\nLanguage=1031\r\n")},
         dropped,
         {"Preset table: 36 rows before, 35 after; 36 machine values taken over; values dropped "
          "of 1 machine row(s) that no rebuilt row matches:",
          "  machine_type=M1 var_name=M1.X\\r\\nFiles replaced: none offset_or_bitno=4: abs_min=0 "
          "abs_max=\\x01 min=1 max=9 pass=NULL",
          "Table MY_TABLE (12 rows) of the previous database is not in the new one.",
          "Files replaced: Engineering.mdb, Engineering_Config.ini (new)"}},
        {"nothing replaced", {file("Engineering.int", int0, int0)}, unchanged, {"No changes."}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(changeReportBody(c.presets, c.files), c.body) << c.name;
}

// The report file is Windows-1252 text with CR LF, like the files it reports on.
TEST(ChangeReport, HeaderCarriesTimeKindStatusAndBackupFolder) {
    const auto changedAt = std::chrono::system_clock::time_point(std::chrono::hours(480000));
    const std::string header =
        changeReportHeader({changedAt, RunKind::Silent, true, 2, "2025-03-01_14-22-05"});
    EXPECT_EQ(header, "==== " + installation::readableTime(changedAt) +
                          " silent run (dry run), status 2, old versions in backup" +
                          std::string(run::kSeparator) + "2025-03-01_14-22-05");
    EXPECT_EQ(changeReportBytes("==== x", {"Für 1"}), "==== x\r\nF\xFCr 1\r\n");
}

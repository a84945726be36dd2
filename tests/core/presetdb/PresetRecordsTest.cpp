#include "PresetFixture.h"

#include "presetdb/PresetRecords.h"
#include "presetdb/PreviousDatabase.h"

namespace {

using namespace presettest;

class PresetRecordsTest : public PresetFixture {
protected:
    // Builds PRESET_DEFS anew from the templates as the update builds it;
    // gives these columns of its rows in ID order.
    Rows build(const std::string& columns = "ID") {
        {
            Database work = Database::open(sourcePath());
            work.execute("DROP TABLE IF EXISTS PRESET_DEFS");
            work.createTable("PRESET_DEFS", work.columns("Source_PRESET_DEFS"));
            PreviousDatabase none;
            Pacer pacer;
            CreateRecordSets(program(), settings, presets, work, none, pacer);
        }
        return query(sourcePath(), "SELECT " + columns + " FROM PRESET_DEFS ORDER BY ID");
    }
    std::string& nameTemplate(std::size_t system, std::size_t part) {
        return presets.VarNameTemplates[system][part - 1];
    }
};

TEST_F(PresetRecordsTest, TextValuesGetTheMachineAndIdsAreNumberedAnewInIdOrder) {
    nameTemplate(0, 3) = "###machine.Part3.###Var_Name";
    Preset other{.id = 7, .part = 3, .varName = "Other", .offset = nullptr, .min = nullptr};
    other.text = "a ###machine b ###machine";
    other.page = "###Machine";
    makeSource({},
               {Preset{.id = 40, .part = 3, .varName = "Temp", .text = "Speed ###MACHINE"}.row(),
                other.row()});
    // One replacement per text value; nulls stay null.
    const std::string columns =
        "ID, machine_type, var_name, offset_or_bitno, text, page_name, min, max";
    const Rows expected = {
        {1, "M1", "M1.Part3.Other", nullptr, "a M1 b ###machine", "M1", nullptr, 100.0},
        {2, "M1", "M1.Part3.Temp", 0, "Speed M1", "Drive", 0.0, 100.0}};
    EXPECT_EQ(build(columns), expected);
    // The same from templates WITHOUT ROWID, stored in the order of their key.
    Database::open(sourcePath())
        .execute(
            "ALTER TABLE Source_PRESET_DEFS RENAME TO Plain; CREATE TABLE Source_PRESET_DEFS "
            "(ID, machine_type, type, part, var_name, category_id, isBitArray, offset_or_bitno, "
            "text PRIMARY KEY, page_name, abs_min, abs_max, min, max, pass) WITHOUT ROWID; "
            "INSERT INTO Source_PRESET_DEFS SELECT * FROM Plain");
    EXPECT_EQ(build(columns), expected);
}

TEST_F(PresetRecordsTest, VariableNamesFollowTheTemplateOfTheProjectsSystemAndPart) {
    runSilently();
    nameTemplate(0, 1) = "###machine.###MACHINE.###var_name.###machine";
    nameTemplate(1, 1) = "Studio.###Var_Name"; // not this project's system
    nameTemplate(0, 2) = "Fixed";
    // Part 3 has no template: the name is empty. A null name needs no part; a
    // part 0, 51 or null is reported and leaves the name null.
    makeSource({}, {Preset{.id = 1, .part = 1}.row(), Preset{.id = 2, .part = 2}.row(),
                    Preset{.id = 3, .part = 3}.row(), Preset{.id = 4, .part = 0}.row(),
                    Preset{.id = 5, .part = 51}.row(), Preset{.id = 6, .part = nullptr}.row(),
                    Preset{.id = 7, .part = nullptr, .varName = nullptr}.row()});
    build(); // every row is still written
    EXPECT_EQ(column(sourcePath(), "SELECT var_name FROM PRESET_DEFS ORDER BY ID"),
              (Row{"M1.M1.Speed.###machine", "Fixed", "", nullptr, nullptr, nullptr, nullptr}));
    const std::string outOfRange = errorLine("CreateRecordSets", 9, "Subscript out of range");
    EXPECT_EQ(install.errorLog(),
              outOfRange + outOfRange + errorLine("CreateRecordSets", 94, "Invalid use of Null"));
}

TEST_F(PresetRecordsTest, MachineOneIsSelectedByForMachine1OrTheValidList) {
    makeSource({}, {Preset{}.row()});
    const auto selectedWith = [this](bool forMachine1, const std::string& validMachines) {
        settings.forMachine1 = forMachine1;
        settings.validMachines = validMachines;
        return build().size() == 1;
    };
    EXPECT_TRUE(selectedWith(true, "M2"));
    EXPECT_FALSE(selectedWith(false, "ALL"));

    runIntegrated(); // ForMachine1 does not count any more
    EXPECT_TRUE(selectedWith(false, "all"));
    EXPECT_TRUE(selectedWith(false, "M10")); // a plain substring search finds M1 in M10
    EXPECT_TRUE(selectedWith(false, "x,m1,y"));
    EXPECT_FALSE(selectedWith(true, "M2"));
}

TEST_F(PresetRecordsTest, MoreThan32767TemplateRowsAreAnOverflowAndWriteNothing) {
    runSilently();
    makeSource({}, {Preset{.id = 1}.row(), Preset{.id = 2}.row()});
    Database::open(sourcePath())
        .execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32766) "
                 "INSERT INTO Source_PRESET_DEFS (ID, part, var_name) SELECT i, 1, 'v' FROM n");
    EXPECT_TRUE(build().empty()); // from 32768 rows
    EXPECT_EQ(install.errorLog(), errorLine("CreateRecordSets", 6, "Overflow"));
}

// The previous database gets its legacy category column renamed and its names replaced.
TEST_F(PresetRecordsTest, CategoryRenamedAndReplacementsInOrderWhateverTheLetterCaseOrQuotes) {
    auto columns = standardColumns();
    columns[5].name = "CateGorie";
    makePresetDatabase(targetPath(),
                       {Preset{.id = 1, .varName = "studio.temp"}.row(),
                        Preset{.id = 2, .varName = "Studio.Temp"}.row(),
                        Preset{.id = 3, .varName = "say \"hi\""}.row(),
                        Preset{.id = 4, .varName = "Other"}.row(),
                        Preset{.id = 5, .varName = nullptr}.row()},
                       columns);
    PreviousDatabase previous(Database::open(targetPath()));
    CategorieNachCategoryID(program(), previous);
    VarNameInQuelleErsetzen(program(), settings, previous, "M1.Temp", "STUDIO.TEMP");
    VarNameInQuelleErsetzen(program(), settings, previous, "Chained",
                            "m1.temp"); // finds the names just written
    VarNameInQuelleErsetzen(program(), settings, previous, "Quoted", "SAY \"HI\"");
    settings.VWStudioProject = 1; // now the VisiWin32 name is the old one
    VarNameInQuelleErsetzen(program(), settings, previous, "other", "Studio");
    previous.close();
    EXPECT_EQ(column(targetPath(), "SELECT var_name FROM PRESET_DEFS ORDER BY ID"),
              (Row{"Chained", "Chained", "Quoted", "Studio", nullptr}));
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS")[5],
              (ColumnDefinition{"category_id", "INTEGER"}));
}

} // namespace

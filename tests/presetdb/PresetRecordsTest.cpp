#include "PresetFixture.h"

#include "presetdb/PresetRecords.h"
#include "presetdb/PresetState.h"
#include "presetdb/PreviousDatabase.h"

namespace {

using namespace presettest;
using namespace presetdb;

class PresetRecordsTest : public PresetFixture {
protected:
    PresetRecordsTest() { writeCfg({"ForMachine1=true"}); }

    // PRESET_DEFS built from the templates as the update builds it.
    std::vector<Row> build(PreviousDatabase& previous) {
        {
            Database work = Database::open(sourcePath());
            work.createTable("PRESET_DEFS", work.columns("Source_PRESET_DEFS"));
            CreateRecordSets(work, previous);
        }
        return query(sourcePath(), "SELECT * FROM PRESET_DEFS ORDER BY ID");
    }
    std::vector<Row> build() {
        PreviousDatabase none;
        return build(none);
    }
    static std::string& nameTemplate(std::size_t system, std::size_t part) {
        return presetState().VarNameTemplates[system][part - 1];
    }
};

constexpr int kId = 0, kMachineType = 1, kVarName = 4, kOffset = 7, kText = 8, kPage = 9, kMin = 12;

TEST_F(PresetRecordsTest, TextValuesGetTheMachineAndIdsAreNumberedAnewInIdOrder) {
    nameTemplate(0, 3) = "###machine.Part3.###Var_Name";
    makeSource({},
               {Preset{.id = 40, .part = 3, .varName = "Temp", .text = "Speed ###MACHINE"}.row(),
                Preset{.id = 7,
                       .part = 3,
                       .varName = "Other",
                       .offset = Value(),
                       .text = "a ###machine b ###machine",
                       .page = "###Machine",
                       .min = Value()}
                    .row()});
    const auto rows = build();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][kId], Value(1));
    EXPECT_EQ(rows[0][kVarName], Value("M1.Part3.Other"));
    EXPECT_EQ(rows[0][kText], Value("a M1 b ###machine")); // one replacement per text value
    EXPECT_EQ(rows[0][kPage], Value("M1"));
    EXPECT_EQ(rows[0][kOffset], Value());
    EXPECT_EQ(rows[0][kMin], Value());
    EXPECT_EQ(rows[1][kId], Value(2));
    EXPECT_EQ(rows[1][kMachineType], Value("M1"));
    EXPECT_EQ(rows[1][kVarName], Value("M1.Part3.Temp"));
    EXPECT_EQ(rows[1][kText], Value("Speed M1"));
    EXPECT_EQ(rows[1][13], Value(100.0));
}

TEST_F(PresetRecordsTest, VariableNamesFollowTheTemplateOfTheProjectsSystem) {
    nameTemplate(0, 1) = "###machine.###MACHINE.###var_name.###machine";
    nameTemplate(1, 1) = "Studio.###Var_Name";
    nameTemplate(0, 2) = "Fixed";
    // part 3 has no template: the name is empty.
    makeSource({}, {Preset{.id = 1, .part = 1, .varName = "Temp"}.row(),
                    Preset{.id = 2, .part = 2, .varName = "Temp"}.row(),
                    Preset{.id = 3, .part = 3, .varName = "Temp"}.row(),
                    Preset{.id = 4, .part = Value(), .varName = Value()}.row()});
    auto rows = build();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][kVarName], Value("M1.M1.Temp.###machine"));
    EXPECT_EQ(rows[1][kVarName], Value("Fixed"));
    EXPECT_EQ(rows[2][kVarName], Value(""));
    EXPECT_EQ(rows[3][kVarName], Value()); // a null name needs no part

    presetState().VWStudioProject = 1;
    Database(Database::open(sourcePath())).deleteTable("PRESET_DEFS");
    rows = build();
    EXPECT_EQ(rows[0][kVarName], Value("Studio.Temp"));
}

TEST_F(PresetRecordsTest, MachineOneIsSelectedByForMachine1OrTheValidList) {
    makeSource({}, {Preset{}.row()});
    const auto countBuilt = [this] {
        Database(Database::open(sourcePath())).execute("DROP TABLE IF EXISTS PRESET_DEFS");
        return build().size();
    };
    EXPECT_EQ(countBuilt(), 1u);
    writeCfg({"ForMachine1=false"});
    EXPECT_EQ(countBuilt(), 0u);
    writeCfg({"ForMachine2=true"});
    EXPECT_EQ(countBuilt(), 0u);

    runIntegrated(); // ForMachine1 does not count any more
    writeCfg({"ForMachine1=true", "ValidMachines=all"});
    EXPECT_EQ(countBuilt(), 1u);
    writeCfg({"ValidMachines=M10"}); // a plain substring search finds M1 in M10
    EXPECT_EQ(countBuilt(), 1u);
    writeCfg({"ValidMachines=x,m1,y"});
    EXPECT_EQ(countBuilt(), 1u);
    writeCfg({"ValidMachines=M2", "ForMachine1=true"});
    EXPECT_EQ(countBuilt(), 0u);
}

TEST_F(PresetRecordsTest, ABadPartIsReportedAndTheRowStillWritten) {
    runSilently();
    nameTemplate(0, 2) = "###Var_Name";
    makeSource({}, {Preset{.id = 1, .part = Value()}.row(), Preset{.id = 2, .part = 51}.row(),
                    Preset{.id = 3, .part = 2, .varName = "Good"}.row()});
    const auto rows = build();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][kVarName], Value());
    EXPECT_EQ(rows[1][kVarName], Value());
    EXPECT_EQ(rows[2][kVarName], Value("Good"));
    EXPECT_EQ(errorLog(), "Fehler in Engineering / Engineering_Config / CreateRecordSets (Nr. 94) "
                          ":Invalid use of Null\r\n"
                          "Fehler in Engineering / Engineering_Config / CreateRecordSets (Nr. 9) "
                          ":Subscript out of range\r\n");
}

TEST_F(PresetRecordsTest, WithoutMachinesNothingIsWrittenAndOneFailureReported) {
    runSilently();
    setMachines({});
    makeSource({}, {Preset{.id = 1}.row(), Preset{.id = 2}.row()});
    EXPECT_TRUE(build().empty());
    EXPECT_EQ(errorLog(), "Fehler in Engineering / Engineering_Config / CreateRecordSets (Nr. 9) "
                          ":Subscript out of range\r\n");
}

TEST_F(PresetRecordsTest, AnEmptyTemplateTableGivesAnEmptyTable) {
    makeSource({}, {});
    EXPECT_TRUE(build().empty());
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

TEST_F(PresetRecordsTest, MoreThan32767TemplateRowsAreAnOverflow) {
    runSilently();
    makeSource({}, {});
    Database::open(sourcePath())
        .execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32768) "
                 "INSERT INTO Source_PRESET_DEFS (ID, part, var_name) SELECT i, 1, 'v' FROM n");
    EXPECT_TRUE(build().empty());
    EXPECT_EQ(errorLog(), "Fehler in Engineering / Engineering_Config / CreateRecordSets (Nr. 6) "
                          ":Overflow\r\n");
}

TEST_F(PresetRecordsTest, PreviousRowsWithTheOtherSystemsNameAreRenamed) {
    nameTemplate(0, 1) = "###machine.###Var_Name";
    nameTemplate(1, 1) = "ns=###machine;###Var_Name";
    makeSource({}, {Preset{.id = 1, .varName = "Temp"}.row()});
    makePresetDatabase(targetPath(), {Preset{.id = 1, .varName = "NS=m1;temp"}.row(),
                                      Preset{.id = 2, .varName = "ns=M1;Temp2"}.row()});
    PreviousDatabase previous(Database::open(targetPath()));
    build(previous);
    previous.close();
    EXPECT_EQ(query(targetPath(), "SELECT var_name FROM PRESET_DEFS ORDER BY ID"),
              (std::vector<Row>{{Value("M1.Temp")}, {Value("ns=M1;Temp2")}}));
}

TEST_F(PresetRecordsTest, ReplacementsApplyInOrderWhateverTheLetterCaseOrQuotes) {
    makePresetDatabase(targetPath(), {Preset{.id = 1, .varName = "studio.temp"}.row(),
                                      Preset{.id = 2, .varName = "Studio.Temp"}.row(),
                                      Preset{.id = 3, .varName = "say \"hi\""}.row(),
                                      Preset{.id = 4, .varName = "Other"}.row(),
                                      Preset{.id = 5, .varName = Value()}.row()});
    PreviousDatabase previous(Database::open(targetPath()));
    VarNameInQuelleErsetzen(previous, "M1.Temp", "STUDIO.TEMP");
    VarNameInQuelleErsetzen(previous, "Chained", "m1.temp"); // finds the names just written
    VarNameInQuelleErsetzen(previous, "Quoted", "SAY \"HI\"");
    presetState().VWStudioProject = 1; // now the VisiWin32 name is the old one
    VarNameInQuelleErsetzen(previous, "other", "Studio");
    previous.close();
    EXPECT_EQ(query(targetPath(), "SELECT var_name FROM PRESET_DEFS ORDER BY ID"),
              (std::vector<Row>{{Value("Chained")},
                                {Value("Chained")},
                                {Value("Quoted")},
                                {Value("Studio")},
                                {Value()}}));
}

TEST_F(PresetRecordsTest, ATargetWithoutPresetTableFailsOnlyTheFirstReplacement) {
    runSilently();
    Database::create(targetPath()).createTable("Other", {{"a", "INTEGER"}});
    PreviousDatabase previous(Database::open(targetPath()));
    VarNameInQuelleErsetzen(previous, "a", "b");
    VarNameInQuelleErsetzen(previous, "c", "d");
    const std::string log = errorLog();
    EXPECT_NE(log.find("VarNameInQuelleErsetzen (Nr. 3000)"), std::string::npos);
    EXPECT_EQ(log.find("\r\n"), log.size() - 2); // one line
}

TEST_F(PresetRecordsTest, TheLegacyCategoryColumnIsRenamed) {
    auto columns = standardColumns();
    columns[5].name = "CateGorie";
    makePresetDatabase(targetPath(), {Preset{}.row()}, columns);
    PreviousDatabase previous(Database::open(targetPath()));
    CategorieNachCategoryID(previous);
    previous.close();
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS")[5],
              (ColumnDefinition{"category_id", "INTEGER"}));

    PreviousDatabase none;
    CategorieNachCategoryID(none); // no target: nothing to do, nothing reported
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

} // namespace

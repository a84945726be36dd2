#include "PresetFixture.h"

#include "presetdb/PresetMessages.h"
#include "presetdb/PresetUpdate.h"

#include "framework/ErrorProtocol.h"

#include <algorithm>
#include <filesystem>

namespace {

using namespace presettest;
namespace fs = std::filesystem;

class WorkOnMdbTest : public PresetFixture {
protected:
    WorkOnMdbTest() {
        writeCfg({"ForMachine1=true", "ValidMachines=M1"});
        setVWStudio("false");
        framework::programState().ProgramIniPath = install.path("parameter/Program.ini");
    }

    void setVWStudio(const std::string& value) const {
        install.write("parameter/Program.ini", "[Project]\r\nVWStudio=" + value + "\r\n");
    }
    // Two parameters, Speed and Temp, with a name template for each system.
    void makeStandardSource() const {
        makeSource({{"VisiWin32", "###machine.###Var_Name", 1},
                    {"VISIWINSTUDIO", "ns=###machine;###Var_Name", 1}},
                   {Preset{.id = 1, .varName = "Speed", .offset = 1}.row(),
                    Preset{.id = 2, .varName = "Temp", .offset = 2}.row()});
    }
    // A previous target as the last run left it, with a value set on the machine.
    static void makeTarget(const std::string& path, double speedMin) {
        makePresetDatabase(
            path, {Preset{.machineType = "M1", .varName = "M1.Speed", .offset = 1, .min = speedMin}
                       .row()});
    }
    Rows targetRows() const {
        return query(targetPath(), "SELECT ID, var_name, min FROM PRESET_DEFS ORDER BY ID");
    }
    std::string target() const { return install.read("Engineering/Engineering.mdb"); }
};

TEST_F(WorkOnMdbTest, WithoutAUsableSourceDatabaseTheTargetIsNotTouched) {
    runSilently();
    makeTarget(targetPath(), 5.0);
    const std::string before = target();
    const auto files = install.fileNames("Engineering");
    WorkOnMDB();
    EXPECT_EQ(install.fileNames("Engineering"), files);
    EXPECT_TRUE(nothingLogged());

    install.write("Engineering/Engineering_Source.mdb", "not a database");
    WorkOnMDB();
    EXPECT_EQ(target(), before);
    EXPECT_NE(install.errorLog().find("/ WorkOnMDB (Nr. 3000) :Could not open database"),
              std::string::npos);
}

TEST_F(WorkOnMdbTest, TheRebuiltSourceBecomesTheTargetWithTheMachinesValues) {
    struct : UpdateObserver {
        void keepResponsive() override {}
        void progress(std::int64_t done, std::int64_t all) override {
            EXPECT_GE(done, last);
            last = done, total = all;
        }
        std::int64_t last = 0, total = 0;
    } observer;
    makeStandardSource();
    WorkOnMDB(&observer); // no target yet
    EXPECT_GT(observer.total, 0);
    EXPECT_EQ(observer.last, observer.total); // the progress grows to completion
    EXPECT_EQ(targetRows(), (Rows{{1, "M1.Speed", 0.0}, {2, "M1.Temp", 0.0}}));
    EXPECT_EQ(target(), install.read("Engineering/Engineering_Source.mdb"));
    // Only the two databases and the .cfg: no temporary file, no journal.
    EXPECT_EQ(
        install.fileNames("Engineering"),
        (std::vector<std::string>{"Engineering.cfg", "Engineering.mdb", "Engineering_Source.mdb"}));
    // Exactly the copied columns: no index, key or other object.
    EXPECT_EQ(column(targetPath(), "SELECT name FROM sqlite_master ORDER BY name"),
              (Row{"PRESET_DEFS", "Source_DEFS", "Source_PRESET_DEFS"}));
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS"), standardColumns());

    // A value set on the machine; an index on the source's old PRESET_DEFS goes with it.
    Database(Database::open(targetPath())).execute("UPDATE PRESET_DEFS SET min = 42 WHERE ID = 1");
    Database(Database::open(sourcePath())).execute("CREATE INDEX old ON PRESET_DEFS (var_name)");
    const auto sourceTime = fs::file_time_type::clock::now() - std::chrono::hours(24 * 300);
    fs::last_write_time(sourcePath(), sourceTime);
    WorkOnMDB();
    EXPECT_EQ(targetRows(), (Rows{{1, "M1.Speed", 42.0}, {2, "M1.Temp", 0.0}}));
    EXPECT_EQ(presetState().AdditionalFieldsCount, 1); // "part" alone
    EXPECT_EQ(fs::last_write_time(sourcePath()), sourceTime);
    EXPECT_EQ(column(sourcePath(), "SELECT count(*) FROM sqlite_master WHERE type = 'index'"),
              Row{0});

    // Standalone VisiWin Studio project: the names are brought to the Studio names.
    setVWStudio("True");
    WorkOnMDB();
    EXPECT_EQ(presetState().VWStudioProject, 1);
    EXPECT_EQ(targetRows()[0], (Row{1, "ns=M1;Speed", 42.0}));
    EXPECT_TRUE(nothingLogged());
}

TEST_F(WorkOnMdbTest, IntegratedTheMachineCopyReplacesTheTargetOrItsAbsenceIsTold) {
    runIntegrated();
    fs::create_directories(install.path("SaveRestore/Engineering"));
    install.write("parameter/q4mconfiguration.ini",
                  "[Common]\r\nSaveAndRestore=" + install.path("SaveRestore") + "\r\n");
    makeStandardSource();
    makeTarget(targetPath(), 3.0);
    WorkOnMDB();
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text.find("Konnte die Datei:Engineering.mdb in der Vorlage"),
              0u);
    EXPECT_EQ(targetRows()[0], (Row{1, "M1.Speed", 3.0}));

    makeTarget(install.path("SaveRestore/Engineering/Engineering.mdb"), 77.0);
    setVWStudio("TRUE"); // integrated runs never use VisiWin Studio
    WorkOnMDB();
    EXPECT_EQ(presetState().VWStudioProject, 0);
    EXPECT_EQ(targetRows()[0], (Row{1, "M1.Speed", 77.0}));
    EXPECT_EQ(install.boxes.asked.size(), 1u);
}

TEST_F(WorkOnMdbTest, BadTemplateRowsFallBackToTheVariableNameOfPartOne) {
    makeSource({{"VISIWIN32", "first.###Var_Name", 2},
                {"VISIWIN32", "later.###Var_Name", 2}, // the later row wins
                {"visiwin32", "zero", 0},
                {"VISIWINSTUDIO", "fiftyone", 51},
                {"Other", "ignored", 3},
                {nullptr, "ignored", 4},
                {"VISIWIN32", "three.###Var_Name", 3}},
               {});
    WorkOnMDB();
    const auto& templates = presetState().VarNameTemplates;
    EXPECT_EQ(templates[0][0], "###Var_Name");
    EXPECT_EQ(templates[1][0], "###Var_Name");
    EXPECT_EQ(templates[0][1], "later.###Var_Name");
    EXPECT_EQ(templates[0][2], "three.###Var_Name");
    EXPECT_EQ(templates[0][3], "");
    EXPECT_TRUE(nothingLogged()); // not reported
}

TEST_F(WorkOnMdbTest, ATargetWithUnreadableValuesIsKeptOneWithoutValuesReplaced) {
    runSilently();
    makeStandardSource();
    // Runs the update on the target just made, expecting these log lines; true
    // when the target was kept.
    const auto kept = [&](const std::vector<std::string>& logged) {
        const std::string before = target();
        const std::size_t from = nothingLogged() ? 0 : install.errorLog().size();
        WorkOnMDB();
        const std::string added = nothingLogged() ? "" : install.errorLog().substr(from);
        EXPECT_EQ(std::count(added.begin(), added.end(), '\n'), std::ssize(logged)) << added;
        for (const std::string& line : logged)
            EXPECT_NE(added.find(line), std::string::npos) << line;
        // The source is rebuilt all the same.
        EXPECT_EQ(column(sourcePath(), "SELECT count(*) FROM PRESET_DEFS"), Row{2});
        const bool same = target() == before;
        fs::remove(targetPath());
        return same;
    };
    install.write("Engineering/Engineering.mdb",
                  std::string("SQLite format 3\0", 16) + std::string(500, '?'));
    EXPECT_TRUE(kept({"/ WorkOnMDB (Nr. 3000) :Could not open database"}));
    auto columns = standardColumns();
    columns[12].name = "minimum"; // "min" missing: its values cannot be read
    makePresetDatabase(targetPath(), {Preset{}.row()}, columns);
    EXPECT_TRUE(kept({"/ TakeoverMachineCopyMDBData (Nr. 3000) :Item not found"}));
    makePresetDatabase(targetPath(), {}); // nothing to take over, nothing to report
    EXPECT_FALSE(kept({}));
    Database::create(targetPath()).createTable("Other", {{"a", "INTEGER"}});
    // Only the first of the two name replacements is reported.
    EXPECT_FALSE(
        kept({"/ CategorieNachCategoryID (Nr. 3000)", "/ VarNameInQuelleErsetzen (Nr. 3000)"}));
}

TEST_F(WorkOnMdbTest, AConfiguredColumnMissingFromTheRebuiltTableEndsWithNothingReplaced) {
    runSilently(); // the conflict ends the program even where failures are resumed
    writeCfg({"ForMachine1=true", "DataBaseAdditionalFields=Var_Name"}); // letter case counts
    makeStandardSource();
    makeTarget(targetPath(), 5.0);
    const std::string before = target();
    EXPECT_THROW(WorkOnMDB(), framework::ProgramEnded);
    EXPECT_EQ(install.errorLog(), columnConflictText("Var_Name") + "\r\n" +
                                      errorLine("TakeoverMachineCopyMDBData", 9999,
                                                "Database-Error - Contact Administrator!"));
    EXPECT_EQ(columnConflictText("Var_Name"),
              "Conflict while attempting to extend database!Configurationsfile "
              "\"ENGINEERING.CFG\", demanded field \"VAR_NAME\"missing in machinecopy-database\n\r"
              "Configuration of \"ENGINEERING\" aborted.");

    // A trailing comma demands a column with an empty name.
    runSilently(false);
    writeCfg({"ForMachine1=true", "DataBaseAdditionalFields=var_name,"});
    EXPECT_THROW(WorkOnMDB(), framework::ProgramEnded);
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].title, "Fatal error");
    EXPECT_EQ(presetState().AdditionalFields,
              (std::vector<std::string>{"", "part", "var_name", ""}));

    EXPECT_EQ(target(), before);
    // The source keeps its rebuilt PRESET_DEFS, with nothing taken over.
    EXPECT_EQ(column(sourcePath(), "SELECT min FROM PRESET_DEFS ORDER BY ID"), (Row{0.0, 0.0}));
}

} // namespace

TEST_F(WorkOnMdbTest, TemplateRowsThatCouldNotBeWrittenDoNotReplaceTheTarget) {
    runSilently();
    makeStandardSource();
    makePresetDatabase(targetPath(), {Preset{.min = 7.0}.row()});
    const std::string before = target();
    framework::programState().ExistingMachines.clear(); // machine 1 has no name
    WorkOnMDB();
    EXPECT_EQ(target(), before);
    EXPECT_NE(install.errorLog().find("/ CreateRecordSets (Nr. 9) :Subscript out of range"),
              std::string::npos);
}

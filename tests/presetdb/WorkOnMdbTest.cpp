#include "PresetFixture.h"

#include "presetdb/PresetMessages.h"
#include "presetdb/PresetState.h"
#include "presetdb/PresetUpdate.h"

#include "framework/ErrorProtocol.h"
#include "framework/ProgramState.h"

#include <algorithm>
#include <filesystem>

namespace {

using namespace presettest;
using namespace presetdb;
namespace fs = std::filesystem;

class WorkOnMdbTest : public PresetFixture {
protected:
    WorkOnMdbTest() {
        writeCfg({"ForMachine1=true", "ValidMachines=M1"});
        install.write("parameter/Program.ini", "[Project]\r\nVWStudio=false\r\n");
        framework::programState().ProgramIniPath = install.path("parameter/Program.ini");
    }

    void makeStandardSource() const {
        makeSource({{"VisiWin32", "###machine.###Var_Name", 1},
                    {"VISIWINSTUDIO", "ns=###machine;###Var_Name", 1}},
                   {Preset{.id = 1, .varName = "Speed", .offset = 1}.row(),
                    Preset{.id = 2, .varName = "Temp", .offset = 2}.row()});
    }
    // A previous target as the last run left it, with values set on the machine.
    void makeTarget(const std::string& path, double speedMin) const {
        makePresetDatabase(
            path,
            {Preset{
                .id = 1, .machineType = "M1", .varName = "M1.Speed", .offset = 1, .min = speedMin}
                 .row()});
    }
    std::vector<Row> targetRows() const {
        return query(targetPath(), "SELECT ID, machine_type, var_name, min FROM PRESET_DEFS "
                                   "ORDER BY ID");
    }
    std::vector<std::string> filesIn(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string machineCopyPath() const {
        return install.path("SaveRestore/Engineering/Engineering.mdb");
    }
    void configureSaveAndRestore() const {
        fs::create_directories(install.path("SaveRestore/Engineering"));
        install.write("parameter/q4mconfiguration.ini",
                      "[Common]\r\nSaveAndRestore=" + install.path("SaveRestore") + "\r\n");
    }
};

TEST_F(WorkOnMdbTest, WithoutSourceDatabaseNothingIsTouched) {
    makeTarget(targetPath(), 5.0);
    const std::string before = install.read("Engineering/Engineering.mdb");
    const auto files = filesIn(install.componentFolder());
    WorkOnMDB();
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"), before);
    EXPECT_EQ(filesIn(install.componentFolder()), files);
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

TEST_F(WorkOnMdbTest, WithoutTargetTheRebuiltSourceBecomesTheTarget) {
    makeStandardSource();
    WorkOnMDB();
    EXPECT_EQ(targetRows(),
              (std::vector<Row>{{Value(1), Value("M1"), Value("M1.Speed"), Value(0.0)},
                                {Value(2), Value("M1"), Value("M1.Temp"), Value(0.0)}}));
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"),
              install.read("Engineering/Engineering_Source.mdb"));
    // Only the two databases and the .cfg: no temporary file, no journal.
    EXPECT_EQ(
        filesIn(install.componentFolder()),
        (std::vector<std::string>{"Engineering.cfg", "Engineering.mdb", "Engineering_Source.mdb"}));
    // Exactly the copied columns: no index, key or other object.
    EXPECT_EQ(query(targetPath(), "SELECT type, name FROM sqlite_master ORDER BY name"),
              (std::vector<Row>{{Value("table"), Value("PRESET_DEFS")},
                                {Value("table"), Value("Source_DEFS")},
                                {Value("table"), Value("Source_PRESET_DEFS")}}));
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS"), standardColumns());
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));
}

TEST_F(WorkOnMdbTest, TheMachinesValuesSurviveAndTheSourceKeepsItsTime) {
    makeStandardSource();
    {
        // An old PRESET_DEFS with an index: replaced, index and all.
        Database source = Database::open(sourcePath());
        source.createTable("PRESET_DEFS", standardColumns());
        source.execute("CREATE INDEX old_index ON PRESET_DEFS (var_name)");
    }
    makeTarget(targetPath(), 42.0);
    const auto sourceTime = fs::file_time_type::clock::now() - std::chrono::hours(24 * 300);
    fs::last_write_time(sourcePath(), sourceTime);

    WorkOnMDB();
    EXPECT_EQ(targetRows(),
              (std::vector<Row>{{Value(1), Value("M1"), Value("M1.Speed"), Value(42.0)},
                                {Value(2), Value("M1"), Value("M1.Temp"), Value(0.0)}}));
    EXPECT_EQ(fs::last_write_time(sourcePath()), sourceTime);
    EXPECT_EQ(query(sourcePath(), "SELECT count(*) FROM sqlite_master WHERE type = 'index'"),
              (std::vector<Row>{{Value(0)}}));
}

TEST_F(WorkOnMdbTest, IntegratedTheMachineCopyReplacesTheTargetFirst) {
    runIntegrated();
    configureSaveAndRestore();
    makeStandardSource();
    makeTarget(targetPath(), 1.0);
    makeTarget(machineCopyPath(), 77.0);
    install.write("parameter/Program.ini", "[Project]\r\nVWStudio=TRUE\r\n");
    WorkOnMDB();
    EXPECT_EQ(presetState().VWStudioProject, 0); // integrated runs never use VisiWin Studio
    EXPECT_EQ(targetRows()[0][3], Value(77.0));
    EXPECT_TRUE(install.boxes.asked.empty());
}

TEST_F(WorkOnMdbTest, IntegratedWithoutMachineCopyTellsAndUsesTheTarget) {
    runIntegrated();
    configureSaveAndRestore();
    makeStandardSource();
    makeTarget(targetPath(), 3.0);
    WorkOnMDB();
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    const auto& box = install.boxes.asked[0];
    EXPECT_EQ(box.title, "Engineering_Config");
    EXPECT_EQ(box.icon, framework::MessageIcon::Information);
    EXPECT_EQ(box.text, "Konnte die Datei:Engineering.mdb in der Vorlage nicht finden!\r\n\r\n"
                        "Ist das Bild in der Vorlage noch nicht vorhanden (also neu)?\r\n"
                        "Dann ist diese Meldung völlig normal und es wird eine neue Datei mit "
                        "den Standardwerten erzeugt.");
    EXPECT_EQ(targetRows()[0][3], Value(3.0));
}

TEST_F(WorkOnMdbTest, StandaloneVisiWinStudioProjectsUseTheStudioNames) {
    install.write("parameter/Program.ini", "[Project]\r\nVWStudio=True\r\n");
    makeStandardSource();
    // The last run wrote VisiWin32 names: they are brought to the Studio names and taken over.
    makeTarget(targetPath(), 8.0);
    WorkOnMDB();
    EXPECT_EQ(presetState().VWStudioProject, 1);
    EXPECT_EQ(targetRows()[0], (Row{Value(1), Value("M1"), Value("ns=M1;Speed"), Value(8.0)}));
}

TEST_F(WorkOnMdbTest, BadTemplateRowsFallBackToTheVariableNameOfPartOne) {
    makeSource({{"VISIWIN32", "first.###Var_Name", 2},
                {"VISIWIN32", "later.###Var_Name", 2}, // the later row wins
                {"visiwin32", "zero", 0},
                {"VISIWINSTUDIO", "fiftyone", 51},
                {"Other", "ignored", 3},
                {Value(), "ignored", 4},
                {"VISIWIN32", "three.###Var_Name", 3}},
               {});
    WorkOnMDB();
    const auto& templates = presetState().VarNameTemplates;
    EXPECT_EQ(templates[0][0], "###Var_Name");
    EXPECT_EQ(templates[1][0], "###Var_Name");
    EXPECT_EQ(templates[0][1], "later.###Var_Name");
    EXPECT_EQ(templates[0][2], "three.###Var_Name");
    EXPECT_EQ(templates[0][3], "");
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt")); // not reported
}

TEST_F(WorkOnMdbTest, ADamagedTargetIsKeptAndReported) {
    runSilently();
    makeStandardSource();
    const std::string damaged = "SQLite format 3" + std::string(1, '\0') + std::string(500, '?');
    install.write("Engineering/Engineering.mdb", damaged);
    WorkOnMDB();
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"), damaged);
    EXPECT_NE(errorLog().find("/ WorkOnMDB (Nr. 3000) :Could not open database"),
              std::string::npos);
    // The source was still rebuilt.
    EXPECT_EQ(query(sourcePath(), "SELECT count(*) FROM PRESET_DEFS"),
              (std::vector<Row>{{Value(2)}}));
}

TEST_F(WorkOnMdbTest, ATargetWhoseRowsCannotBeReadIsKept) {
    runSilently();
    makeStandardSource();
    auto columns = standardColumns();
    columns[12].name = "minimum"; // "min" missing: its values cannot be read
    makePresetDatabase(targetPath(), {Preset{}.row()}, columns);
    const std::string before = install.read("Engineering/Engineering.mdb");
    WorkOnMDB();
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"), before);
    EXPECT_NE(errorLog().find("/ TakeoverMachineCopyMDBData (Nr. 3000)"), std::string::npos);
}

TEST_F(WorkOnMdbTest, ATargetWithoutOrWithAnEmptyPresetTableIsReplaced) {
    runSilently();
    makeStandardSource();
    makePresetDatabase(targetPath(), {}); // empty: nothing to take over, nothing to report
    WorkOnMDB();
    EXPECT_EQ(targetRows().size(), 2u);
    EXPECT_FALSE(install.exists("Q4Mcfglog.txt"));

    fs::remove(targetPath());
    Database::create(targetPath()).createTable("Other", {{"a", "INTEGER"}});
    WorkOnMDB();
    EXPECT_EQ(targetRows().size(), 2u);
    EXPECT_NE(errorLog().find("/ CategorieNachCategoryID (Nr. 3000)"), std::string::npos);
}

TEST_F(WorkOnMdbTest, AColumnConflictEndsBeforeTheTargetIsReplaced) {
    writeCfg({"ForMachine1=true", "DataBaseAdditionalFields=speed"});
    makeStandardSource();
    makeTarget(targetPath(), 5.0);
    const std::string before = install.read("Engineering/Engineering.mdb");
    EXPECT_THROW(WorkOnMDB(), framework::ProgramEnded);
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"), before);
    // The source keeps its rebuilt, filled PRESET_DEFS.
    EXPECT_EQ(query(sourcePath(), "SELECT count(*) FROM PRESET_DEFS"),
              (std::vector<Row>{{Value(2)}}));
}

TEST_F(WorkOnMdbTest, ASourceThatIsNoDatabaseNeverReplacesTheTarget) {
    runSilently();
    install.write("Engineering/Engineering_Source.mdb", "not a database");
    makeTarget(targetPath(), 5.0);
    const std::string before = install.read("Engineering/Engineering.mdb");
    WorkOnMDB();
    EXPECT_EQ(install.read("Engineering/Engineering.mdb"), before);
    EXPECT_NE(errorLog().find("/ WorkOnMDB (Nr. 3000) :Could not open database"),
              std::string::npos);
}

class RecordingObserver : public UpdateObserver {
public:
    void keepResponsive() override { ++yields; }
    void progress(std::int64_t done, std::int64_t total) override {
        EXPECT_GE(done, last);
        last = done;
        this->total = total;
    }
    int yields = 0;
    std::int64_t last = 0;
    std::int64_t total = 0;
};

TEST(PacerTest, TheObserverIsCalledOnlyEverySoManyTicksAndIntervals) {
    RecordingObserver observer;
    Pacer pacer(&observer, std::chrono::steady_clock::duration::zero());
    pacer.stage(100, 200, 64);
    for (std::size_t i = 0; i < 64; ++i)
        pacer.tick(i + 1);
    EXPECT_EQ(observer.yields, 2); // the clock is looked at every 32 calls
    EXPECT_EQ(observer.last, 200);
    for (int i = 0; i < 32; ++i)
        pacer.poll();
    EXPECT_EQ(observer.yields, 3);

    RecordingObserver slow;
    Pacer hourly(&slow, std::chrono::hours(1));
    for (int i = 0; i < 1000; ++i)
        hourly.tick(std::size_t(i));
    EXPECT_EQ(slow.yields, 0);
    hourly.finish();
    EXPECT_EQ(slow.last, Pacer::kProgressTotal);
}

TEST_F(WorkOnMdbTest, TheObserverSeesTheUpdateComplete) {
    makeStandardSource();
    makeTarget(targetPath(), 5.0);
    RecordingObserver observer;
    WorkOnMDB(&observer);
    EXPECT_GT(observer.total, 0);
    EXPECT_EQ(observer.last, observer.total);
    EXPECT_EQ(targetRows()[0][3], Value(5.0));
}

} // namespace

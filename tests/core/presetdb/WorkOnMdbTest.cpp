#include "PresetFixture.h"

#include "presetdb/PresetMessages.h"
#include "presetdb/PresetUpdate.h"

#include "ini/ProfileFiles.h"
#include "run/ErrorProtocol.h"

#include <csignal>
#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

using namespace presettest;
using namespace std::string_literals;
namespace fs = std::filesystem;

#ifndef _WIN32
// While it lives no file of this process can grow beyond a size, as on a full
// disk; the signal that would end the process is ignored, so writes fail.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*handler_)(int) = SIG_DFL;
};
#endif

class WorkOnMdbTest : public PresetFixture {
protected:
    WorkOnMdbTest() { settings.AdditionalFields = GetAdditionalFieldsMDB(""); }

    void update(UpdateObserver* observer = nullptr) {
        WorkOnMDB(settings, files, program(), presets, observer);
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
    update(&observer); // no target yet
    EXPECT_GT(observer.total, 0);
    EXPECT_EQ(observer.last, observer.total); // the progress grows to completion
    EXPECT_EQ(targetRows(), (Rows{{1, "M1.Speed", 0.0}, {2, "M1.Temp", 0.0}}));
    EXPECT_EQ(target(), install.read("Engineering/Engineering_Source.mdb"));
    // Only the two databases: no temporary file, no journal.
    EXPECT_EQ(install.fileNames("Engineering"),
              (std::vector<std::string>{"Engineering.mdb", "Engineering_Source.mdb"}));
    // Exactly the copied columns: no index, key or other object.
    EXPECT_EQ(column(targetPath(), "SELECT name FROM sqlite_master ORDER BY name"),
              (Row{"PRESET_DEFS", "Source_DEFS", "Source_PRESET_DEFS"}));
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS"), standardColumns());

    // Values set on the machine, one of them on a row that carries its VisiWin
    // Studio name there; an index on the source's old PRESET_DEFS goes with it,
    // and a table only the target has is reported lost.
    Database(Database::open(targetPath()))
        .execute("UPDATE PRESET_DEFS SET min = 42 WHERE ID = 1; "
                 "UPDATE PRESET_DEFS SET min = 7, var_name = 'ns=M1;Temp' WHERE ID = 2; "
                 "CREATE TABLE Mine (a); INSERT INTO Mine VALUES (1), (2)");
    Database(Database::open(sourcePath())).execute("CREATE INDEX old ON PRESET_DEFS (var_name)");
    fs::last_write_time(sourcePath(),
                        fs::file_time_type::clock::now() - std::chrono::hours(24 * 300));
    const auto sourceTime = fs::last_write_time(sourcePath()); // as the system keeps it
    update();
    EXPECT_EQ(targetRows(), (Rows{{1, "M1.Speed", 42.0}, {2, "M1.Temp", 7.0}}));
    ASSERT_EQ(presets.report.lostTables.size(), 1u);
    EXPECT_EQ(presets.report.lostTables[0].name + std::to_string(presets.report.lostTables[0].rows),
              "Mine2");
    EXPECT_EQ(fs::last_write_time(sourcePath()), sourceTime);
    EXPECT_EQ(column(sourcePath(), "SELECT count(*) FROM sqlite_master WHERE type = 'index'"),
              Row{0});

    // Standalone VisiWin Studio project: the names are brought to the Studio names.
    settings.VWStudioProject = 1;
    update();
    EXPECT_EQ(targetRows()[0], (Row{1, "ns=M1;Speed", 42.0}));
    EXPECT_TRUE(nothingLogged());
}

TEST_F(WorkOnMdbTest, IntegratedTheMachineCopyReplacesTheTargetOrItsAbsenceIsTold) {
    runIntegrated();
    fs::create_directories(install.path("SaveRestore/Engineering"));
    files.machineCopyDatabase = install.path("SaveRestore/Engineering/Engineering.mdb");
    makeStandardSource();
    makeTarget(targetPath(), 3.0);
    update();
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].text.find("Konnte die Datei:Engineering.mdb in der Vorlage"),
              0u);
    EXPECT_EQ(targetRows()[0], (Row{1, "M1.Speed", 3.0}));

    makeTarget(files.machineCopyDatabase, 77.0);
    update();
    EXPECT_EQ(targetRows()[0], (Row{1, "M1.Speed", 77.0}));
    EXPECT_EQ(install.boxes.asked.size(), 1u);

    // A machine copy that cannot be read leaves the target as the last run left it.
    const std::string before = target();
    install.write("SaveRestore/Engineering/Engineering.mdb", "not a database");
    install.boxes.answer(true); // resume
    update();
    EXPECT_EQ(target(), before);
    ASSERT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_NE(install.boxes.asked[1].text.find("Could not open database"), std::string::npos);
}

// Templates and a previous target that still call the category column
// "Categorie": the takeover does not need the column, and the values stay.
TEST_F(WorkOnMdbTest, TemplatesWithTheLegacyCategoryColumnKeepTheMachinesValues) {
    auto legacy = standardColumns();
    legacy[5].name = "Categorie";
    makeSource({{"VISIWIN32", "###machine.###Var_Name", 1}},
               {Preset{.id = 1, .varName = "Speed", .offset = 1}.row(),
                Preset{.id = 2, .varName = "Temp", .offset = 2}.row()},
               legacy);
    makePresetDatabase(
        targetPath(),
        {Preset{.machineType = "M1", .varName = "M1.Temp", .offset = 2, .min = 42.0}.row()},
        legacy);
    update();
    EXPECT_EQ(targetRows(), (Rows{{1, "M1.Speed", 0.0}, {2, "M1.Temp", 42.0}}));
    EXPECT_EQ(Database::open(targetPath()).columns("PRESET_DEFS"), legacy);
    EXPECT_TRUE(nothingLogged());
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
    update();
    const auto& templates = presets.VarNameTemplates;
    EXPECT_EQ(templates[0][0], "###Var_Name");
    EXPECT_EQ(templates[1][0], "###Var_Name");
    EXPECT_EQ(templates[0][1], "later.###Var_Name");
    EXPECT_EQ(templates[0][2], "three.###Var_Name");
    EXPECT_EQ(templates[0][3], "");
    EXPECT_TRUE(nothingLogged()); // not reported
}

// Every point at which the new table can fail to be built whole: the target
// then stays byte for byte as it was (or absent), the failure is reported
// (a silent run ends with status 2), and the source keeps its tables. Damaged
// and unreadable databases and a .cfg without [Project] are run on the whole
// program (DamagedInstallation).
TEST_F(WorkOnMdbTest, TheTargetIsReplacedOnlyByATableBuiltWhole) {
    runSilently();
    enum class Outcome {
        KeptOrAbsent, // run with and without a previous target
        Kept,         // the previous target is the fault
        Replaced
    };
    struct Case {
        std::string name;
        std::function<void()> damage;
        std::string reported; // a part of the error log; "" for no report
        Outcome outcome = Outcome::KeptOrAbsent;
        bool diskFull = false; // files cannot grow while the update runs
    };
    const auto onSource = [this](std::string sql) {
        return [this, sql] { Database::open(sourcePath()).execute(sql); };
    };
    auto withoutMin = standardColumns();
    withoutMin[12].name = "minimum";
    std::vector<Case> cases = {
        {"no source database", [this] { fs::remove(sourcePath()); }, ""},
        {"no Source_DEFS", onSource("DROP TABLE Source_DEFS"),
         "WorkOnMDB (Nr. 3000) :SQL error: no such table: Source_DEFS"},
        {"no Source_PRESET_DEFS", onSource("DROP TABLE Source_PRESET_DEFS"),
         "WorkOnMDB (Nr. 3000) :Table 'Source_PRESET_DEFS' not found"},
        {"templates without min", onSource("ALTER TABLE Source_PRESET_DEFS RENAME min TO minimum"),
         "TakeoverMachineCopyMDBData (Nr. 3000) :SQL error: no such column: min", Outcome::Kept},
        {"part out of range", onSource("UPDATE Source_PRESET_DEFS SET part = 51 WHERE ID = 2"),
         "CreateRecordSets (Nr. 9) :Subscript out of range"},
        {"machine 1 without a name", [this] { settings.machines.clear(); },
         "CreateRecordSets (Nr. 9) :Subscript out of range"},
#ifndef _WIN32
        {"disk full", [] {}, "WorkOnMDB (Nr. 75) :Path/File access error: could not write",
         Outcome::KeptOrAbsent, true},
#endif
        {"target not a database",
         [this] {
             install.write("Engineering/Engineering.mdb",
                           std::string("SQLite format 3\0", 16) + std::string(500, '?'));
         },
         "WorkOnMDB (Nr. 3000) :Could not open database", Outcome::Kept},
        {"target without min",
         [&] {
             fs::remove(targetPath());
             makePresetDatabase(targetPath(), {Preset{}.row()}, withoutMin);
         },
         "TakeoverMachineCopyMDBData (Nr. 3000) :Item not found in this collection. (min)",
         Outcome::Kept},
        // A target without PRESET_DEFS has no values to lose; the failed rename
        // in it is reported, as ever.
        {"target without PRESET_DEFS",
         [this] {
             fs::remove(targetPath());
             Database::create(targetPath()).createTable("Other", {{"a", "INTEGER"}});
         },
         "CategorieNachCategoryID (Nr. 3000)", Outcome::Replaced},
        {"ForMachine1=false", [this] { settings.forMachine1 = false; }, "", Outcome::Replaced},
    };

    run::ProgramState& program = this->program();
    for (const Case& c : cases)
        for (const bool withTarget : {true, false}) {
            if (!withTarget && c.outcome != Outcome::KeptOrAbsent)
                continue;
            SCOPED_TRACE(c.name + (withTarget ? "" : ", no target"));
            fs::remove_all(sourcePath());
            fs::remove_all(targetPath());
            fs::remove(install.path("Q4Mcfglog.txt"));
            presets = PresetState{};
            program.failureReported = false;
            settings.machines = {"M1"};
            settings.forMachine1 = settings.hasProjectSection = true;
            makeStandardSource();
            // Temp carries its VisiWin Studio name, which the update renames.
            if (withTarget)
                makePresetDatabase(
                    targetPath(),
                    {Preset{.machineType = "M1", .varName = "M1.Speed", .offset = 1}.row(),
                     Preset{.machineType = "M1", .varName = "ns=M1;Temp", .offset = 2}.row()});
            c.damage();
            const std::string sourceBefore = install.read("Engineering/Engineering_Source.mdb");
            const std::string targetBefore = target();
            const auto names = install.fileNames("Engineering");

#ifndef _WIN32
            if (c.diskFull) {
                const FileSizeLimit full(fs::file_size(sourcePath()));
                update();
            } else
#endif
                update();

            const std::string log = nothingLogged() ? "" : install.errorLog();
            EXPECT_EQ(program.failureReported, !c.reported.empty()) << log;
            EXPECT_NE(log.find(c.reported), std::string::npos) << log;
            if (c.outcome == Outcome::Replaced) {
                EXPECT_EQ(target(), install.read("Engineering/Engineering_Source.mdb"));
                continue;
            }
            EXPECT_TRUE(target() == targetBefore);
            EXPECT_TRUE(install.read("Engineering/Engineering_Source.mdb") == sourceBefore);
            // No journal or temporary file is left behind.
            EXPECT_EQ(install.fileNames("Engineering"), names);
        }
}

// What the update reads from the INI files, read when the run loads.
TEST_F(WorkOnMdbTest, SettingsComeFromTheCfgAndProgramIni) {
    install.write("Engineering/Engineering.cfg",
                  "[Project]\r\nValidMachines=m1,M2\r\nForMachine1=True\r\n"
                  "DataBaseAdditionalFields=unit, speed\r\n");
    install.write("parameter/Program.ini", "[Project]\r\nVWStudio=TRUE\r\n");
    files.programIni = install.path("parameter/Program.ini");
    program().ExistingMachines = {"Press"};
    PresetSettings read = readPresetSettings(program(), files);
    EXPECT_EQ(read.VWStudioProject, 1);
    EXPECT_TRUE(read.hasProjectSection && read.forMachine1 && !read.integrated);
    EXPECT_EQ(read.validMachines, "m1,M2");
    EXPECT_EQ(read.machines, std::vector<std::string>{"Press"});
    EXPECT_EQ(read.AdditionalFields, (std::vector<std::string>{"", "part", "unit", " speed"}));

    runIntegrated(); // integrated runs never use VisiWin Studio
    install.write("Engineering/Engineering.cfg", "[Info]\r\n");
    program().profiles = {};
    read = readPresetSettings(program(), files);
    EXPECT_TRUE(read.integrated && !read.hasProjectSection && !read.forMachine1);
    EXPECT_EQ(read.VWStudioProject, 0);
    EXPECT_EQ(read.AdditionalFields, (std::vector<std::string>{"", "part"}));
}

TEST_F(WorkOnMdbTest, AConfiguredColumnMissingFromTheRebuiltTableEndsWithNothingReplaced) {
    runSilently(); // the conflict ends the program even where failures are resumed
    settings.AdditionalFields = GetAdditionalFieldsMDB("Var_Name"); // letter case counts
    makeStandardSource();
    makeTarget(targetPath(), 5.0);
    const std::string before = target();
    EXPECT_THROW(update(), run::ProgramEnded);
    EXPECT_EQ(install.errorLog(), columnConflictText(program(), "Var_Name") + "\r\n" +
                                      errorLine("TakeoverMachineCopyMDBData", 9999,
                                                "Database-Error - Contact Administrator!"));
    EXPECT_EQ(columnConflictText(program(), "Var_Name"),
              "Conflict while attempting to extend database!Configurationsfile "
              "\"ENGINEERING.CFG\", demanded field \"VAR_NAME\"missing in machinecopy-database\n\r"
              "Configuration of \"ENGINEERING\" aborted.");

    // A trailing comma demands a column with an empty name.
    runSilently(false);
    settings.AdditionalFields = GetAdditionalFieldsMDB("var_name,");
    EXPECT_EQ(settings.AdditionalFields, (std::vector<std::string>{"", "part", "var_name", ""}));
    EXPECT_THROW(update(), run::ProgramEnded);
    ASSERT_EQ(install.boxes.asked.size(), 1u);
    EXPECT_EQ(install.boxes.asked[0].title, "Fatal error");

    EXPECT_EQ(target(), before);
    // The rebuild was not committed: the source has no PRESET_DEFS.
    EXPECT_EQ(column(sourcePath(), "SELECT count(*) FROM sqlite_master WHERE name = 'PRESET_DEFS'"),
              Row{0});
}

} // namespace

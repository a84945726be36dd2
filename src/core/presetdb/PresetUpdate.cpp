#include "PresetUpdate.h"

#include "AccessConversion.h"
#include "Database.h"
#include "DatabaseContent.h"
#include "DatabaseFormat.h"
#include "MachineCopyTakeover.h"
#include "PresetMessages.h"
#include "PresetRecords.h"
#include "PreviousDatabase.h"

#include "installation/RunFiles.h"
#include "platform/FileSystem.h"
#include "platform/PlatformFiles.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/ProgramState.h"

#include <array>
#include <memory>
#include <optional>

namespace presetdb {
namespace {

using run::Failure;
using run::Procedure;

constexpr std::string_view kPresetTable = "PRESET_DEFS";
constexpr std::array<std::string_view, kSystemCount> kSystemNames = {"VISIWIN32", "VISIWINSTUDIO"};

// One "System" test of a Source_DEFS row: stores the row's "Var_Name" as the
// template of its part when "System" names this system.
void storeNameTemplate(PresetState& presets, const Statement& row, std::size_t system) {
    const Value name = row.column(row.columnIndex("System"));
    if (name.isNull() || platform::upperCase(toText(name)) != kSystemNames[system])
        return;
    const int part = toInt16(row.column(row.columnIndex("Part")));
    if (part < 1 || part > int(kPartCount))
        throw Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
    presets.VarNameTemplates[system][std::size_t(part - 1)] =
        toText(row.column(row.columnIndex("Var_Name")));
}

// Reads VarNameTemplates from Source_DEFS. A failure while the rows are read
// is not reported: part 1 of both systems then gets "###Var_Name" and the
// reading goes on with the next test. False when there is no Source_DEFS to
// read (reported).
bool readNameTemplates(PresetState& state, Database& source, Procedure& procedure) {
    const auto fallBack = [&state] {
        for (auto& templates : state.VarNameTemplates)
            templates[0] = "###Var_Name";
    };
    std::optional<Statement> rows;
    bool more = false;
    const auto next = [&] {
        if (!rows)
            rows = source.prepare("SELECT * FROM Source_DEFS ORDER BY _rowid_");
        more = rows->step();
    };
    Procedure quiet(procedure.program(), procedure.name(), Procedure::OnFailure::SkipSilently);
    for (;;) {
        // A table that cannot be read is reported; a row that holds no
        // template is not.
        if (!procedure.step(next)) {
            fallBack();
            return false;
        }
        if (!more)
            return true;
        for (std::size_t system = 0; system < kSystemCount; ++system)
            if (!quiet.step([&] { storeNameTemplate(state, *rows, system); }))
                fallBack();
    }
}

// A new, empty PRESET_DEFS with the columns of Source_PRESET_DEFS.
void rebuildPresetTable(Database& work) {
    for (const std::string& table : work.tableNames())
        if (table == kPresetTable)
            work.deleteTable(table);
    work.createTable(kPresetTable, work.columns("Source_PRESET_DEFS"));
}

// Steps of the update that read the previous database. Returns false when its
// machine values could not be read or taken over (a failure has been
// reported); a previous database without PRESET_DEFS has none to lose.
bool takeOverMachineValues(const PresetSettings& settings, PresetState& presets, Database& work,
                           PreviousDatabase& previous, Procedure& procedure, Pacer& pacer) {
    bool hasPresetTable = false;
    Database& machine = previous.database();
    if (!procedure.step([&] {
            for (const std::string& table : machine.tableNames())
                hasPresetTable = hasPresetTable || table == kPresetTable;
            // Its rows are read in table order.
            if (hasPresetTable)
                machine.prepare("SELECT _rowid_, * FROM " + quoteIdentifier(kPresetTable) +
                                " ORDER BY _rowid_");
        }))
        return false;
    if (!hasPresetTable)
        return true;
    return TakeoverMachineCopyMDBData(procedure.program(), settings, presets, work, machine,
                                      pacer) == TakeoverResult::Done;
}

// The number of rows of the preset table, for the change report; nothing
// when the database has no such table or it cannot be read.
std::optional<std::size_t> presetRowCount(Database& database, Procedure& quiet) {
    std::optional<std::size_t> rows;
    quiet.step([&] {
        for (const std::string& table : database.tableNames())
            if (table == kPresetTable) {
                Statement count = database.prepare("SELECT count(*) FROM PRESET_DEFS");
                count.step();
                rows = std::size_t(count.column(0).integer());
            }
    });
    return rows;
}

// The change report's figures of the preset table: rows before and after,
// and whether the rebuilt table holds other rows or values than the
// previous one (as it was before the update touched it) or either cannot be
// read.
void reportPresetTable(PresetTableReport& report, Database* before, Database& after,
                       Procedure& procedure) {
    Procedure quiet(procedure.program(), procedure.name(), Procedure::OnFailure::SkipSilently);
    const auto rowsBefore = before ? presetRowCount(*before, quiet) : std::nullopt;
    const auto rowsAfter = presetRowCount(after, quiet);
    report.rowsBefore = rowsBefore.value_or(0);
    report.rowsAfter = rowsAfter.value_or(0);
    const bool bothRead = rowsBefore.has_value() && rowsAfter.has_value();
    bool same = false;
    if (bothRead && report.rowsBefore == report.rowsAfter)
        quiet.step([&] { same = sameTableContent(*before, after, kPresetTable); });
    report.changed = !same;
}

// The databases one update holds open, so that the report and the staging
// of the rebuilt database read what is already there.
struct UpdateDatabases {
    std::optional<Database> work;
    std::string sourceBytes; // as read into work, until the previous one is read
    PreviousDatabase previous;
    // The previous database as it was read (an Access file converted), and
    // as a database for the report: the previous one while nothing in it was
    // renamed, otherwise a view of these bytes.
    std::string previousBytes;
    bool sourceHeldPrevious = false; // the source's bytes were previousBytes
    Database* before = nullptr;
    std::optional<Database> beforeView;
    // Whether the rebuilt database holds the same content as previousBytes,
    // when that was found out.
    std::optional<bool> sameAsBefore;
};

// Builds the new PRESET_DEFS in a copy of the source database in memory, in
// one transaction that is committed only when the table was built whole:
// templates read, every template row stored, the machine's values (from
// previousPath, when that file exists) read and written into it. The new
// database's bytes then; otherwise the failure has been reported.
std::optional<std::string> buildPresetTable(const PresetSettings& settings, PresetState& presets,
                                            const std::string& sourcePath,
                                            const std::string& previousPath,
                                            UpdateDatabases& databases, Procedure& procedure,
                                            Pacer& pacer) {
    std::optional<Database>& work = databases.work;
    if (!procedure.step(
            [&] { work = Database::readIntoMemory(sourcePath, &databases.sourceBytes); }))
        return std::nullopt;
    work->setProgressCallback([&pacer] { pacer.poll(); });
    if (!readNameTemplates(presets, *work, procedure))
        return std::nullopt;

    std::optional<Transaction> build;
    if (!procedure.step([&] {
            build.emplace(*work);
            rebuildPresetTable(*work);
        }))
        return std::nullopt;

    // The previous database is read from a copy in memory: the legacy
    // column's rename and the name replacements serve the takeover only, and
    // the file stays as it is until it is replaced.
    PreviousDatabase& previous = databases.previous;
    if (!previousPath.empty() && platform::fileExists(previousPath) && !procedure.step([&] {
            // An Access file (an installation moved onto this program) is
            // converted in memory; the file is only read.
            previous = PreviousDatabase(readAnyIntoMemory(previousPath));
            previous.database().setProgressCallback([&pacer] { pacer.poll(); });
        }))
        return std::nullopt;
    // The previous database as it was, for the change report.
    Procedure quiet(procedure.program(), procedure.name(), Procedure::OnFailure::SkipSilently);
    bool previousKept = false;
    if (previous.isOpen()) {
        previousKept = quiet.step([&] { databases.previousBytes = previous.database().bytes(); });
        databases.sourceHeldPrevious = databases.sourceBytes == databases.previousBytes;
    }
    std::string().swap(databases.sourceBytes); // large ones go back at once
    run::ProgramState& program = procedure.program();
    CategorieNachCategoryID(program, previous);
    if (!CreateRecordSets(program, settings, presets, *work, previous, pacer))
        return std::nullopt;
    if (previous.isOpen() &&
        !takeOverMachineValues(settings, presets, *work, previous, procedure, pacer))
        return std::nullopt;
    if (previousKept && !previous.changed())
        databases.before = &previous.database();
    else if (previousKept && quiet.step([&] {
                 databases.beforeView = Database::viewOf(databases.previousBytes, previousPath);
             }))
        databases.before = &*databases.beforeView;
    Database* before = databases.before;
    PresetTableReport& report = presets.report;
    reportPresetTable(report, before, *work, procedure);
    std::string bytes;
    report.built = procedure.step([&] {
        build->commit();
        bytes = work->bytes();
    });
    if (!report.built)
        return std::nullopt;
    // Whether a file that holds the previous bytes keeps its content, while
    // both databases are open: the preset table was compared for the report.
    // The update changes nothing of the source but that table, so when the
    // source held the previous bytes, the schema tells the rest (the table's
    // entry, and any index or trigger its rebuild dropped).
    if (before && bytes != databases.previousBytes)
        quiet.step([&] {
            databases.sameAsBefore =
                !report.changed &&
                (databases.sourceHeldPrevious ? sameSchema(*before, *work)
                                              : sameContent(*before, *work, kPresetTable));
        });
    return bytes;
}

// What the update found out about the rebuilt database's content against
// the previous database's bytes.
struct KnownContent {
    std::string previousBytes;
    std::size_t builtSize = 0;
    bool same = false;
};

// Stages a database file of the run, kept as it is when its content stays.
// A file that holds the previous database's bytes is judged by what the
// update found; any other is read and compared. The rule is staged with the
// bytes and only ever judges them, so their size stands for them.
void replaceDatabaseFile(run::ProgramState& program, const std::string& path, std::string bytes,
                         bool keepFileTimes, const std::shared_ptr<const KnownContent>& known) {
    const auto same = [known](std::string_view old, std::string_view now) {
        if (known && now.size() == known->builtSize && old == known->previousBytes)
            return known->same;
        return sameDatabaseContent(old, now);
    };
    if (!installation::replaceRunFile(program, path, std::move(bytes), same, keepFileTimes))
        throw Failure(run::ErrPathFileAccess,
                      "Path/File access error: could not write '" + path + "'");
}

// What is found at a path, and the path when a file is there ("" otherwise).
struct Found {
    platform::FileKind kind;
    std::string path;
};

Found look(const std::string& path) {
    const platform::FileKind kind = platform::probeFile(path);
    return {kind, kind == platform::FileKind::Missing ? std::string() : path};
}

} // namespace

void WorkOnMDB(const PresetSettings& settings, const installation::InstallationFiles& files,
               run::ProgramState& program, PresetState& presets, UpdateObserver* observer) {
    Procedure procedure(program, "WorkOnMDB");
    Pacer pacer(observer);
    presets.report = {};

    // Nothing but this run changes the files until it stages them.
    const Found source = look(files.sourceDatabase);
    const std::string& sourcePath = source.path;
    const std::string& targetPath = files.targetDatabase;
    if (sourcePath.empty())
        return;
    const Found target = look(targetPath);
    // Only an integrated run has a machine copy.
    const Found machineCopy = settings.integrated ? look(files.machineCopyDatabase)
                                                  : Found{platform::FileKind::Missing, {}};
    const std::string& machineCopyPath = machineCopy.path;
    // A database that exists but cannot be read (a folder, a FIFO, a dangling
    // link) is reported, and the panel's database stays as it is.
    for (const Found* found : {&source, &target, &machineCopy}) {
        if (found->kind == platform::FileKind::Unreadable) {
            procedure.step([&] {
                throw Failure(run::ErrPathFileAccess, platform::cannotReadMessage(found->path));
            });
            return;
        }
    }
    // The panel's run time may still read Access files: an Access source is
    // never converted here, the engineer is told how to convert it.
    if (!procedure.step([&] {
            if (isAccessFormat(databaseFormatOf(sourcePath)))
                throw Failure(run::ErrDatabase,
                              accessSourceMessage(sourcePath, settings.accessSourceText));
        }))
        return;
    pacer.stage(0, 50, 0);

    // In an integrated run the machine's values come from the machine copy
    // when there is one.
    std::string previousPath = targetPath;
    if (settings.integrated) {
        procedure.step([&] {
            if (!machineCopyPath.empty())
                previousPath = machineCopyPath;
            else
                program.reporter().tell({program.executableBaseName,
                                         missingMachineCopyMessage(program, targetPath),
                                         run::MessageIcon::Information});
        });
    }

    UpdateDatabases databases;
    auto built =
        buildPresetTable(settings, presets, sourcePath, previousPath, databases, procedure, pacer);
    pacer.stage(950, 1000, 0);
    // Only a table built whole replaces the databases; otherwise both stay
    // exactly as they were (or absent). The source keeps its file times.
    if (built) {
        // The tables of the panel's database that the new one lacks, for the report.
        Procedure quiet(program, procedure.name(), Procedure::OnFailure::SkipSilently);
        bool targetIsAccess = false;
        quiet.step([&] {
            if (target.kind == platform::FileKind::Missing)
                return;
            targetIsAccess = isAccessFormat(databaseFormatOf(targetPath));
            // The target was read once already when it gave the machine's values;
            // a rebuilt database of the same schema has every table it had.
            if (previousPath == targetPath && databases.before) {
                const bool sameTables =
                    databases.sameAsBefore.value_or(false) || *built == databases.previousBytes;
                if (!sameTables)
                    presets.report.lostTables = lostTables(*databases.before, *databases.work);
                return;
            }
            Database old = readAnyIntoMemory(targetPath);
            presets.report.lostTables = lostTables(old, *databases.work);
        });
        // The databases go before the files are staged, so that their memory
        // serves the copies.
        databases.before = nullptr;
        databases.beforeView.reset(); // it reads previousBytes in place
        databases.work.reset();
        databases.previous = PreviousDatabase();
        std::shared_ptr<const KnownContent> known;
        if (databases.sameAsBefore) {
            known = std::make_shared<const KnownContent>(KnownContent{
                std::move(databases.previousBytes), built->size(), *databases.sameAsBefore});
        }
        procedure.step([&] { replaceDatabaseFile(program, sourcePath, *built, true, known); });
        // The only case a normal run changes a database's format.
        if (procedure.step([&] {
                replaceDatabaseFile(program, targetPath, std::move(*built), false, known);
            }) &&
            targetIsAccess)
            presets.report.converted.push_back(
                platform::utf8Text(platform::nativePath(targetPath).filename()));
    }
    pacer.finish();
}

} // namespace presetdb

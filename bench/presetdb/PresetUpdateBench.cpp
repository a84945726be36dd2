// Times WorkOnMDB on generated databases of 1,000, 8,000 and 32,000 template
// rows (and as many machine rows) against the same transformation written in
// plain SQL and run by one sqlite3 process, and against the floor: one
// CREATE TABLE ... AS SELECT of the template rows run the same way. All start
// from copies of the same files and end with the source copied over the
// target; the results of WorkOnMDB and of the plain SQL are compared row by
// row.
//
// Usage: presetdb_bench [repetitions [rows...]]
//        (default 5 repetitions, the median is printed; rows 1000 8000 32000)

#include "BenchmarkData.h"

#include "presetdb/Database.h"
#include "presetdb/PresetUpdate.h"
#include "presetdb/UpdateObserver.h"

#include "installation/RunFiles.h"
#include "run/ProgramState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kSizes[] = {1000, 8000, 32000};

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The installation WorkOnMDB works on: <root>/Engineering with its settings,
// and a silent run on it.
struct Installation {
    explicit Installation(const fs::path& root)
        : root(root), program(silentStart(root / "Engineering"), nullptr) {
        fs::create_directories(component());
        settings.hasProjectSection = true;
        settings.forMachine1 = true;
        settings.machines = {"M1"};
        settings.AdditionalFields = presetdb::GetAdditionalFieldsMDB("speed,width");
    }
    static run::ProgramStart silentStart(const fs::path& component) {
        return {"/EXTERNAL SILENT", component.string(), "Engineering_Config"};
    }
    fs::path component() const { return root / "Engineering"; }
    fs::path source() const { return component() / "Engineering_Source.mdb"; }
    fs::path target() const { return component() / "Engineering.mdb"; }
    fs::path root;
    run::ProgramState program;
    installation::InstallationFiles files =
        installation::componentFiles(root.string(), "Engineering");
    presetdb::PresetSettings settings;
    presetdb::PresetState presets;
};

void copyOver(const fs::path& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

std::vector<std::vector<presetdb::Value>> presetRows(const fs::path& database) {
    presetdb::Database db = presetdb::Database::open(database.string());
    presetdb::Statement rows = db.prepare("SELECT * FROM PRESET_DEFS ORDER BY ID");
    std::vector<std::vector<presetdb::Value>> result;
    while (rows.step()) {
        auto& row = result.emplace_back();
        for (int i = 0; i < rows.columnCount(); ++i)
            row.push_back(rows.column(i));
    }
    return result;
}

// Measures the longest time the update goes without letting the window run.
class GapObserver : public presetdb::UpdateObserver {
public:
    void keepResponsive() override { note(); }
    void progress(std::int64_t, std::int64_t) override {}
    void note() {
        const auto now = Clock::now();
        if (started_)
            longest = std::max(longest, milliseconds(now - last_));
        last_ = now;
        started_ = true;
    }
    double longest = 0;

private:
    Clock::time_point last_;
    bool started_ = false;
};

// Runs a script on copies of the pristine files in folder, by one sqlite3
// process on the source, then copies the source over the target, as the
// update ends; the median time of the repetitions.
double medianSqliteRun(const fs::path& pristine, const fs::path& folder, const std::string& sql,
                       int repetitions) {
    fs::create_directories(folder);
    const fs::path script = folder / "script.sql";
    writeText(script, sql);
    const std::string command =
        "sqlite3 -bail '" + (folder / "source.mdb").string() + "' < '" + script.string() + "'";
    std::vector<double> times;
    for (int r = 0; r < repetitions; ++r) {
        copyOver(pristine / "source.mdb", folder / "source.mdb");
        copyOver(pristine / "target.mdb", folder / "target.mdb");
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::cerr << "sqlite3 failed: " << command << "\n";
            std::exit(1);
        }
        copyOver(folder / "source.mdb", folder / "target.mdb");
        times.push_back(milliseconds(Clock::now() - start));
    }
    return median(times);
}

// The floor of the update: the one statement CREATE TABLE ... AS SELECT of
// the template rows, in the work database as the update holds it (the source
// copied into memory), whose bytes are then written over the source and the
// target as the update writes them.
double timeFloor(const fs::path& pristine, Installation& installation) {
    copyOver(pristine / "source.mdb", installation.source());
    copyOver(pristine / "target.mdb", installation.target());
    const auto start = Clock::now();
    presetdb::Database work = presetdb::Database::readIntoMemory(installation.source().string());
    work.execute("BEGIN; CREATE TABLE Copied AS SELECT * FROM Source_PRESET_DEFS; COMMIT");
    const std::string bytes = work.bytes();
    if (!installation::replaceRunFile(installation.program, installation.source().string(), bytes,
                                      {}, true) ||
        !installation::replaceRunFile(installation.program, installation.target().string(),
                                      bytes)) {
        std::cerr << "could not write the floor's files\n";
        std::exit(1);
    }
    return milliseconds(Clock::now() - start);
}

double timeUpdate(const fs::path& pristine, Installation& installation) {
    copyOver(pristine / "source.mdb", installation.source());
    copyOver(pristine / "target.mdb", installation.target());
    const auto start = Clock::now();
    presetdb::WorkOnMDB(installation.settings, installation.files, installation.program,
                        installation.presets);
    return milliseconds(Clock::now() - start);
}

struct Figures {
    int rows;
    double update;
    double baseline;
    double statement;
    double floor;
    double timesFloor; // the median of the paired runs' ratios
    bool sameResult;
    double longestWithoutYield;
};

Figures measure(int rows, int repetitions, const fs::path& scratch) {
    const fs::path pristine = scratch / ("pristine-" + std::to_string(rows));
    fs::create_directories(pristine);
    bench::writeSourceDatabase(pristine / "source.mdb", rows);
    bench::writePreviousTarget(pristine / "target.mdb", rows);

    // The update and its floor run by turns, so that both meet the same load.
    Installation installation(scratch / "installation");
    std::vector<double> updates;
    std::vector<double> floors;
    std::vector<double> ratios;
    for (int r = 0; r < repetitions; ++r) {
        updates.push_back(timeUpdate(pristine, installation));
        floors.push_back(timeFloor(pristine, installation));
        ratios.push_back(updates.back() / floors.back());
    }
    GapObserver observer;
    copyOver(pristine / "source.mdb", installation.source());
    copyOver(pristine / "target.mdb", installation.target());
    observer.note();
    presetdb::WorkOnMDB(installation.settings, installation.files, installation.program,
                        installation.presets, &observer);
    observer.note();

    if (fs::exists(installation.root / "Q4Mcfglog.txt"))
        std::cerr << "warning: the update reported failures, see "
                  << (installation.root / "Q4Mcfglog.txt") << "\n";

    const fs::path plain = scratch / "plain";
    const double baseline =
        medianSqliteRun(pristine, plain, bench::baselineScript(plain / "target.mdb"), repetitions);
    const double statement = medianSqliteRun(pristine, scratch / "statement",
                                             "BEGIN; CREATE TABLE Copied AS SELECT * FROM "
                                             "Source_PRESET_DEFS; COMMIT;\n",
                                             repetitions);
    const bool same = presetRows(installation.target()) == presetRows(plain / "target.mdb");
    return {rows,           median(updates), baseline, statement,
            median(floors), median(ratios),  same,     observer.longest};
}

std::string withSeparators(int number) {
    std::string text = std::to_string(number);
    for (int i = int(text.size()) - 3; i > 0; i -= 3)
        text.insert(std::size_t(i), ",");
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> sizes(std::begin(kSizes), std::end(kSizes));
    if (argc > 2)
        sizes.clear();
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    const fs::path scratch =
        fs::temp_directory_path() / ("presetdb-bench-" + std::to_string(::getpid()));
    fs::create_directories(scratch);

    std::vector<Figures> figures;
    for (int rows : sizes)
        figures.push_back(measure(rows, repetitions, scratch));
    fs::remove_all(scratch);

    std::printf("WorkOnMDB against plain SQL and against one CREATE TABLE ... AS SELECT of the\n"
                "template rows, each run by one sqlite3 process, and against the floor: that\n"
                "statement in memory with the update's reading and writing of the files\n"
                "(median of %d runs, the update and its floor by turns; template rows =\n"
                "machine rows, two additional fields)\n\n",
                repetitions);
    std::printf("| Template rows | WorkOnMDB | Plain SQL | Ratio | The statement alone | Floor | "
                "Times the floor | Longest without yield | Same result |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|:---:|\n");
    for (const Figures& f : figures)
        std::printf("| %s | %.0f ms | %.0f ms | %.2f | %.0f ms | %.0f ms | %.1f | %.0f ms | %s |\n",
                    withSeparators(f.rows).c_str(), f.update, f.baseline, f.update / f.baseline,
                    f.statement, f.floor, f.timesFloor, f.longestWithoutYield,
                    f.sameResult ? "yes" : "NO");
    const bool allSame =
        std::all_of(figures.begin(), figures.end(), [](const Figures& f) { return f.sameResult; });
    return allSame ? 0 : 1;
}

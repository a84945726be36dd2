// Times the closing sequence of a silent run in this process, on a fresh copy
// of an installation each time:
//  - as the program runs it: every file staged, then journalled (copies of
//    the old versions, manifest, flushes), replaced together, and reported;
//  - without journal and report: each file replaced at once where it is
//    written.
// On the sample installation and on the sample with 32,000 template rows and
// as many machine rows. Prints the median of each and their ratio.
//
// Usage: journal_bench [repetitions]   (default 7)

#include "BenchmarkData.h"

#include "engineering/ConfigurationRun.h"
#include "engineering/DatabaseUpdate.h"
#include "engineering/WriteFunctionFiles.h"
#include "run/ProgramState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample installation, with generated preset databases when rows > 0.
void makeInstallation(const fs::path& root, int rows) {
    fs::remove_all(root);
    fs::copy(EXAMPLES_DIR, root, fs::copy_options::recursive);
    if (rows == 0)
        return;
    const fs::path component = root / "Engineering";
    fs::remove(component / "Engineering_Source.mdb");
    fs::remove(component / "Engineering.mdb");
    bench::writeSourceDatabase(component / "Engineering_Source.mdb", rows);
    bench::writePreviousTarget(component / "Engineering.mdb", rows);
    std::string cfg = readText(component / "Engineering.cfg");
    const std::string fields = "DataBaseAdditionalFields=unit";
    cfg.replace(cfg.find(fields), fields.size(), "DataBaseAdditionalFields=speed,width");
    std::ofstream(component / "Engineering.cfg", std::ios::binary) << cfg;
}

double closingSequence(const fs::path& root, bool journal) {
    engineering::ConfigurationRun run(
        {"/EXTERNAL SILENT", (root / "Engineering").string(), "Engineering_Config"}, nullptr);
    engineering::PresetDatabaseUpdate update(run);
    run.load();
    const auto started = Clock::now();
    if (journal) {
        run.commit(update);
    } else {
        run.program.transaction = nullptr;
        update.run();
        engineering::WriteInputs(run.program, run.files, run.lists);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const fs::path root = fs::temp_directory_path() / "journal-bench";
    std::printf("Closing sequence of a silent run (median of %d, fresh copy each time)\n\n"
                "| Installation | With journal and report | Files replaced at once | Ratio |\n"
                "|---|---:|---:|---:|\n",
                repetitions);
    for (const int rows : {0, 32000}) {
        std::vector<double> with;
        std::vector<double> without;
        for (int i = 0; i < repetitions; ++i)
            for (const bool journal : {true, false}) {
                makeInstallation(root, rows);
                (journal ? with : without).push_back(closingSequence(root, journal));
            }
        const double a = median(with);
        const double b = median(without);
        std::printf("| %s | %.1f ms | %.1f ms | %.2f |\n",
                    rows == 0 ? "sample" : "32,000 preset rows", a, b, a / b);
    }
    fs::remove_all(root);
    return 0;
}

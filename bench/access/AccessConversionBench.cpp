// Times the conversion of an Access database to an SQLite database in memory
// against mdbtools' own way there: mdb-export of each table piped into one
// sqlite3 .import a table, into a database in memory. Prints the median of
// each and their ratio (the goal: the conversion within 3 times the other).
//
// Usage: access_bench [file.mdb] [repetitions]   (default: the 32,000-row
// Engineering.mdb beside the project, 5 repetitions)

#include "presetdb/AccessConversion.h"
#include "presetdb/AccessDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point started) {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

} // namespace

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : DEFAULT_ACCESS_FILE;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (!std::filesystem::exists(file)) {
        std::printf("skipped: %s is not there\n", file.c_str());
        return 0;
    }

    std::vector<double> conversion;
    std::size_t tables = 0;
    for (int i = 0; i < repetitions; ++i) {
        const auto started = Clock::now();
        const presetdb::Database converted = presetdb::convertAccessDatabase(file);
        conversion.push_back(millisecondsSince(started));
        tables = converted.tableNames().size();
    }
    std::printf("conversion of %s (%zu tables): %.0f ms\n", file.c_str(), tables,
                median(conversion));

    if (std::system("command -v mdb-export >/dev/null && command -v sqlite3 >/dev/null") != 0) {
        std::printf("mdb-export or sqlite3 missing (packages mdbtools, sqlite3): no comparison\n");
        return 0;
    }
    std::string import;
    for (const std::string& table : presetdb::AccessDatabase(file).tableNames())
        import += " " + quoted(".import --csv \"|mdb-export " + quoted(file) + " " + quoted(table) +
                               "\" \"" + table + "\"");
    const std::string command = "sqlite3 :memory:" + import;
    std::vector<double> reference;
    for (int i = 0; i < repetitions; ++i) {
        const auto started = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::printf("failed: %s\n", command.c_str());
            return 1;
        }
        reference.push_back(millisecondsSince(started));
    }
    std::printf("mdb-export | sqlite3 .import: %.0f ms\n", median(reference));
    std::printf("ratio: %.2f (goal: at most 3)\n", median(conversion) / median(reference));
}

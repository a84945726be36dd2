#include "SampleInstallation.h"

#include <sqlite3.h>

#include <algorithm>
#include <regex>

namespace fs = std::filesystem;

namespace testsupport {

// A built file in the component folder: a hard link where the file system
// allows it (the program is large), a copy otherwise.
void SampleInstallation::placeBuilt(const fs::path& built) const {
    std::error_code noLink;
    fs::create_hard_link(built, component() / built.filename(), noLink);
    if (noLink)
        fs::copy_file(built, component() / built.filename());
}

SampleInstallation::SampleInstallation(const std::string& name) : TestInstallation(name) {
    fs::copy(EXAMPLES_DIR, root(), fs::copy_options::recursive);
    placeBuilt(PROGRAM_PATH);
#ifdef WINDOW_MODULE_PATH
    placeBuilt(WINDOW_MODULE_PATH);
#endif
}

fs::path SampleInstallation::program() const {
    return component() / fs::path(PROGRAM_PATH).filename();
}

Ending SampleInstallation::run(const std::vector<std::string>& arguments) const {
    return ProgramRun(program(), arguments, scratch("run.stderr")).wait();
}

void SampleInstallation::restore() const {
    for (const auto& entry : fs::directory_iterator(component()))
        if (entry.path() != program())
            fs::remove_all(entry.path());
    for (const auto& entry : fs::directory_iterator(root()))
        if (entry.path() != component())
            fs::remove_all(entry.path());
    fs::copy(EXAMPLES_DIR, root(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
#ifdef WINDOW_MODULE_PATH
    placeBuilt(WINDOW_MODULE_PATH);
#endif
}

std::vector<std::string> SampleInstallation::temporaries() const {
    static const std::regex pattern(R"(\..+\.tmp[0-9]+)");
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root()))
        if (std::regex_match(entry.path().filename().string(), pattern))
            names.push_back(fs::relative(entry.path(), root()).string());
    return names;
}

std::vector<std::string> queryRows(sqlite3* database, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return {"cannot query: " + std::string(sqlite3_errmsg(database))};
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const auto* text = sqlite3_column_text(statement, column);
            row += text ? "'" + std::string(reinterpret_cast<const char*>(text)) + "'" : "NULL";
            row += '|';
        }
        rows.push_back(row);
    }
    sqlite3_finalize(statement);
    return rows;
}

std::vector<std::string> databaseContent(const fs::path& path, const std::string& onlyTable) {
    sqlite3* database = nullptr;
    const std::u8string name = path.u8string(); // SQLite takes UTF-8 names
    if (sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &database,
                        SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(database);
        return {"cannot open " + path.string()};
    }
    std::vector<std::string> content;
    const auto tables =
        queryRows(database, "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name "
                            "NOT LIKE 'sqlite%' ORDER BY name");
    for (const std::string& table : tables) {
        const std::string name = table.substr(1, table.find("'|") - 1);
        if (!onlyTable.empty() && name != onlyTable)
            continue;
        auto rows = queryRows(database, "SELECT * FROM \"" + name + "\"");
        std::sort(rows.begin(), rows.end());
        content.push_back(table);
        content.insert(content.end(), rows.begin(), rows.end());
    }
    sqlite3_close(database);
    return content;
}

} // namespace testsupport

// The built program run as the installation runs it: several silent runs at
// once, runs killed at random moments, and a window asked for where there is
// no display. Each test works on its own copies of the sample installation.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <regex>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAnotherRun = "another run is editing this installation";
constexpr std::string_view kNoDisplay = "No display to show the window on";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The test's environment without any display, with the given entries added.
std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const bool display = text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
                             text.starts_with("QT_QPA_PLATFORM=");
        if (!display)
            entries.emplace_back(text);
    }
    entries.insert(entries.end(), extra.begin(), extra.end());
    return entries;
}

// How a started program ended.
struct Ending {
    bool exited = false; // false: ended by a signal
    int status = -1;
    std::string errorOutput;
};

// One start of the program, its standard error going to a file.
class ProgramRun {
public:
    ProgramRun(const fs::path& program, const std::vector<std::string>& arguments,
               const fs::path& errorFile,
               const std::vector<std::string>& environment = environmentWithoutDisplay())
        : errorFile_(errorFile) {
        std::vector<std::string> texts{program.string()};
        texts.insert(texts.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        std::vector<std::string> environmentTexts = environment;
        std::vector<char*> envp;
        for (std::string& entry : environmentTexts)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int started =
            posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (started != 0)
            pid_ = -1;
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    void kill() const { ::kill(pid_, SIGKILL); }

    Ending wait() {
        Ending ending;
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_)
            return ending;
        pid_ = -1;
        ending.exited = WIFEXITED(status);
        ending.status = ending.exited ? WEXITSTATUS(status) : WTERMSIG(status);
        ending.errorOutput = readFile(errorFile_);
        return ending;
    }

private:
    pid_t pid_ = -1;
    fs::path errorFile_;
};

// A copy of the sample installation with the built program in its component folder.
class Installation {
public:
    explicit Installation(const std::string& name, bool withWindowModule = false) {
        root_ = fs::temp_directory_path() /
                ("eng-runs-" + name + "-" + std::to_string(std::random_device{}()));
        fs::copy(EXAMPLES_DIR, root_, fs::copy_options::recursive);
        placeInComponent(PROGRAM_PATH);
        if (withWindowModule)
            placeInComponent(WINDOW_MODULE_PATH);
    }
    ~Installation() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const fs::path& root() const { return root_; }
    fs::path component() const { return root_ / "Engineering"; }
    fs::path program() const { return component() / "Engineering_Config"; }
    std::string file(std::string_view name) const { return readFile(component() / name); }
    std::string faultLog() const { return readFile(root_ / "HalvarServicePack.log"); }

    Ending runSilently() const {
        ProgramRun run(program(), {"/EXTERNAL", "SILENT"}, root_ / "run.stderr");
        return run.wait();
    }

    // Puts the sample's files back: everything but the program goes.
    void restore() const {
        for (const auto& entry : fs::directory_iterator(component()))
            if (entry.path() != program())
                fs::remove_all(entry.path());
        for (const auto& entry : fs::directory_iterator(root_))
            if (entry.path() != component())
                fs::remove_all(entry.path());
        fs::copy(EXAMPLES_DIR, root_,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    // Files an interrupted run left: "." + name + ".tmp" + digits.
    std::vector<std::string> temporaries() const {
        static const std::regex pattern(R"(\..+\.tmp[0-9]+)");
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(component()))
            if (std::regex_match(entry.path().filename().string(), pattern))
                names.push_back(entry.path().filename().string());
        return names;
    }

private:
    // A hard link where the file system allows it: the built files are large.
    void placeInComponent(const fs::path& built) const {
        std::error_code noLink;
        fs::create_hard_link(built, component() / built.filename(), noLink);
        if (noLink)
            fs::copy_file(built, component() / built.filename());
    }

    fs::path root_;
};

// The rows of a query, each as text, in the order given.
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

// What a database holds: the schema, then every table's rows sorted. Opened
// for writing, so that a journal left by a killed run is rolled back first,
// as any reader would.
std::vector<std::string> databaseContent(const fs::path& path, const std::string& onlyTable = {}) {
    sqlite3* database = nullptr;
    if (sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
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

using Lines = std::vector<std::string>;

// A text file's lines, each with its line end: equal lines, equal bytes.
Lines linesOf(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1);
        lines.push_back(bytes.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// "" when a file is its old or its new version; else the first line where it
// differs from each.
std::string neitherOldNorNew(const Lines& now, const Lines& old, const Lines& renewed) {
    if (now == old || now == renewed)
        return {};
    const auto firstDifference = [&now](const Lines& other) {
        const auto [mine, theirs] =
            std::mismatch(now.begin(), now.end(), other.begin(), other.end());
        return testing::PrintToString(mine == now.end() ? std::string("(end)") : *mine) + " / " +
               testing::PrintToString(theirs == other.end() ? std::string("(end)") : *theirs);
    };
    return "differs from the old at " + firstDifference(old) + ", from the new at " +
           firstDifference(renewed);
}

// The files a silent run writes, each as a reader sees it: text files byte for
// byte, databases by their content.
std::map<std::string, Lines> writtenFiles(const Installation& installation) {
    std::map<std::string, Lines> files;
    for (const char* name : {"Engineering.cfg", "Engineering.int", "Engineering_Config.ini"})
        files[name] = linesOf(installation.file(name));
    for (const char* name : {"Engineering.mdb", "Engineering_Source.mdb"})
        files[name] = databaseContent(installation.component() / name);
    return files;
}

} // namespace

TEST(InstallationRuns, SilentRunsStartedTogetherTakeTurns) {
    constexpr int kRuns = 8;
    Installation shared("shared");
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (int n = 0; n < kRuns; ++n)
        runs.push_back(std::make_unique<ProgramRun>(
            shared.program(), std::vector<std::string>{"/EXTERNAL", "SILENT"},
            shared.root() / ("run" + std::to_string(n) + ".stderr")));
    int completed = 0;
    for (auto& run : runs) {
        const Ending ending = run->wait();
        ASSERT_TRUE(ending.exited) << "signal " << ending.status;
        if (ending.status == 0) {
            ++completed;
            continue;
        }
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(kAnotherRun), std::string::npos) << ending.errorOutput;
    }
    ASSERT_GE(completed, 1);

    // Runs that took turns leave what as many runs one after the other leave,
    // and a refused run changed nothing.
    Installation alone("alone");
    for (int n = 0; n < completed; ++n)
        ASSERT_EQ(alone.runSilently().status, 0);

    EXPECT_EQ(shared.file("Engineering.cfg"), alone.file("Engineering.cfg"));
    EXPECT_EQ(shared.file("Engineering.int"), alone.file("Engineering.int"));
    EXPECT_EQ(shared.file("Engineering_Config.ini"), alone.file("Engineering_Config.ini"));
    const auto presets = databaseContent(shared.component() / "Engineering.mdb", "PRESET_DEFS");
    EXPECT_EQ(presets, databaseContent(alone.component() / "Engineering.mdb", "PRESET_DEFS"));
    EXPECT_EQ(std::adjacent_find(presets.begin(), presets.end()), presets.end())
        << "a preset row is there twice";
    EXPECT_GT(presets.size(), 1u);
    // No run met another's half-done work.
    EXPECT_FALSE(fs::exists(shared.root() / "Q4Mcfglog.txt"))
        << readFile(shared.root() / "Q4Mcfglog.txt");
}

TEST(InstallationRuns, AKilledRunLeavesEveryFileOldOrNewAndTheNextRunCleansUp) {
    Installation pristine("old");
    const auto before = writtenFiles(pristine);
    Installation finished("new");
    ASSERT_EQ(finished.runSilently().status, 0);
    const auto after = writtenFiles(finished);
    // The typical duration of a run, taken once the program is in the cache.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(pristine.runSilently().status, 0);
    const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);

    // Kills at random moments up to the time an uninterrupted run takes, each
    // on a fresh copy of the sample installation.
    const auto seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, duration.count());
    Installation killed("killed");
    for (int iteration = 0; iteration < 20; ++iteration) {
        const long microseconds = delay(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", killed after " +
                     std::to_string(microseconds) + " us");
        killed.restore();
        {
            ProgramRun run(killed.program(), {"/EXTERNAL", "SILENT"},
                           killed.root() / "killed.stderr");
            std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
            run.kill();
            run.wait();
        }
        for (const auto& [name, now] : writtenFiles(killed))
            EXPECT_EQ(neitherOldNorNew(now, before.at(name), after.at(name)), "") << name;

        const Ending next = killed.runSilently();
        EXPECT_TRUE(next.exited && next.status == 0) << next.errorOutput << killed.faultLog();
        EXPECT_EQ(killed.temporaries(), std::vector<std::string>{});
    }
}

TEST(InstallationRuns, AWindowWithoutADisplayEndsWithClearWordsAndChangesNothing) {
    Installation installation("nodisplay", true);
    const std::string cfg = installation.file("Engineering.cfg");
    const std::string stored = installation.file("Engineering.int");
    const std::string languageFile = installation.file("Engineering_Config.ini");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> display; // none, or one that cannot be reached
    };
    const std::vector<Case> cases = {
        {{"/EXTERNAL", "SILENTX"}, {}},
        {{"/EXTERNAL"}, {}},
        {{}, {}},
        {{"/EXTERNAL", "Q4MCFG"}, {}},
        {{"/EXTERNAL", "SILENTX"}, {"DISPLAY=:4711"}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::PrintToString(each.arguments) + testing::PrintToString(each.display));
        fs::remove(installation.root() / "HalvarServicePack.log");
        ProgramRun run(installation.program(), each.arguments,
                       installation.root() / "window.stderr",
                       environmentWithoutDisplay(each.display));
        const Ending ending = run.wait();
        EXPECT_TRUE(ending.exited) << "signal " << ending.status;
        EXPECT_EQ(ending.status, 1);
        EXPECT_NE(ending.errorOutput.find(kNoDisplay), std::string::npos) << ending.errorOutput;
        EXPECT_NE(
            installation.faultLog().find("! Fault Engineering_Config: " + std::string(kNoDisplay)),
            std::string::npos);
    }
    EXPECT_EQ(installation.file("Engineering.cfg"), cfg);
    EXPECT_EQ(installation.file("Engineering.int"), stored);
    EXPECT_EQ(installation.file("Engineering_Config.ini"), languageFile);
}

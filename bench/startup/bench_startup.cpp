// Times whole processes of the program, as a caller sees them:
//  - --version, and the silent run on the sample installation and on a large one
//    (48 functions, 100 symbols, a .cfg with 20 special-key sections);
//  - with a display: the main window shown with its 48 pictures against a bare
//    Qt process that only shows a window with 48 buttons.
// Prints the median and the fastest of each, in milliseconds.
// Usage: bench_startup [runs] [program], the program by default this build's.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

fs::path sampleInstallation(const fs::path& root, const fs::path& program) {
    fs::remove_all(root);
    fs::copy(EXAMPLES_DIR, root, fs::copy_options::recursive);
    fs::copy_file(program, root / "Engineering" / "Engineering_Config");
    return root;
}

// A copy of one of the sample's pictures, outside the folder's symbol list.
fs::path scratchPicture(const fs::path& folder) {
    const fs::path copy = folder.parent_path() / "picture.gif";
    fs::copy_file(folder / "Pump_800.gif", copy, fs::copy_options::overwrite_existing);
    return copy;
}

// The sample installation grown to 48 catalogue functions, 100 symbols and 20
// special-key sections in the .cfg.
fs::path largeInstallation(const fs::path& root, const fs::path& program) {
    sampleInstallation(root, program);
    const fs::path folder = root / "Engineering";
    const fs::path picture = scratchPicture(folder);
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().ends_with("_800.gif"))
            fs::remove(entry.path());
    for (int i = 1; i <= 100; ++i)
        fs::copy_file(picture, folder / ("Symbol" + std::to_string(i) + "_800.gif"));
    std::string catalogue;
    for (int n = 1; n <= 48; ++n) {
        catalogue += "[All_Function_" + std::to_string(n) + "]\r\nWhereICome=Standard\r\n" +
                     "Enabled=true\r\nExeFunction=C:\\Tools\\tool" + std::to_string(n) +
                     ".exe\r\nSymbolName=Engineering\\Symbol" + std::to_string(n) +
                     ".gif\r\nSpecialKey=" + std::to_string(n) + "\r\nDescription=Function " +
                     std::to_string(n) +
                     "\r\nPosMode=1\r\nPosLeft=10\r\nPosTop=10\r\nWindowName=*Tool*\r\n"
                     "EndTime=5\r\nEndMode=16\r\n";
    }
    write(folder / "Engineering.dat", catalogue);
    fs::remove(folder / "Engineering.int");
    std::string cfg = "[Project]\r\nValidMachines=ALL\r\nForMachine1=true\r\n";
    for (int k = 1; k <= 20; ++k)
        cfg += "[Function" + std::to_string(k) + "]\r\nWhereICome=Panel\r\nExeFunction=x.exe\r\n" +
               "SpecialKey=" + std::to_string(48 + k) + "\r\nWindowName=Panel [" +
               std::to_string(k) + "]\r\n";
    write(folder / "Engineering.cfg", cfg);
    return root;
}

// One run of the program started directly (no shell, whose own start would
// weigh on every figure and make the ratios look smaller), its output
// thrown away.
double runOnce(const std::vector<std::string>& command) {
    std::vector<char*> arguments;
    for (const std::string& argument : command)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = -1;
    const bool ran =
        posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ) == 0 &&
        waitpid(child, &status, 0) == child;
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!ran || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "failed: " << command.front() << "\n";
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

struct Figures {
    double median;
    double fastest;
};

Figures figuresOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

Figures time(const std::vector<std::string>& command, int runs) {
    std::vector<double> times;
    runOnce(command); // warm the file cache
    for (int i = 0; i < runs; ++i)
        times.push_back(runOnce(command));
    return figuresOf(std::move(times));
}

// Two commands timed in turns, so that a machine growing busier or quieter
// meanwhile weighs on both alike: their ratio is what is compared.
std::pair<Figures, Figures> timeInTurns(const std::vector<std::string>& first,
                                        const std::vector<std::string>& second, int runs) {
    std::vector<double> firstTimes;
    std::vector<double> secondTimes;
    runOnce(first);
    runOnce(second);
    for (int i = 0; i < runs; ++i) {
        firstTimes.push_back(runOnce(first));
        secondTimes.push_back(runOnce(second));
    }
    return {figuresOf(std::move(firstTimes)), figuresOf(std::move(secondTimes))};
}

void print(const std::string& what, const Figures& figures) {
    std::cout << std::left << std::setw(44) << what << std::right << std::fixed
              << std::setprecision(1) << std::setw(8) << figures.median << " ms median"
              << std::setw(8) << figures.fastest << " ms fastest\n";
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    // Another build of the program may be timed, such as one without the window.
    const fs::path program = argc > 2 ? fs::path(argv[2]) : fs::path(PROGRAM_PATH);
    const fs::path scratch = fs::temp_directory_path() / "engineering-bench-startup";
    fs::create_directories(scratch);
    const fs::path sample = sampleInstallation(scratch / "sample", program);
    const fs::path large = largeInstallation(scratch / "large", program);
    const std::string sampleProgram = (sample / "Engineering" / "Engineering_Config").string();
    const std::string largeProgram = (large / "Engineering" / "Engineering_Config").string();

    std::cout << "Whole-process times over " << runs << " runs\n";
    // --version loads no window module and reads no file: the program's own
    // start, which a silent run should stay within twice of.
    const auto [version, sampleRun] =
        timeInTurns({sampleProgram, "--version"}, {sampleProgram, "/EXTERNAL", "SILENT"}, runs);
    print("--version", version);
    print("silent run, sample installation", sampleRun);
    std::cout << "silent run / --version: " << std::setprecision(2)
              << sampleRun.median / version.median << "\n";
    print("silent run, large installation", time({largeProgram, "/EXTERNAL", "SILENT"}, runs));

    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        std::cout << "(no display: window times skipped; run under xvfb-run)\n";
        return 0;
    }
    const Figures bare = time({BARE_WINDOW_PATH}, runs);
    const Figures window = time({WINDOW_START_PATH, (large / "Engineering").string()}, runs);
    print("bare Qt window with 48 buttons", bare);
    print("main window with 48 pictures (large)", window);
    std::cout << "main window / bare window: " << std::setprecision(2)
              << window.median / bare.median << "\n";
    fs::remove_all(scratch);
    return 0;
}

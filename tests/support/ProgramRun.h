#pragma once
// The built program started as a process of its own, its standard output and
// error kept in files beside errorFile, and how it ended. A run that hangs is
// ended by ctest's TIMEOUT.

#include "TestData.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The test's environment without any display, with the given entries added.
std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra = {});

// How a started program ended.
struct Ending {
    bool exited = false; // false: ended by a signal (on Windows: killed)
    int status = -1;     // exit status, or the signal's number
    std::string errorOutput;
    std::string output;
};

// "exit 2" or "signal 6", for failure messages.
std::string describe(const Ending& ending);

class ProgramRun {
public:
    ProgramRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& errorFile,
               const std::vector<std::string>& environment = environmentWithoutDisplay());
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    void kill() const;
    Ending wait();

private:
    std::filesystem::path outputFile() const { return errorFile_.string() + ".out"; }

    std::filesystem::path errorFile_;
    long long process_ = -1; // the process id, on Windows its handle
};

} // namespace testsupport

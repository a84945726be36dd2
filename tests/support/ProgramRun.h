#pragma once
// The built program started as a process of its own, its standard error kept
// in a file, and how it ended. A run that hangs is ended by ctest's TIMEOUT.

#include "TestData.h"

#include <filesystem>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/types.h>
#endif

namespace testsupport {

// The test's environment without any display, with the given entries added.
std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra = {});

// How a started program ended.
struct Ending {
    bool exited = false; // false: ended by a signal (on Windows: killed)
    int status = -1;     // exit status, or the signal's number
    std::string errorOutput;
    std::string output; // standard output, when it was kept
};

// "exit 2" or "signal 6", for failure messages.
std::string describe(const Ending& ending);

class ProgramRun {
public:
    ProgramRun(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& errorFile,
               const std::vector<std::string>& environment = environmentWithoutDisplay(),
               const std::filesystem::path& outputFile = {});
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    void kill() const;
    Ending wait();

private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    pid_t pid_ = -1;
#endif
    std::filesystem::path errorFile_;
    std::filesystem::path outputFile_;
};

} // namespace testsupport

#include "Startup.h"

#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace run {

#ifdef _WIN32
namespace {

struct LocalFreeing {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

std::string utf8Of(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

} // namespace

std::vector<std::string> argumentsOfCommandLine(const std::wstring& line) {
    // CommandLineToArgvW names the running program for an empty line.
    if (line.empty())
        return {};
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeing> split(CommandLineToArgvW(line.c_str(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; split && i < count; ++i)
        arguments.push_back(utf8Of(split.get()[i]));
    return arguments;
}
#endif

ProgramStart startOf([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
    ProgramStart start;
#ifdef _WIN32
    start.arguments = argumentsOfCommandLine(GetCommandLineW());
#else
    start.arguments.assign(argv + std::min(argc, 1), argv + argc);
#endif
    locateRunningProgram(start);
    return start;
}

bool displayAvailable() {
#if defined(_WIN32) || defined(__APPLE__)
    return true;
#else
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
#endif
}

void reportRefusedStart(ProgramState& program, std::string_view message) {
    std::cerr << program.executableBaseName << ": " << message << std::endl;
    LogFault(program, std::string(message));
}

} // namespace run

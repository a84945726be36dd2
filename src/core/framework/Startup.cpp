#include "Startup.h"

#include "Logs.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace framework {

std::string joinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

#ifdef _WIN32
std::string argumentsOfCommandLine(std::wstring_view line) {
    if (!line.empty() && line.front() == L'"') {
        const auto end = line.find(L'"', 1);
        line.remove_prefix(end == std::wstring_view::npos ? line.size() : end + 1);
    } else {
        line.remove_prefix(std::min(line.find_first_of(L" \t"), line.size()));
    }
    line.remove_prefix(std::min(line.find_first_not_of(L" \t"), line.size()));
    if (line.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}
#endif

ProgramStart startOf([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
    ProgramStart start;
#ifdef _WIN32
    start.commandLine = argumentsOfCommandLine(GetCommandLineW());
#else
    start.commandLine = joinArguments(argc, argv);
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

} // namespace framework

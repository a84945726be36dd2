// The Windows half of RunningProcess.h.

#include "RunningProcess.h"

#include "Windows1252Text.h"

#include <memory>
#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace platform {
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

std::vector<std::string> processArguments(int, char**) {
    return argumentsOfCommandLine(GetCommandLineW());
}

std::filesystem::path executablePath() {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    buffer.resize(length);
    return std::filesystem::path(buffer);
}

std::string firstEnvironmentEntry() {
    std::string entry;
    if (LPCH block = GetEnvironmentStringsA()) {
        entry = block;
        FreeEnvironmentStringsA(block);
    }
    return fromWindows1252(entry);
}

bool displayAvailable() {
    return true;
}

} // namespace platform

#include "ProgramLocation.h"

#include "ErrorProtocol.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "ProgramState.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace run {
namespace {

std::filesystem::path runningExecutable() {
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    buffer.resize(length);
    return std::filesystem::path(buffer);
#else
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
#endif
}

std::string componentNameOf(const std::string& baseName) {
    const std::size_t length = platform::codePointCount(baseName);
    if (length < 7)
        throw Failure(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    return std::string(platform::leadingCodePoints(baseName, length - 7));
}

} // namespace

void locateRunningProgram(ProgramStart& start) {
    const std::filesystem::path exe = runningExecutable();
    std::string folder = platform::utf8Text(exe.parent_path());
    if (folder.empty())
        folder = std::string(kSeparator);
    start.executableFolder = folder;
    start.executableBaseName = platform::utf8Text(exe.stem());
}

std::string installationFolder(const ProgramState& program) {
    std::string folder = program.executableFolder;
    while (!folder.empty() && !isPathSeparator(folder.back()))
        folder.pop_back();
    if (!folder.empty())
        folder.pop_back();
    return folder;
}

std::string GetOCXName(ProgramState& program) {
    Procedure procedure(program, "GetOCXName");
    std::string name;
    procedure.step([&] { name = componentNameOf(program.executableBaseName); });
    return name;
}

std::string GetOCXNameOrEmpty(const ProgramState& program) {
    try {
        return componentNameOf(program.executableBaseName);
    } catch (const Failure&) {
        return {};
    }
}

std::string GetFileNameOnly(ProgramState& program, std::string_view path) {
    Procedure procedure(program, "GetFileNameOnly");
    std::string name;
    procedure.step([&] {
        std::size_t start = 0;
        for (std::size_t i = 0; i < path.size(); ++i)
            if (isPathSeparator(path[i]))
                start = i + 1;
        name = std::string(path.substr(start));
    });
    return name;
}

} // namespace run

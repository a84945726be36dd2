#include "ProgramLocation.h"

#include "ErrorProtocol.h"
#include "FileSystem.h"
#include "ProgramState.h"
#include "Text.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace framework {
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

bool isSeparator(char c) {
    return c == '\\' || c == kSeparator[0];
}

std::string componentNameOf(const std::string& baseName) {
    const std::size_t length = codePointCount(baseName);
    if (length < 7)
        throw Failure(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    return std::string(leadingCodePoints(baseName, length - 7));
}

} // namespace

void detectProgramLocation() {
    const std::filesystem::path exe = runningExecutable();
    ProgramState& state = programState();
    std::string folder = utf8Text(exe.parent_path());
    if (folder.empty())
        folder = std::string(kSeparator);
    state.executableFolder = folder;
    state.executableBaseName = utf8Text(exe.stem());
}

const std::string& executableFolder() {
    return programState().executableFolder;
}
const std::string& executableBaseName() {
    return programState().executableBaseName;
}

std::string installationFolder() {
    std::string folder = executableFolder();
    while (!folder.empty() && !isSeparator(folder.back()))
        folder.pop_back();
    if (!folder.empty())
        folder.pop_back();
    return folder;
}

std::string GetOCXName() {
    Procedure procedure("GetOCXName");
    std::string name;
    procedure.step([&] { name = componentNameOf(executableBaseName()); });
    return name;
}

std::string GetOCXNameOrEmpty() {
    try {
        return componentNameOf(executableBaseName());
    } catch (const Failure&) {
        return {};
    }
}

std::string GetFileNameOnly(std::string_view path) {
    Procedure procedure("GetFileNameOnly");
    std::string name;
    procedure.step([&] {
        std::size_t start = 0;
        for (std::size_t i = 0; i < path.size(); ++i)
            if (isSeparator(path[i]))
                start = i + 1;
        name = std::string(path.substr(start));
    });
    return name;
}

} // namespace framework

#include "ProgramLocation.h"

#include "ErrorProtocol.h"
#include "platform/FileSystem.h"
#include "platform/RunningProcess.h"
#include "platform/Windows1252Text.h"
#include "ProgramState.h"

#include <filesystem>

namespace run {
namespace {

std::string componentNameOf(const std::string& baseName) {
    const std::size_t length = platform::codePointCount(baseName);
    if (length < 7)
        throw Failure(ErrInvalidProcedureCall, "Invalid procedure call or argument");
    return std::string(platform::leadingCodePoints(baseName, length - 7));
}

} // namespace

void locateRunningProgram(ProgramStart& start) {
    const std::filesystem::path exe = platform::executablePath();
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

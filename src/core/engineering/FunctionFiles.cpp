#include "FunctionFiles.h"

#include "ReadInputs.h"

#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"

#include <vector>

namespace engineering {
namespace {

// Missing, or read to its end without a failure.
bool missingOrReadable(const std::string& path) {
    switch (framework::probeFile(path)) {
    case framework::FileKind::Missing:
        return true;
    case framework::FileKind::Readable:
        return framework::readFileBytes(path).has_value();
    case framework::FileKind::Unreadable:
        break;
    }
    return false;
}

} // namespace

std::string replaceExtension(std::string_view path, std::string_view extension) {
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (framework::isPathSeparator(path[i]))
            nameStart = i + 1;
    const auto dot = path.rfind('.');
    const std::size_t stem = (dot == std::string_view::npos || dot < nameStart) ? path.size() : dot;
    return std::string(path.substr(0, stem)) + std::string(extension);
}

void requireReadableFunctionFiles(std::string_view cfgPath, framework::Procedure& procedure) {
    framework::ProgramState& program = procedure.program();
    // The catalogue and the machine list count too: without them the rebuilt
    // function sections would lose every function they contribute.
    std::vector<std::string> files{std::string(cfgPath), replaceExtension(cfgPath, ".int"),
                                   replaceExtension(cfgPath, ".dat"),
                                   framework::GetProgramIniPath(program, 1)};
    if (program.StartModeIntegrated) {
        files.push_back(storedFunctionFileToRead(program, cfgPath));
        files.push_back(framework::GetQ4MConfigurationIniPath(program));
    }
    for (const std::string& file : files) {
        if (!file.empty() && !missingOrReadable(file))
            procedure.fatal(framework::Failure(framework::ErrPathFileAccess,
                                               framework::cannotReadMessage(file)));
    }
}

} // namespace engineering

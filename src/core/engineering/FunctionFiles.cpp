#include "FunctionFiles.h"

#include "ReadInputs.h"

#include "installation/InstallationPaths.h"
#include "platform/FileSystem.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

#include <vector>

namespace engineering {
namespace {

// Missing, or read to its end without a failure.
bool missingOrReadable(const std::string& path) {
    switch (platform::probeFile(path)) {
    case platform::FileKind::Missing:
        return true;
    case platform::FileKind::Readable:
        return platform::readFileBytes(path).has_value();
    case platform::FileKind::Unreadable:
        break;
    }
    return false;
}

} // namespace

std::string replaceExtension(std::string_view path, std::string_view extension) {
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (run::isPathSeparator(path[i]))
            nameStart = i + 1;
    const auto dot = path.rfind('.');
    const std::size_t stem = (dot == std::string_view::npos || dot < nameStart) ? path.size() : dot;
    return std::string(path.substr(0, stem)) + std::string(extension);
}

void requireReadableFunctionFiles(std::string_view cfgPath, run::Procedure& procedure) {
    run::ProgramState& program = procedure.program();
    // The catalogue and the machine list count too: without them the rebuilt
    // function sections would lose every function they contribute.
    std::vector<std::string> files{std::string(cfgPath), replaceExtension(cfgPath, ".int"),
                                   replaceExtension(cfgPath, ".dat"),
                                   installation::GetProgramIniPath(program, 1)};
    if (program.StartModeIntegrated) {
        files.push_back(storedFunctionFileToRead(program, cfgPath));
        files.push_back(installation::GetQ4MConfigurationIniPath(program));
    }
    for (const std::string& file : files) {
        if (!file.empty() && !missingOrReadable(file))
            procedure.fatal(
                run::Failure(run::ErrPathFileAccess, platform::cannotReadMessage(file)));
    }
}

} // namespace engineering

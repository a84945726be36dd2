#include "FunctionFiles.h"

#include "platform/FileSystem.h"
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

void requireReadableFunctionFiles(const installation::InstallationFiles& files,
                                  run::Procedure& procedure) {
    // The catalogue and the machine list count too: without them the rebuilt
    // function sections would lose every function they contribute.
    std::vector<std::string> required{files.runtimeConfiguration, files.storedFunctions,
                                      files.catalogue, files.programIni};
    if (procedure.program().StartModeIntegrated) {
        required.push_back(files.storedFunctionsToRead);
        required.push_back(files.configurationIni);
    }
    for (const std::string& file : required) {
        if (!file.empty() && !missingOrReadable(file))
            procedure.fatal(
                run::Failure(run::ErrPathFileAccess, platform::cannotReadMessage(file)));
    }
}

} // namespace engineering

#include "FunctionFiles.h"

#include "ini/ProfileFiles.h"
#include "platform/FileSystem.h"
#include "run/ProgramState.h"

#include <vector>

namespace engineering {

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
    // Read through the run's INI cache, which reads each file whole once and
    // tells a missing file (an empty document) from an unreadable one.
    ini::ProfileCache& cache = procedure.program().profiles;
    for (const std::string& file : required) {
        if (!file.empty() && cache.document(file) == nullptr)
            procedure.fatal(
                run::Failure(run::ErrPathFileAccess, platform::cannotReadMessage(file)));
    }
}

} // namespace engineering

// The function files a run reads and rewrites must be readable before the run
// changes anything (the rule is in FunctionFiles.h).

#include "FunctionFiles.h"

#include "framework/FileSystem.h"
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

void requireReadableFunctionFiles(std::string_view cfgPath, framework::Procedure& procedure) {
    std::vector<std::string> files{std::string(cfgPath), replaceExtension(cfgPath, ".int")};
    if (framework::programState().StartModeIntegrated)
        files.push_back(storedFunctionFileToRead(cfgPath));
    for (const std::string& file : files) {
        if (!file.empty() && !missingOrReadable(file))
            procedure.fatal(framework::Failure(framework::ErrPathFileAccess,
                                               framework::cannotReadMessage(file)));
    }
}

} // namespace engineering

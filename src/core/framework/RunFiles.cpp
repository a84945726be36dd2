#include "RunFiles.h"

#include "FileSystem.h"
#include "IniDocument.h"
#include "ProgramState.h"
#include "RunTransaction.h"

namespace framework {

bool replaceRunFile(ProgramState& program, std::string_view path, std::string bytes,
                    SameContent same, bool keepFileTimes) {
    if (probeFile(path) == FileKind::Unreadable || !canReplaceFile(path))
        return false;
    if (program.transaction != nullptr) {
        program.transaction->stage(path, std::move(bytes), std::move(same), keepFileTimes);
        return true;
    }
    if (const auto old = readFileBytes(path); old && (*old == bytes || (same && same(*old, bytes))))
        return true;
    auto prepared = PreparedFile::prepare(path, bytes);
    if (prepared && keepFileTimes)
        prepared->keepFileTimes();
    return prepared && prepared->install();
}

bool storeRunIniDocument(ProgramState& program, std::string_view path,
                         const IniDocument& document) {
    return replaceRunFile(program, path, document.bytes());
}

} // namespace framework

#include "RunFiles.h"

#include "ini/IniDocument.h"
#include "platform/FileSystem.h"
#include "run/ProgramState.h"
#include "RunTransaction.h"

namespace installation {

bool replaceRunFile(run::ProgramState& program, std::string_view path, std::string bytes,
                    SameContent same, bool keepFileTimes) {
    if (platform::probeFile(path) == platform::FileKind::Unreadable ||
        !platform::canReplaceFile(path))
        return false;
    if (program.transaction != nullptr) {
        program.transaction->stage(path, std::move(bytes), std::move(same), keepFileTimes);
        return true;
    }
    if (const auto old = platform::readFileBytes(path);
        old && (*old == bytes || (same && same(*old, bytes))))
        return true;
    auto prepared = platform::PreparedFile::prepare(path, bytes);
    if (prepared && keepFileTimes)
        prepared->keepFileTimes();
    return prepared && prepared->install();
}

bool storeRunIniDocument(run::ProgramState& program, std::string_view path,
                         const ini::IniDocument& document) {
    return replaceRunFile(program, path, document.bytes());
}

} // namespace installation

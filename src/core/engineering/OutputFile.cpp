#include "OutputFile.h"

#include "platform/FileSystem.h"
#include "texts/ProgramMessages.h"

#include <filesystem>

namespace engineering {

std::optional<std::string> writeOutputFile(std::string_view path, std::string_view bytes,
                                           const texts::ProgramMessages& messages) {
    std::error_code ignored;
    if (std::filesystem::is_symlink(
            std::filesystem::symlink_status(platform::nativePath(path), ignored)))
        return messages.text(texts::Message::OutputLink, {path});
    if (!platform::writeFileAtomically(path, bytes))
        return messages.text(texts::Message::OutputNotWritten, {path});
    return std::nullopt;
}

} // namespace engineering

#include "OutputFile.h"

#include "platform/FileSystem.h"

#include <filesystem>

namespace engineering {

std::optional<std::string> writeOutputFile(std::string_view path, std::string_view bytes) {
    std::error_code ignored;
    if (std::filesystem::is_symlink(
            std::filesystem::symlink_status(platform::nativePath(path), ignored)))
        return "cannot write " + std::string(path) + ": a link stands in its place";
    if (!platform::writeFileAtomically(path, bytes))
        return "cannot write " + std::string(path);
    return std::nullopt;
}

} // namespace engineering

#include "AccessFileName.h"

#include "platform/FileSystem.h"

namespace presetdb {

std::optional<std::string> narrowFileName(const std::filesystem::path& file) {
    return platform::utf8Text(file); // file names are bytes; the program's are UTF-8
}

} // namespace presetdb

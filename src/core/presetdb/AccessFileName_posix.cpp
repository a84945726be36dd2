#include "AccessFileName.h"

#include "framework/FileSystem.h"

namespace presetdb {

std::optional<std::string> narrowFileName(const std::filesystem::path& file) {
    return framework::utf8Text(file); // file names are bytes; the program's are UTF-8
}

} // namespace presetdb

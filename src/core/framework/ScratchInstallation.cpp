#include "ScratchInstallation.h"

#include "FileSystem.h"
#include "ProgramState.h"

#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace framework {
namespace {

constexpr int kFolderNameAttempts = 16;

// Copies the plain files of a folder (links followed), leaving out those the
// filter refuses; false when one could not be copied.
template <class Filter> bool copyFiles(const fs::path& from, const fs::path& to, Filter skip) {
    std::error_code error;
    if (!fs::is_directory(from, error))
        return true;
    if (!fs::create_directories(to, error) && error)
        return false;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (!fs::is_regular_file(it->path(), ignored) || name.starts_with(".") || skip(name))
            continue;
        if (!fs::copy_file(it->path(), to / name, ignored))
            return false;
    }
    return !error;
}

fs::path newScratchFolder() {
    static std::mt19937_64 random{std::random_device{}()};
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    for (int attempt = 0; !error && attempt < kFolderNameAttempts; ++attempt) {
        const fs::path folder =
            base / ("engineering-dry-run-" + std::to_string(random() % 1000000000));
        if (fs::create_directory(folder, error))
            return folder;
    }
    return {};
}

} // namespace

ScratchInstallation::ScratchInstallation(const ProgramStart& start) {
    const fs::path component = nativePath(start.executableFolder);
    root_ = newScratchFolder();
    if (root_.empty())
        return;
    component_ = root_ / component.filename();
    const std::string program = start.executableBaseName;
    const auto own = [&program](const std::string& name) {
        return name == program || name == program + ".exe" || name == program + ".lock";
    };
    ok_ = copyFiles(component, component_, own) &&
          copyFiles(nativePath((component.parent_path() / "parameter").string()),
                    root_ / "parameter", [](const std::string&) { return false; });
}

ScratchInstallation::~ScratchInstallation() {
    std::error_code ignored;
    if (!root_.empty())
        fs::remove_all(root_, ignored);
}

std::string ScratchInstallation::logLines() const {
    std::string lines;
    for (const char* log : {"Q4Mcfglog.txt", "HalvarServicePack.log"})
        lines += readFileBytes((root_ / log).string()).value_or("");
    return lines;
}

} // namespace framework

#pragma once
// What an installation holds, to tell which entries a run changed.

#include "TestData.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// Every entry below the root as a reader finds it, but for the logs and the
// lock file, which any run that writes may write (withLogs: those too): a
// regular file by its bytes, a link by its target, anything else by its kind.
// Names use "/".
inline std::map<std::string, std::string> snapshotOf(const std::filesystem::path& root,
                                                     bool withLogs = false) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).generic_string();
        const fs::file_status status = entry.symlink_status();
        if (!withLogs && (name == "Q4Mcfglog.txt" || name == "HalvarServicePack.log" ||
                          name == "Engineering/Engineering_Config.lock"))
            continue;
        entries[name] = fs::is_symlink(status) ? "link to " + fs::read_symlink(entry).string()
                        : fs::is_regular_file(status) ? "file " + readFile(entry.path())
                        : fs::is_directory(status)    ? "folder"
                                                      : "special file";
    }
    return entries;
}

// The names of the entries added, removed or changed between two snapshots.
inline std::vector<std::string> changedEntries(const std::map<std::string, std::string>& before,
                                               const std::map<std::string, std::string>& after) {
    std::vector<std::string> names;
    for (const auto& [name, content] : before)
        if (!after.contains(name) || after.at(name) != content)
            names.push_back(name);
    for (const auto& [name, content] : after)
        if (!before.contains(name))
            names.push_back(name);
    return names;
}

} // namespace testsupport

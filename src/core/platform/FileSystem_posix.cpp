// The POSIX half of FileSystem.h (the rules are there).

#include "FileSystem.h"

#include "Windows1252Text.h"

#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

// Finds each existing component without regard to letter case; the first
// component that exists in no spelling ends the search.
fs::path resolveCase(const fs::path& path) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        return path;
    // The search starts below the deepest folder that exists as spelled
    // (every folder above it exists as spelled too); mostly the file's own.
    fs::path resolved = path.parent_path();
    while (!resolved.empty() && resolved != resolved.root_path() &&
           !fs::exists(fs::symlink_status(resolved, error)))
        resolved = resolved.parent_path();
    if (resolved.empty() || resolved == resolved.root_path())
        resolved = path.root_path();
    auto part = path.begin();
    for (auto kept = resolved.begin(); kept != resolved.end() && part != path.end(); ++kept)
        ++part;
    bool searching = true;
    for (; part != path.end(); ++part) {
        fs::path candidate = resolved / *part;
        if (searching && !fs::exists(fs::symlink_status(candidate, error))) {
            searching = false;
            const std::string wanted = part->string();
            const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
            for (fs::directory_iterator it(folder, error), end; !error && it != end;
                 it.increment(error)) {
                const std::string name = it->path().filename().string();
                if (equalsIgnoreCase(name, wanted)) {
                    candidate = resolved / name;
                    searching = true;
                    break;
                }
            }
        }
        resolved = std::move(candidate);
    }
    return resolved;
}

} // namespace

fs::path withNativeSeparators(std::string_view path) {
    std::string text(path);
    for (char& c : text)
        if (c == '\\')
            c = '/';
    return pathFromUtf8(text);
}

fs::path nativePath(std::string_view path) {
    return resolveCase(withNativeSeparators(path));
}

std::string displayedPath(std::string_view path) {
    return nativePath(path).string();
}

std::optional<FileStamp> fileStamp(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.size = std::uintmax_t(info.st_size);
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.identity = std::uint64_t(info.st_ino);
    return stamp;
}

std::optional<std::string> machineWideLogFolder() {
    return std::nullopt;
}

} // namespace platform

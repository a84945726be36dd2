#include "FileSystem.h"

#include "Text.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace framework {
namespace {

#ifdef _WIN32
fs::path resolveCase(const fs::path& path) {
    return path;
}
#else
// Finds each existing component without regard to letter case; the first
// component that exists in no spelling ends the search.
fs::path resolveCase(const fs::path& path) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)))
        return path;
    fs::path resolved = path.root_path();
    bool searching = true;
    for (const fs::path& part : path.relative_path()) {
        fs::path candidate = resolved / part;
        if (searching && !fs::exists(fs::symlink_status(candidate, error))) {
            searching = false;
            const std::string wanted = part.string();
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
#endif

bool isHidden(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
}

fs::path temporaryBeside(const fs::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string name =
        "." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000000);
    return target.parent_path() / name;
}

bool writeNewFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    return !out.fail();
}

bool isWriteProtected(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error)
        return false;
    if ((status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write)) == fs::perms::none)
        return true;
#ifndef _WIN32
    return ::access(path.c_str(), W_OK) != 0;
#else
    return false;
#endif
}

} // namespace

fs::path withNativeSeparators(std::string_view path) {
    std::string text(path);
#ifndef _WIN32
    for (char& c : text)
        if (c == '\\')
            c = '/';
#endif
    return fs::path(text);
}

fs::path nativePath(std::string_view path) {
    return resolveCase(withNativeSeparators(path));
}

bool fileExists(std::string_view path) {
    if (path.empty())
        return false;
    const fs::path real = nativePath(path);
    std::error_code error;
    return fs::is_regular_file(real, error) && !isHidden(real);
}

FileKind probeFile(std::string_view path) {
    if (path.empty())
        return FileKind::Missing;
    const fs::path real = nativePath(path);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(real, error)) || isHidden(real))
        return FileKind::Missing;
    const auto status = fs::status(real, error);
    if (error || !fs::is_regular_file(status))
        return FileKind::Unreadable;
    std::ifstream in(real, std::ios::binary);
    return in ? FileKind::Readable : FileKind::Unreadable;
}

std::optional<std::string> readFileBytes(std::string_view path) {
    const fs::path real = nativePath(path);
    std::error_code error;
    if (!fs::is_regular_file(real, error))
        return std::nullopt;
    std::ifstream in(real, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    const auto size = fs::file_size(real, error);
    if (!error)
        bytes.reserve(size);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::optional<FileStamp> fileStamp(const fs::path& path) {
    struct stat info {};
    if (::stat(path.string().c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.size = std::uintmax_t(info.st_size);
#if defined(_WIN32)
    stamp.modifiedNs = std::int64_t(info.st_mtime) * 1000000000;
#else
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
    stamp.identity = std::uint64_t(info.st_ino);
    return stamp;
}

bool canReplaceFile(std::string_view path) {
    const fs::path target = nativePath(path);
    std::error_code error;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (!fs::is_directory(folder, error))
        return false;
    const auto status = fs::status(target, error);
    if (!fs::exists(status))
        return true;
    return fs::is_regular_file(status) && !isWriteProtected(target);
}

bool writeFileAtomically(std::string_view path, std::string_view bytes) {
    if (!canReplaceFile(path))
        return false;
    const fs::path target = nativePath(path);
    std::error_code error;
    const auto status = fs::status(target, error);
    const bool exists = fs::exists(status);

    const fs::path temporary = temporaryBeside(target);
    if (!writeNewFile(temporary, bytes)) {
        fs::remove(temporary, error);
        return false;
    }
    if (exists)
        fs::permissions(temporary, status.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool copyFileAtomically(std::string_view from, std::string_view to) {
    const auto bytes = readFileBytes(from);
    return bytes && writeFileAtomically(to, *bytes);
}

bool appendToFile(std::string_view path, std::string_view bytes) {
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return !out.fail();
}

bool removeFile(std::string_view path) {
    std::error_code error;
    return fs::remove(nativePath(path), error);
}

std::vector<std::string> listFiles(std::string_view folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && !isHidden(it->path()))
            names.push_back(it->path().filename().string());
    }
    return names;
}

} // namespace framework

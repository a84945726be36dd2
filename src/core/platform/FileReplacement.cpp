// Replacing whole files (the rules are in FileSystem.h).

#include "FileSystem.h"

#include "PlatformFiles.h"

#include <random>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";
// As the systems themselves give up on a chain of links.
constexpr int kMaxLinksFollowed = 40;
constexpr int kTemporaryNameAttempts = 16;

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// The file a path finally names, following symbolic links (a relative target
// is taken from the link's folder). A path that is no link is its own target,
// whether it exists or not; a dangling or looping chain has none.
std::optional<fs::path> finalTarget(fs::path path) {
    std::error_code error;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return followed == 0 || fs::exists(fs::symlink_status(path, error))
                       ? std::optional<fs::path>(path)
                       : std::nullopt;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = target.is_absolute() ? target : folderOf(path) / target;
    }
    return std::nullopt;
}

bool isWriteProtected(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error)
        return false;
    if ((status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write)) == fs::perms::none)
        return true;
    return platform::writeRefusedBySystem(path);
}

// The file to replace for a path, when it can be replaced.
std::optional<fs::path> replaceableTarget(std::string_view path) {
    const auto target = finalTarget(nativePath(path));
    if (!target)
        return std::nullopt;
    std::error_code error;
    if (!fs::is_directory(folderOf(*target), error))
        return std::nullopt;
    const auto status = fs::status(*target, error);
    if (!fs::exists(status))
        return target;
    if (!fs::is_regular_file(status) || isWriteProtected(*target))
        return std::nullopt;
    return target;
}

std::string temporaryName(const fs::path& target) {
    // A fresh draw each time: no generator state shared between callers.
    std::random_device random;
    const std::uint64_t draw = (std::uint64_t(random()) << 32) ^ random();
    return "." + utf8Text(target.filename()) + std::string(kTemporaryMark) +
           std::to_string(draw % 1000000000);
}

bool isTemporaryName(std::string_view name) {
    const auto digits = name.find_last_not_of("0123456789") + 1;
    if (digits == name.size() || name.size() < 2 || name.front() != '.')
        return false;
    const std::string_view stem = name.substr(1, digits - 1);
    return stem.size() > kTemporaryMark.size() && stem.ends_with(kTemporaryMark);
}

// Writes the bytes into a new temporary file beside the target and flushes
// it. Returns its path, or nothing (and no file left) when that failed.
std::optional<fs::path> writeTemporary(const fs::path& target, std::string_view bytes,
                                       const std::optional<platform::FileOwnership>& replaced,
                                       bool flush = true) {
    const fs::path folder = folderOf(target);
    platform::OpenFile file;
    fs::path temporary;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !file.isOpen(); ++attempt) {
        temporary = folder / pathFromUtf8(temporaryName(target));
        file = platform::createNewFile(temporary);
    }
    if (!file.isOpen())
        return std::nullopt;
    // A new file takes its folder's owner; its mode is the creation default.
    const auto ownership = replaced ? replaced : platform::ownershipOf(folder);
    const bool written = ownership && platform::applyOwnership(file, *ownership, bool(replaced)) &&
                         platform::writeAll(file, bytes) &&
                         (!flush || platform::flushToDisk(file)) && file.close();
    if (written)
        return temporary;
    file.close();
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return std::nullopt;
}

} // namespace

bool canReplaceFile(std::string_view path) {
    return replaceableTarget(path).has_value();
}

PreparedFile::PreparedFile(std::filesystem::path temporary, std::filesystem::path target)
    : temporary_(std::move(temporary)), target_(std::move(target)) {}

PreparedFile::PreparedFile(PreparedFile&& other) noexcept
    : temporary_(std::exchange(other.temporary_, {})), target_(std::move(other.target_)) {}

PreparedFile& PreparedFile::operator=(PreparedFile&& other) noexcept {
    if (this != &other) {
        discard();
        temporary_ = std::exchange(other.temporary_, {});
        target_ = std::move(other.target_);
    }
    return *this;
}

PreparedFile::~PreparedFile() {
    discard();
}

void PreparedFile::discard() {
    std::error_code ignored;
    if (!temporary_.empty())
        fs::remove(temporary_, ignored);
    temporary_.clear();
}

std::optional<PreparedFile> PreparedFile::prepare(std::string_view path, std::string_view bytes,
                                                  Flush flush) {
    const auto target = replaceableTarget(path);
    if (!target)
        return std::nullopt;
    const auto replaced = platform::ownershipOf(*target);
    auto temporary = writeTemporary(*target, bytes, replaced, flush == Flush::Now);
    if (!temporary)
        return std::nullopt;
    return PreparedFile(std::move(*temporary), *target);
}

void PreparedFile::keepFileTimes() {
    if (const auto times = platform::fileTimesOf(target_))
        platform::restoreFileTimes(temporary_, *times);
}

bool PreparedFile::install(Flush flush) {
    if (temporary_.empty() || !platform::replaceFile(temporary_, target_))
        return false;
    temporary_.clear();
    if (flush == Flush::Now)
        platform::flushFolder(folderOf(target_));
    return true;
}

bool writeFileAtomically(std::string_view path, std::string_view bytes) {
    auto prepared = PreparedFile::prepare(path, bytes);
    return prepared && prepared->install();
}

bool copyFileAtomically(std::string_view from, std::string_view to) {
    const auto bytes = readFileBytes(from);
    return bytes && writeFileAtomically(to, *bytes);
}

std::size_t removeStaleTemporaries(std::string_view folder) {
    std::size_t removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (isTemporaryName(utf8Text(it->path().filename())) &&
            fs::is_regular_file(it->symlink_status(ignored)) && fs::remove(it->path(), ignored))
            ++removed;
    }
    return removed;
}

} // namespace platform

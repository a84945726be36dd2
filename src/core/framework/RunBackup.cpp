#include "RunBackup.h"

#include "ErrorProtocol.h"
#include "FileSystem.h"
#include "PlatformFiles.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

namespace framework {
namespace {

// A run that cannot find a free name within a day of its start has a folder
// full of anything but backups.
constexpr int kFolderNameAttempts = 86400;

std::tm localTime(WallClock::time_point time) {
    const std::time_t seconds = WallClock::to_time_t(time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

std::string formatTime(WallClock::time_point time, const char* format) {
    const std::tm local = localTime(time);
    char text[32];
    std::snprintf(text, sizeof text, format, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

bool makeOwnedFolder(const fs::path& folder, const std::optional<platform::FileOwnership>& owner) {
    std::error_code error;
    if (!fs::create_directory(folder, error))
        return false;
    return !owner || platform::giveOwnership(folder, *owner);
}

} // namespace

std::string backupStamp(WallClock::time_point time) {
    return formatTime(time, "%04d-%02d-%02d_%02d-%02d-%02d");
}

std::string readableTime(WallClock::time_point time) {
    return formatTime(time, "%04d-%02d-%02d %02d:%02d:%02d");
}

std::string backupFailedMessage(std::string_view path) {
    return "Cannot keep a backup of " + nativePath(path).string() + " in the folder " +
           std::string(kBackupFolderName) + ": nothing was replaced";
}

void endForMissingBackup(ProgramState& program, std::string_view path) {
    Procedure procedure(program, "KeepBackup");
    procedure.fatal(Failure(ErrPathFileAccess, backupFailedMessage(path)));
}

bool isBackupName(std::string_view name) {
    constexpr std::string_view kForm = "dddd-dd-dd_dd-dd-dd";
    if (name.size() != kForm.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (kForm[i] == 'd' ? (name[i] < '0' || name[i] > '9') : name[i] != kForm[i])
            return false;
    return true;
}

std::vector<std::string> listBackups(const fs::path& componentFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(componentFolder / kBackupFolderName, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const std::string name = it->path().filename().string();
        if (isBackupName(name) && fs::is_directory(it->symlink_status(ignored)))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> backupFiles(const fs::path& componentFolder, std::string_view backup) {
    std::vector<std::string> names =
        listFiles((componentFolder / kBackupFolderName / backup).string());
    std::sort(names.begin(), names.end());
    return names;
}

void rotateBackups(const fs::path& componentFolder, std::size_t keep) {
    const std::vector<std::string> names = listBackups(componentFolder);
    for (std::size_t i = 0; i + keep < names.size(); ++i) {
        std::error_code ignored;
        fs::remove_all(componentFolder / kBackupFolderName / names[i], ignored);
    }
}

RunBackup::RunBackup(fs::path componentFolder, WallClock::time_point start)
    : componentFolder_(std::move(componentFolder)), start_(start) {}

std::optional<std::string> RunBackup::folderName() const {
    if (folder_.empty())
        return std::nullopt;
    return folder_.filename().string();
}

bool RunBackup::makeFolder() {
    if (!folder_.empty())
        return true;
    const auto owner = platform::ownershipOf(componentFolder_);
    const fs::path backups = componentFolder_ / kBackupFolderName;
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(backups, error)) && !makeOwnedFolder(backups, owner))
        return false;
    for (int second = 0; second < kFolderNameAttempts; ++second) {
        const fs::path candidate = backups / backupStamp(start_ + std::chrono::seconds(second));
        if (fs::exists(fs::symlink_status(candidate, error)))
            continue;
        if (!makeOwnedFolder(candidate, owner))
            return false;
        folder_ = candidate;
        return true;
    }
    return false;
}

bool RunBackup::keep(std::string_view path) {
    const fs::path named = nativePath(path);
    const std::string name = named.filename().string();
    std::error_code error;
    // Missing, a dangling link, a folder or a FIFO: nothing to keep. A new file
    // is still only made where a backup could be kept, so that a run whose
    // backups fail writes nothing at all.
    if (!fs::is_regular_file(named, error)) {
        if (!makeFolder())
            return false;
        if (kept_.empty())
            removeFolder();
        return true;
    }
    if (std::find(kept_.begin(), kept_.end(), name) != kept_.end())
        return true;
    const fs::path original = fs::canonical(named, error);
    if (error || !makeFolder())
        return false;
    const fs::path copy = folder_ / name;
    fs::create_hard_link(original, copy, error);
    if (error && !copyFileAtomically(original.string(), copy.string()))
        return false;
    platform::flushFolder(folder_);
    kept_.push_back(name);
    return true;
}

void RunBackup::forget(const std::string& name) {
    const auto it = std::find(kept_.begin(), kept_.end(), name);
    if (it == kept_.end())
        return;
    kept_.erase(it);
    std::error_code ignored;
    fs::remove(folder_ / name, ignored);
    if (kept_.empty())
        removeFolder();
}

void RunBackup::removeFolder() {
    std::error_code ignored;
    fs::remove(folder_, ignored);
    folder_.clear();
}

} // namespace framework

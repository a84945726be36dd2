#pragma once
// Backups of the component's files that a run replaces.
//
// Before a run replaces one of them it keeps the version it replaces in
// "backup/" + yyyy-mm-dd_hh-mm-ss (local time) inside the component folder:
// one folder a run, each file under its own name. A hard link where the file
// system allows it (every replacement renames a new file into place, so the
// link goes on naming the old version), a copy otherwise. A link is kept as
// the file it points at. The folder is named after the run's start; a name
// that is taken moves on by a second, so names sort as the runs ran. Run as
// root, the folders take the component folder's owner and group, so that the
// installation's owner can still rotate them. Only the newest kBackupsKept
// folders are kept.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

inline constexpr std::size_t kBackupsKept = 10;
inline constexpr std::string_view kBackupFolderName = "backup";

using WallClock = std::chrono::system_clock;

// "yyyy-mm-dd_hh-mm-ss" in local time.
std::string backupStamp(WallClock::time_point time);
// "yyyy-mm-dd hh:mm:ss" in local time.
std::string readableTime(WallClock::time_point time);
// Whether a name has the form of a backup folder's.
bool isBackupName(std::string_view name);

// What a run reports before it ends because a file's backup could not be kept.
std::string backupFailedMessage(std::string_view path);
// Ends the run because the file's backup could not be kept (fatal: error log,
// and the fault log or a message box; status 1), before the file is replaced.
class ProgramState;
[[noreturn]] void endForMissingBackup(ProgramState& program, std::string_view path);

// The component folder's backup folders, oldest first.
std::vector<std::string> listBackups(const std::filesystem::path& componentFolder);
// The files of one backup folder, sorted by name.
std::vector<std::string> backupFiles(const std::filesystem::path& componentFolder,
                                     std::string_view backup);
// Removes all but the newest `keep` backup folders.
void rotateBackups(const std::filesystem::path& componentFolder, std::size_t keep = kBackupsKept);

// The backup of one run; its folder is made when the first file is kept.
class RunBackup {
public:
    RunBackup(std::filesystem::path componentFolder, WallClock::time_point start);

    // Keeps the file's current version (the first one, when kept twice). A
    // missing file needs none, but the folder must be possible. False when it
    // could not be kept: the caller must then not replace (or create) the file.
    bool keep(std::string_view path);
    // Lets a kept file go again (it was not changed); the folder goes with
    // its last file.
    void forget(const std::string& name);

    // File names kept, in the order they were kept.
    const std::vector<std::string>& keptFiles() const { return kept_; }
    std::filesystem::path keptPath(const std::string& name) const { return folder_ / name; }
    // The folder's name, once it exists.
    std::optional<std::string> folderName() const;

private:
    bool makeFolder();
    void removeFolder();

    std::filesystem::path componentFolder_;
    WallClock::time_point start_;
    std::filesystem::path folder_;
    std::vector<std::string> kept_;
};

} // namespace framework

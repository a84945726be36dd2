#pragma once
// The journal of a run that replaces files of the component folder, which is
// also the backup of the versions it replaced.
//
// Before the first file is replaced, the run makes a folder
// "backup/yyyy-mm-dd_hh-mm-ss" (local time of the change; a taken name moves
// on by a second) and puts into it a copy of every file it will replace
// (never a link: a file edited in place later must not change its backup) and
// the manifest "journal.json": each file's name, whether it existed, size and
// SHA-256 of the old and the new version, the run's sequence number and its
// state, "incomplete". Everything is flushed to the disk before the first
// replacement; after the last one the state becomes "complete".
//
// A run that finds an incomplete journal rolls that interrupted run back
// before anything else: each file goes back to its old version (checked
// against the manifest) or, when the interrupted run created it, is removed
// again; the folder then goes. So after a kill at any moment and one more
// run, the files are either all old or all new.
//
// Backup folders are ordered by their manifest's sequence number, taken from
// the counter "backup/sequence", never by name or clock. Folders without a
// readable manifest are foreign: listed as such, never used or removed.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installation {

inline constexpr std::size_t kBackupsKept = 10;
inline constexpr std::string_view kBackupFolderName = "backup";
inline constexpr std::string_view kJournalFileName = "journal.json";

using WallClock = std::chrono::system_clock;

// "yyyy-mm-dd_hh-mm-ss" in local time.
std::string backupStamp(WallClock::time_point time);
// "yyyy-mm-dd hh:mm:ss" in local time.
std::string readableTime(WallClock::time_point time);
// The name of a file's copy in a backup folder: its path with "/" as "%".
std::string copyNameOf(std::string_view name);

// One file a run replaces, by its path inside the component folder (the
// program's folder), parts separated by "/": a plain name but where the
// program lives at a drive root, with its component's files a folder below.
struct JournalFile {
    std::string name;
    bool existed = false; // false: the run creates it
    std::uint64_t size = 0;
    std::string sha256;
    bool remains = true; // false: the run removes it
    std::uint64_t newSize = 0;
    std::string newSha256;
};

enum class JournalState { Incomplete, Complete, RolledBack };

struct Journal {
    std::string folder; // name of the folder under backup/
    std::uint64_t sequence = 0;
    JournalState state = JournalState::Incomplete;
    std::string time; // readableTime of the change
    std::string run;  // what ran ("silent run", "restore", ...)
    std::vector<JournalFile> files;
};

// The backup folders of a component folder: journals by sequence, oldest
// first, and the names of foreign folders.
struct BackupFolders {
    std::vector<Journal> journals;
    std::vector<std::string> foreign;
};
BackupFolders listBackupFolders(const std::filesystem::path& componentFolder);

std::filesystem::path backupFolderPath(const std::filesystem::path& componentFolder,
                                       std::string_view folder);

// A journal being written by a run; its folder is made by begin().
class JournalWriter {
public:
    explicit JournalWriter(std::filesystem::path componentFolder);

    // Makes the folder, writes the manifest as incomplete and copies every
    // old version that existed (from the files themselves, which must still
    // hold `oldBytes`); then flushes all of it together with `alsoFlush`.
    // False (and no folder left) when any of it failed.
    bool begin(Journal journal, const std::vector<std::optional<std::string>>& oldBytes,
               WallClock::time_point time, std::vector<std::filesystem::path> alsoFlush = {});
    // Marks the journal complete, after flushing `alsoFlush` (the folders of
    // the replaced files).
    bool complete(std::vector<std::filesystem::path> alsoFlush = {});
    // Puts every file back (rollBack below) and removes the folder.
    bool rollBack(std::string& problem);

    const Journal& journal() const { return journal_; }

private:
    std::filesystem::path componentFolder_;
    Journal journal_;
};

// Rolls back a journal's run: every file back to its old version, checked
// against the manifest. False with a message when a file could not be put
// back; the journal then stays incomplete for the next run.
bool rollBackJournal(const std::filesystem::path& componentFolder, const Journal& journal,
                     std::string& problem);

// Rolls back every incomplete journal (an interrupted run) and removes it
// with the journals of runs already rolled back. Returns the folders rolled
// back; false in `ok` with a message when one could not be.
struct RecoveryResult {
    bool ok = true;
    std::string problem;
    std::vector<Journal> rolledBack;
};
RecoveryResult recoverInterruptedRuns(const std::filesystem::path& componentFolder);

// Whether a run was interrupted while it replaced files: a command that only
// reads cannot put them back and would read them half replaced.
bool hasInterruptedRun(const std::filesystem::path& componentFolder);

// Removes the oldest complete journals beyond `keep`, never `current`.
void rotateBackups(const std::filesystem::path& componentFolder, std::string_view current,
                   std::size_t keep = kBackupsKept);

// The old version of a journal's file, read without following links and
// checked against the manifest; nothing with a message otherwise.
std::optional<std::string> journalCopy(const std::filesystem::path& componentFolder,
                                       const Journal& journal, const JournalFile& file,
                                       std::string& problem);

} // namespace installation

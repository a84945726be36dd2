#include "ScratchInstallation.h"

#include "RunJournal.h"

#include "platform/FileSystem.h"
#include "platform/PlatformFiles.h"
#include "run/ProgramState.h"

#include <algorithm>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace installation {
namespace {

constexpr int kFolderNameAttempts = 16;
constexpr std::string_view kFolderPrefix = "engineering-dry-run-";
constexpr std::string_view kInUseName = "in-use.lock";
// Where the copy's dangling links point: a name that never exists.
constexpr std::string_view kNowhere = ".nowhere";

bool isScratchFolderName(std::string_view name) {
    if (!name.starts_with(kFolderPrefix) || name.size() == kFolderPrefix.size())
        return false;
    name.remove_prefix(kFolderPrefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Puts in the copy at `to` an entry of the kind the run finds at `from`;
// false when that failed.
bool copyEntry(const fs::path& from, const fs::path& to, const fs::path& nowhere) {
    std::error_code error;
    const fs::file_status found = fs::status(from, error); // links followed
    switch (found.type()) {
    case fs::file_type::not_found:
        fs::create_symlink(nowhere, to, error);
        return !error;
    case fs::file_type::directory:
        return fs::create_directory(to, error);
    case fs::file_type::regular:
        if (!platform::openRegularForReading(from).isOpen()) {
            const bool made = platform::createNewFile(to).isOpen();
            fs::permissions(to, fs::perms::owner_write, error);
            return made && !error;
        }
        return fs::copy_file(from, to, error);
    default: // a FIFO, a device, a socket: nothing the run can read as a file
        return platform::makeFifo(to) || !fs::exists(fs::symlink_status(from, error));
    }
}

// Copies the entries of a folder, leaving out hidden ones and those the filter
// refuses; false when one could not be copied.
template <class Filter> bool copyFolder(const fs::path& from, const fs::path& to, Filter skip) {
    std::error_code error;
    if (!fs::is_directory(from, error))
        return true;
    if (!fs::create_directories(to, error) && error)
        return false;
    const fs::path nowhere = to.parent_path() / kNowhere;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(".") && !skip(name) && !copyEntry(it->path(), to / name, nowhere))
            return false;
    }
    return !error;
}

fs::path newScratchFolder() {
    std::random_device random;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    for (int attempt = 0; !error && attempt < kFolderNameAttempts; ++attempt) {
        const fs::path folder =
            base / (std::string(kFolderPrefix) + std::to_string(random() % 1000000000));
        if (fs::create_directory(folder, error))
            return folder;
    }
    return {};
}

// The in-use file, locked before it takes its name, so that no other run ever
// finds it free while the copy lives.
std::unique_ptr<platform::FileLock> lockedInUseFile(const fs::path& folder) {
    const fs::path unnamed = folder / ".in-use.new";
    auto lock = std::make_unique<platform::FileLock>(unnamed);
    std::error_code error;
    if (lock->tryLock() != platform::FileLock::Attempt::Locked)
        return nullptr;
    fs::rename(unnamed, folder / kInUseName, error);
    return error ? nullptr : std::move(lock);
}

// Removes a scratch copy whose in-use lock is free; the lock is held until
// everything else is gone.
void removeIfAbandoned(const fs::path& folder) {
    const fs::path inUse = folder / kInUseName;
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(inUse, error)))
        return;
    {
        platform::FileLock lock(inUse, false);
        if (lock.tryLock() != platform::FileLock::Attempt::Locked)
            return;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            if (it->path().filename() != kInUseName)
                fs::remove_all(it->path(), ignored); // a link is removed, not followed
        }
    }
    fs::remove_all(folder, error);
}

} // namespace

ScratchInstallation::ScratchInstallation(const run::ProgramStart& start) {
    const fs::path component = platform::nativePath(start.executableFolder);
    root_ = newScratchFolder();
    if (root_.empty())
        return;
    inUse_ = lockedInUseFile(root_);
    component_ = root_ / component.filename();
    installation_ = component.parent_path().string();
    const std::string program = start.executableBaseName;
    // The program's own files: itself, its windows, its core, its lock.
    const auto own = [&program](const std::string& name) {
        return name == program || name == program + ".exe" || name == program + ".lock" ||
               name.starts_with(program + "_window.") || name.starts_with("libengineering_core.") ||
               name == kBackupFolderName;
    };
    ok_ = inUse_ && copyFolder(component, component_, own) &&
          copyFolder(platform::nativePath((component.parent_path() / "parameter").string()),
                     root_ / "parameter", [](const std::string&) { return false; });
    // The journal of an interrupted run comes along: the dry run puts it back
    // first, as the real run would.
    for (const Journal& journal : listBackupFolders(component).journals)
        if (ok_ && journal.state == JournalState::Incomplete)
            ok_ = copyFolder(backupFolderPath(component, journal.folder),
                             backupFolderPath(component_, journal.folder),
                             [](const std::string&) { return false; });
}

ScratchInstallation::~ScratchInstallation() {
    std::error_code ignored;
    inUse_.reset(); // closed first: Windows removes no open file's folder
    if (!root_.empty())
        fs::remove_all(root_, ignored);
}

std::string ScratchInstallation::logLines() const {
    std::string lines;
    for (const char* log : {"Q4Mcfglog.txt", "HalvarServicePack.log"})
        lines += platform::readFileBytes((root_ / log).string()).value_or("");
    return asInstallation(std::move(lines));
}

std::string ScratchInstallation::asInstallation(std::string text) const {
    // Named as the installation's files: the copy is gone when they are read.
    const std::string copy = root_.string();
    for (auto at = text.find(copy); !copy.empty() && at != std::string::npos;
         at = text.find(copy, at + installation_.size()))
        text.replace(at, copy.size(), installation_);
    return text;
}

void removeAbandonedScratchCopies() {
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (!error)
        removeAbandonedScratchCopiesIn(temporary);
}

void removeAbandonedScratchCopiesIn(const fs::path& temporaryFolder) {
    std::error_code error;
    for (fs::directory_iterator it(temporaryFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (isScratchFolderName(it->path().filename().string()) &&
            it->symlink_status(ignored).type() == fs::file_type::directory)
            removeIfAbandoned(it->path());
    }
}

} // namespace installation

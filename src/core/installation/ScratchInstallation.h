#pragma once
// The scratch copy a dry run works on: the component folder's entries and the
// installation's "parameter" folder copied into a new folder of the temporary
// folder, with the same layout. The program itself, its lock file, hidden
// entries (the temporaries of an interrupted run among them) and the backup
// folder are left out, but for the journal of an interrupted run (RunJournal.h),
// which the dry run rolls back first, as the real run would.
//
// Each entry keeps the kind the run finds there, so that the run on the copy
// ends as the real run would: a regular file its bytes (a link to one is
// followed, so nothing written in the copy can reach the installation), a
// folder an empty folder, a FIFO or a device a FIFO, a dangling link a
// dangling link, a file that cannot be read an empty file that cannot be read.
//
// The copy's folder is named "engineering-dry-run-" + digits and holds, beside
// the copy, the file "in-use.lock", locked (FileLock.h) while the copy lives.
// The copy goes when the object goes; one left by a killed dry run has a free
// lock, and the next run of the program removes it.

#include "platform/FileLock.h"

#include <filesystem>
#include <memory>
#include <string>

namespace run {
struct ProgramStart;
}

namespace installation {

class ScratchInstallation {
public:
    // Copies the installation of the start; ok() tells whether that worked.
    explicit ScratchInstallation(const run::ProgramStart& start);
    ~ScratchInstallation();
    ScratchInstallation(const ScratchInstallation&) = delete;
    ScratchInstallation& operator=(const ScratchInstallation&) = delete;

    bool ok() const { return ok_; }
    // The copy's component folder, for the run's executable folder.
    std::string componentFolder() const { return component_.string(); }
    // What the run wrote into the copy's error and fault logs.
    std::string logLines() const;
    // A text with the copy's paths named as the installation's.
    std::string asInstallation(std::string text) const;

private:
    std::filesystem::path root_;
    std::filesystem::path component_;
    std::string installation_; // the folder copied, as logs name it
    std::unique_ptr<platform::FileLock> inUse_;
    bool ok_ = false;
};

// Removes the scratch copies of dry runs that ended without removing them:
// folders of the temporary folder named as such a copy whose "in-use.lock" is
// a regular file that can be locked. Anything else is left alone, and links
// are never followed.
void removeAbandonedScratchCopies();
// The same in a given folder.
void removeAbandonedScratchCopiesIn(const std::filesystem::path& temporaryFolder);
// The same in a given folder.
void removeAbandonedScratchCopiesIn(const std::filesystem::path& temporaryFolder);

} // namespace installation

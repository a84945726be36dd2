#pragma once
// The scratch copy a dry run works on: the component folder's files and the
// installation's "parameter" folder copied (links followed, so nothing written
// in the copy can reach the installation) into a new temporary folder, with
// the same layout. The program itself, its lock file, the temporaries of an
// interrupted run and the backup folders are left out. The copy goes when the
// object goes.

#include <filesystem>
#include <string>

namespace framework {

struct ProgramStart;

class ScratchInstallation {
public:
    // Copies the installation of the start; ok() tells whether that worked.
    explicit ScratchInstallation(const ProgramStart& start);
    ~ScratchInstallation();
    ScratchInstallation(const ScratchInstallation&) = delete;
    ScratchInstallation& operator=(const ScratchInstallation&) = delete;

    bool ok() const { return ok_; }
    // The copy's component folder, for the run's executable folder.
    std::string componentFolder() const { return component_.string(); }
    // What the run wrote into the copy's error and fault logs.
    std::string logLines() const;

private:
    std::filesystem::path root_;
    std::filesystem::path component_;
    bool ok_ = false;
};

} // namespace framework

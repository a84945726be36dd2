#pragma once
// What a run keeps and tells about the files it replaces: the backup of the
// replaced versions (framework/RunBackup.h) and the change report
// (ChangeReport.h).
//
// The run keeps the component's .cfg, .int and .mdb before its closing
// sequence replaces any of them, and the language file before that is
// replaced (ProgramState::keepBeforeReplacing). A backup that cannot be kept
// ends the run before anything is replaced. Afterwards the versions of files
// whose content did not change are let go again (the database counts as
// changed when its preset table did), so a run that changes nothing leaves no
// backup folder; the newest backup folders are kept.
//
// The report is appended to the executable base name + "_changes.txt" beside
// the error log; run as root, the file takes the component folder's owner and
// group. A dry run prints it on standard output instead, byte for byte as it
// would be appended.

#include "ChangeReport.h"

#include "framework/RunBackup.h"

#include <optional>
#include <string>
#include <vector>

namespace framework {
class ProgramState;
}

namespace engineering {

class RunChanges {
public:
    // Installs the program state's keepBeforeReplacing.
    explicit RunChanges(framework::ProgramState& program);
    RunChanges(const RunChanges&) = delete;
    RunChanges& operator=(const RunChanges&) = delete;

    // Keeps the old version of a file about to be replaced (a missing one is
    // remembered as missing); false when it cannot be kept.
    bool keep(const std::string& path);
    // Keeps the files the closing sequence replaces; ends the run when one
    // cannot be kept.
    void keepBeforeClosing();

    // The files kept whose content changed, and those that were missing and
    // exist now. Lets the other backups go and rotates the backup folders.
    std::vector<FileChange> settle(const presetdb::PresetTableReport* presets);
    // Appends (or, in a dry run, prints) the report with this body.
    void report(const std::vector<std::string>& body) const;

    std::string reportPath() const;
    const std::string& componentFolder() const { return componentFolder_; }

private:
    struct Tracked {
        std::string path;
        std::string name;
        bool existed = false;
    };

    std::string header() const;

    framework::ProgramState& program_;
    framework::WallClock::time_point started_;
    std::string componentFolder_;
    framework::RunBackup backup_;
    std::vector<Tracked> tracked_;
};

} // namespace engineering

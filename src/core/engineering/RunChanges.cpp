#include "RunChanges.h"

#include "FunctionFiles.h"

#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/Logs.h"
#include "framework/PlatformFiles.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace engineering {
namespace {

bool sameContent(const fs::path& kept, const std::string& current) {
    std::error_code error;
    const fs::path now = framework::nativePath(current);
    if (fs::equivalent(kept, now, error)) // never replaced: the backup is a link to it
        return true;
    const auto a = framework::readFileBytes(kept.string());
    const auto b = framework::readFileBytes(now.string());
    return a && b && *a == *b;
}

std::string startModeText(const framework::ProgramState& program) {
    switch (program.request.action) {
    case framework::RunAction::DryRun:
        return "dry run, nothing written";
    case framework::RunAction::Restore:
        return "restore";
    case framework::RunAction::Edit:
        break;
    }
    if (program.SilentMode)
        return "silent run";
    return program.StartModeIntegrated ? "integrated run" : "standalone run";
}

} // namespace

RunChanges::RunChanges(framework::ProgramState& program)
    : program_(program), started_(framework::WallClock::now()),
      componentFolder_(program.executableFolder), backup_(componentFolder_, started_) {
    program.keepBeforeReplacing = [this](std::string_view path) { return keep(std::string(path)); };
}

bool RunChanges::keep(const std::string& path) {
    const std::string name = framework::nativePath(path).filename().string();
    if (std::none_of(tracked_.begin(), tracked_.end(),
                     [&](const Tracked& file) { return file.name == name; }))
        tracked_.push_back({path, name, framework::fileExists(path)});
    return backup_.keep(path);
}

void RunChanges::keepBeforeClosing() {
    const std::string cfg = framework::GetCFGPath(program_);
    const std::string folder = fs::path(framework::nativePath(cfg)).parent_path().string();
    for (const std::string& path :
         {cfg, replaceExtension(cfg, ".int"),
          framework::joinFolder(folder, framework::GetOCXNameOrEmpty(program_) + ".mdb")})
        if (!keep(path))
            framework::endForMissingBackup(program_, path);
}

std::vector<FileChange> RunChanges::settle(const presetdb::PresetTableReport* presets) {
    std::vector<FileChange> changed;
    const std::string database = framework::GetOCXNameOrEmpty(program_) + ".mdb";
    for (const Tracked& file : tracked_) {
        const auto& kept = backup_.keptFiles();
        if (std::find(kept.begin(), kept.end(), file.name) == kept.end()) {
            if (!file.existed && framework::fileExists(file.path))
                changed.push_back({file.name, true});
            continue;
        }
        const bool databaseRebuilt =
            presets && presets->built && framework::equalsIgnoreCase(file.name, database);
        const bool same = databaseRebuilt ? !presets->changed
                                          : sameContent(backup_.keptPath(file.name), file.path);
        if (same)
            backup_.forget(file.name);
        else
            changed.push_back({file.name, false});
    }
    if (backup_.folderName())
        framework::rotateBackups(componentFolder_);
    return changed;
}

std::string RunChanges::header() const {
    std::string text = "==== " + framework::readableTime(started_) + " " + startModeText(program_);
    if (const auto folder = backup_.folderName();
        folder && program_.request.action != framework::RunAction::DryRun)
        text += ", old versions in " + std::string(framework::kBackupFolderName) +
                std::string(framework::kSeparator) + *folder;
    return text;
}

std::string RunChanges::reportPath() const {
    const fs::path log = framework::nativePath(framework::errorLogPath(program_));
    return (log.parent_path() / (program_.executableBaseName + "_changes.txt")).string();
}

void RunChanges::report(const std::vector<std::string>& body) const {
    const std::string bytes = changeReportBytes(header(), body);
    if (program_.request.action == framework::RunAction::DryRun) {
        framework::platform::writeToStandardOutput(bytes);
        return;
    }
    const std::string path = reportPath();
    if (!framework::appendToFile(path, bytes)) {
        framework::LogError(program_, "Cannot write the change report " + path, false);
        return;
    }
    if (const auto owner = framework::platform::ownershipOf(componentFolder_))
        framework::platform::giveOwnership(path, *owner);
}

} // namespace engineering

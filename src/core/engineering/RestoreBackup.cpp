#include "RestoreBackup.h"

#include "ConfigurationRun.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/Logs.h"
#include "framework/RunBackup.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace engineering {
namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

int listAll(const fs::path& component, std::ostream& out) {
    const std::vector<std::string> backups = framework::listBackups(component);
    if (backups.empty())
        out << "No backups in " << (component / framework::kBackupFolderName).string() << "\n";
    for (const std::string& backup : backups)
        out << backup << ": " << joined(framework::backupFiles(component, backup)) << "\n";
    return framework::ExitOk;
}

int refuse(ConfigurationRun& run, const std::string& message) {
    std::cerr << run.program.executableBaseName << ": " << message << std::endl;
    framework::ReportFault(run.program, message);
    return framework::ExitEndedByFailure;
}

} // namespace

int restoreBackup(ConfigurationRun& run, std::ostream& out) {
    const fs::path component = run.changes.componentFolder();
    const std::string& request = run.program.request.restoreValue;
    if (request == "LIST")
        return listAll(component, out);

    const std::vector<std::string> backups = framework::listBackups(component);
    const std::string name = request.empty() && !backups.empty() ? backups.back() : request;
    if (name.empty() || std::find(backups.begin(), backups.end(), name) == backups.end())
        return refuse(run, "No backup " + name + " in " +
                               (component / framework::kBackupFolderName).string());
    const std::vector<std::string> files = framework::backupFiles(component, name);
    const fs::path from = component / framework::kBackupFolderName / name;

    // Every current version is kept before the first file is put back.
    for (const std::string& file : files)
        if (!run.changes.keep((component / file).string()))
            framework::endForMissingBackup(run.program, (component / file).string());
    for (const std::string& file : files)
        if (!framework::copyFileAtomically((from / file).string(), (component / file).string()))
            framework::ReportFault(run.program, "Cannot put back " + (component / file).string());

    const std::vector<FileChange> changed = run.changes.settle(nullptr);
    std::vector<std::string> body{"Restored " + std::string(framework::kBackupFolderName) + "\\" +
                                  name + ": " + joined(files)};
    body.push_back(changed.empty() ? std::string(kNoChangesLine) : filesReplacedLine(changed));
    run.changes.report(body);
    out << "Restored " << from.string() << ": " << joined(files) << "\n";
    return framework::completionStatus(run.program);
}

} // namespace engineering

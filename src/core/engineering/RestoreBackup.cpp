#include "RestoreBackup.h"

#include "ConfigurationRun.h"

#include "installation/InstallationFiles.h"
#include "installation/RunJournal.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace engineering {
namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::vector<std::string> namesOf(const installation::Journal& journal) {
    std::vector<std::string> names;
    for (const auto& file : journal.files)
        names.push_back(file.name + (file.existed ? "" : " (absent)"));
    return names;
}

std::string shownFolder(std::string_view name) {
    return std::string(installation::kBackupFolderName) + std::string(run::kSeparator) +
           std::string(name);
}

int listAll(const fs::path& component, std::ostream& out) {
    const installation::BackupFolders folders = installation::listBackupFolders(component);
    if (folders.journals.empty() && folders.foreign.empty())
        out << "No backups in " << platform::utf8Text(component / installation::kBackupFolderName)
            << "\n";
    for (const installation::Journal& journal : folders.journals)
        if (journal.state == installation::JournalState::Complete)
            out << journal.folder << ": " << joined(namesOf(journal)) << "\n";
    for (const std::string& name : folders.foreign)
        out << name << ": foreign (no manifest of this program), never restored\n";
    return run::ExitOk;
}

// The files this program replaces, the only ones a restore may put back, by
// their names inside the component folder as a journal holds them.
std::set<std::string> restorableNames(const installation::InstallationFiles& files,
                                      const fs::path& component) {
    std::set<std::string> names;
    for (const std::string* file :
         {&files.languageFile, &files.runtimeConfiguration, &files.storedFunctions,
          &files.targetDatabase, &files.sourceDatabase}) {
        std::string inside =
            platform::utf8Text(platform::nativePath(*file).lexically_normal().lexically_relative(
                component.lexically_normal()));
        std::replace(inside.begin(), inside.end(), '\\', '/');
        names.insert(platform::upperCase(inside));
    }
    return names;
}

// Why the backup must not be restored, if it must not.
std::optional<std::string> refusal(run::ProgramState& program, const fs::path& component,
                                   const installation::Journal& journal) {
    const std::set<std::string> restorable =
        restorableNames(installation::findInstallationFiles(program), component);
    std::set<std::string> expected{std::string(installation::kJournalFileName)};
    for (const auto& file : journal.files) {
        if (!restorable.contains(platform::upperCase(file.name)))
            return "it names " + file.name + ", which this program never replaces";
        if (file.existed)
            expected.insert(installation::copyNameOf(file.name));
    }
    std::error_code error;
    const fs::path folder = installation::backupFolderPath(component, journal.folder);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const std::string name = platform::utf8Text(it->path().filename());
        if (!expected.contains(name))
            return "it holds " + name + ", which no run of this program put there";
        if (!fs::is_regular_file(it->symlink_status(ignored)))
            return name + " in it is not a plain file";
    }
    if (error)
        return "it cannot be read";
    return std::nullopt;
}

} // namespace

int restoreBackup(ConfigurationRun& run, std::ostream& out) {
    run::ProgramState& program = run.program;
    const fs::path component = platform::nativePath(run.changes.componentFolder());
    const std::string& request = program.request.restoreValue;
    if (request == "LIST")
        return listAll(component, out);

    const installation::BackupFolders folders = installation::listBackupFolders(component);
    std::optional<installation::Journal> chosen;
    for (const installation::Journal& journal : folders.journals)
        if (journal.state == installation::JournalState::Complete &&
            (request.empty() || journal.folder == request))
            chosen = journal;
    run::Procedure procedure(program, "RestoreBackup");
    const auto refuse = [&](const std::string& message) {
        procedure.fatal(run::Failure(run::ErrPathFileAccess, message));
    };
    if (!chosen) {
        const bool foreign = std::find(folders.foreign.begin(), folders.foreign.end(), request) !=
                             folders.foreign.end();
        refuse(foreign
                   ? shownFolder(request) + " is no backup of this program: nothing was restored"
                   : "No backup " + request + " in " +
                         platform::utf8Text(component / installation::kBackupFolderName));
    }
    if (const auto why = refusal(program, component, *chosen))
        refuse("Cannot restore " + shownFolder(chosen->folder) + ": " + *why +
               "; nothing was restored");

    installation::RunTransaction& transaction = run.changes.transaction();
    for (const auto& file : chosen->files) {
        const std::string target =
            platform::utf8Text(component / platform::pathFromUtf8(file.name));
        if (!file.existed) {
            transaction.stageRemoval(target);
            continue;
        }
        std::string problem;
        auto bytes = installation::journalCopy(component, *chosen, file, problem);
        if (!bytes)
            refuse("Cannot restore " + shownFolder(chosen->folder) + ": " + problem +
                   "; nothing was restored");
        transaction.stage(target, std::move(*bytes));
    }
    run.changes.commitRestore("Restored " + shownFolder(chosen->folder) + ": " +
                              joined(namesOf(*chosen)));
    out << "Restored "
        << platform::utf8Text(installation::backupFolderPath(component, chosen->folder)) << ": "
        << joined(namesOf(*chosen)) << "\n";
    return run::completionStatus(program);
}

} // namespace engineering

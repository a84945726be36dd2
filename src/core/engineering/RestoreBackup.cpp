#include "RestoreBackup.h"

#include "ConfigurationRun.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/RunJournal.h"
#include "framework/Text.h"
#include "texts/LanguageTexts.h"

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

std::vector<std::string> namesOf(const framework::Journal& journal) {
    std::vector<std::string> names;
    for (const auto& file : journal.files)
        names.push_back(file.name + (file.existed ? "" : " (absent)"));
    return names;
}

std::string shownFolder(std::string_view name) {
    return std::string(framework::kBackupFolderName) + std::string(framework::kSeparator) +
           std::string(name);
}

int listAll(const fs::path& component, std::ostream& out) {
    const framework::BackupFolders folders = framework::listBackupFolders(component);
    if (folders.journals.empty() && folders.foreign.empty())
        out << "No backups in " << framework::utf8Text(component / framework::kBackupFolderName)
            << "\n";
    for (const framework::Journal& journal : folders.journals)
        if (journal.state == framework::JournalState::Complete)
            out << journal.folder << ": " << joined(namesOf(journal)) << "\n";
    for (const std::string& name : folders.foreign)
        out << name << ": foreign (no manifest of this program), never restored\n";
    return framework::ExitOk;
}

// The files this program replaces, the only ones a restore may put back, by
// their names inside the component folder as a journal holds them.
std::set<std::string> restorableNames(framework::ProgramState& program, const fs::path& component) {
    const std::string cfg = framework::GetCFGPath(program);
    const fs::path folder = framework::nativePath(cfg).parent_path();
    const std::string name = framework::GetOCXNameOrEmpty(program);
    std::set<std::string> names;
    for (const fs::path& path :
         {framework::nativePath(dialogs::languageFilePath(program)), framework::nativePath(cfg),
          folder / (name + ".int"), folder / (name + ".mdb"), folder / (name + "_Source.mdb")}) {
        std::string inside = framework::utf8Text(
            path.lexically_normal().lexically_relative(component.lexically_normal()));
        std::replace(inside.begin(), inside.end(), '\\', '/');
        names.insert(framework::upperCase(inside));
    }
    return names;
}

// Why the backup must not be restored, if it must not.
std::optional<std::string> refusal(framework::ProgramState& program, const fs::path& component,
                                   const framework::Journal& journal) {
    const std::set<std::string> restorable = restorableNames(program, component);
    std::set<std::string> expected{std::string(framework::kJournalFileName)};
    for (const auto& file : journal.files) {
        if (!restorable.contains(framework::upperCase(file.name)))
            return "it names " + file.name + ", which this program never replaces";
        if (file.existed)
            expected.insert(framework::copyNameOf(file.name));
    }
    std::error_code error;
    const fs::path folder = framework::backupFolderPath(component, journal.folder);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const std::string name = framework::utf8Text(it->path().filename());
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
    framework::ProgramState& program = run.program;
    const fs::path component = framework::nativePath(run.changes.componentFolder());
    const std::string& request = program.request.restoreValue;
    if (request == "LIST")
        return listAll(component, out);

    const framework::BackupFolders folders = framework::listBackupFolders(component);
    std::optional<framework::Journal> chosen;
    for (const framework::Journal& journal : folders.journals)
        if (journal.state == framework::JournalState::Complete &&
            (request.empty() || journal.folder == request))
            chosen = journal;
    framework::Procedure procedure(program, "RestoreBackup");
    const auto refuse = [&](const std::string& message) {
        procedure.fatal(framework::Failure(framework::ErrPathFileAccess, message));
    };
    if (!chosen) {
        const bool foreign = std::find(folders.foreign.begin(), folders.foreign.end(), request) !=
                             folders.foreign.end();
        refuse(foreign
                   ? shownFolder(request) + " is no backup of this program: nothing was restored"
                   : "No backup " + request + " in " +
                         framework::utf8Text(component / framework::kBackupFolderName));
    }
    if (const auto why = refusal(program, component, *chosen))
        refuse("Cannot restore " + shownFolder(chosen->folder) + ": " + *why +
               "; nothing was restored");

    framework::RunTransaction& transaction = run.changes.transaction();
    for (const auto& file : chosen->files) {
        const std::string target =
            framework::utf8Text(component / framework::pathFromUtf8(file.name));
        if (!file.existed) {
            transaction.stageRemoval(target);
            continue;
        }
        std::string problem;
        auto bytes = framework::journalCopy(component, *chosen, file, problem);
        if (!bytes)
            refuse("Cannot restore " + shownFolder(chosen->folder) + ": " + problem +
                   "; nothing was restored");
        transaction.stage(target, std::move(*bytes));
    }
    run.changes.commitRestore("Restored " + shownFolder(chosen->folder) + ": " +
                              joined(namesOf(*chosen)));
    out << "Restored "
        << framework::utf8Text(framework::backupFolderPath(component, chosen->folder)) << ": "
        << joined(namesOf(*chosen)) << "\n";
    return framework::completionStatus(program);
}

} // namespace engineering

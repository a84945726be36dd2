#include "RunTransaction.h"

#include "platform/FileSystem.h"
#include "platform/KillProcess.h"
#include "platform/Sha256.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace installation {
namespace {

// What a staged file will do, once its old version is known.
struct Change {
    fs::path path; // as named in the component folder
    std::string name;
    std::optional<std::string> before;
    std::optional<std::string> after;
    bool keepFileTimes = false;
};

int replacementsBeforeKill() {
    const char* value = std::getenv(kKillAfterReplacingVariable);
    return value != nullptr ? std::atoi(value) : -1;
}

// The changes that really change something; a message when an old version
// cannot be read (an unreadable file is never taken for a missing one).
std::optional<std::string> decideChanges(const fs::path& componentFolder,
                                         std::vector<Change>& changes, const auto& staged) {
    const fs::path base =
        platform::nativePath(platform::utf8Text(componentFolder)).lexically_normal();
    for (const auto& file : staged) {
        const fs::path path = platform::nativePath(file.path).lexically_normal();
        const fs::path inside = path.lexically_relative(base);
        std::string name = platform::utf8Text(inside);
        std::replace(name.begin(), name.end(), '\\', '/');
        if (inside.empty() || inside.is_absolute() || name.starts_with(".."))
            return "Cannot replace " + platform::utf8Text(path) + ": not in the component folder";
        Change change{path, name, std::nullopt, file.bytes, file.keepFileTimes};
        platform::FileRead old = platform::readFile(file.path);
        if (old.kind == platform::FileKind::Unreadable)
            return platform::cannotReadMessage(file.path);
        if (old.kind == platform::FileKind::Readable)
            change.before = std::move(old.bytes);
        if (!change.before && !change.after)
            continue;
        if (change.before && change.after &&
            (*change.before == *change.after ||
             (file.same && file.same(*change.before, *change.after))))
            continue;
        changes.push_back(std::move(change));
    }
    return std::nullopt;
}

JournalFile journalEntry(const Change& change) {
    JournalFile file;
    file.name = change.name;
    file.existed = change.before.has_value();
    if (change.before) {
        file.size = change.before->size();
        file.sha256 = platform::sha256Hex(*change.before);
    }
    file.remains = change.after.has_value();
    if (change.after) {
        file.newSize = change.after->size();
        file.newSha256 = platform::sha256Hex(*change.after);
    }
    return file;
}

} // namespace

void RunTransaction::put(Staged file) {
    file.named = platform::nativePath(file.path);
    for (Staged& earlier : staged_)
        if (earlier.named == file.named) {
            earlier = std::move(file);
            return;
        }
    staged_.push_back(std::move(file));
}

void RunTransaction::stage(std::string_view path, std::string bytes, SameContent same,
                           bool keepFileTimes) {
    put(Staged{std::string(path), std::move(bytes), std::move(same), keepFileTimes, {}});
}

void RunTransaction::stageRemoval(std::string_view path) {
    put(Staged{std::string(path), std::nullopt, {}, false, {}});
}

CommitOutcome RunTransaction::commit(const fs::path& componentFolder, const std::string& run,
                                     WallClock::time_point time) {
    const std::vector<Staged> staged = std::move(staged_);
    staged_.clear();
    CommitOutcome outcome;
    std::vector<Change> changes;
    if (auto problem = decideChanges(componentFolder, changes, staged)) {
        outcome.ok = false;
        outcome.problem = *problem + ": nothing was replaced";
        return outcome;
    }
    if (changes.empty())
        return outcome;

    // Every new version written and flushed before anything is replaced.
    std::vector<std::optional<platform::PreparedFile>> prepared;
    for (const Change& change : changes) {
        if (!change.after) {
            prepared.emplace_back();
            continue;
        }
        prepared.push_back(platform::PreparedFile::prepare(
            platform::utf8Text(change.path), *change.after, platform::PreparedFile::Flush::Later));
        if (!prepared.back()) {
            outcome.ok = false;
            outcome.problem =
                "Cannot write " + platform::utf8Text(change.path) + ": nothing was replaced";
            return outcome;
        }
        if (change.keepFileTimes)
            prepared.back()->keepFileTimes();
    }

    Journal journal;
    journal.run = run;
    std::vector<std::optional<std::string>> oldBytes;
    for (const Change& change : changes) {
        journal.files.push_back(journalEntry(change));
        oldBytes.push_back(change.before);
    }
    // The new versions go to the disk with the journal.
    std::vector<fs::path> newVersions;
    for (const auto& file : prepared)
        if (file)
            newVersions.push_back(file->temporary());
    JournalWriter writer(componentFolder);
    if (!writer.begin(std::move(journal), oldBytes, time, std::move(newVersions))) {
        outcome.ok = false;
        outcome.problem = "Cannot keep a backup of the replaced files in the folder " +
                          platform::utf8Text(componentFolder / kBackupFolderName) +
                          ": nothing was replaced";
        return outcome;
    }

    const int killAfter = replacementsBeforeKill();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (killAfter == int(i))
            platform::killThisProcess();
        std::error_code error;
        const bool done = prepared[i] ? prepared[i]->install(platform::PreparedFile::Flush::Later)
                                      : fs::remove(changes[i].path, error);
        if (!done) {
            std::string problem;
            outcome.ok = false;
            outcome.problem = "Cannot replace " + platform::utf8Text(changes[i].path);
            outcome.problem += writer.rollBack(problem)
                                   ? ": nothing was replaced"
                                   : "; putting back the others failed too (" + problem +
                                         "), the next run puts them back";
            return outcome;
        }
    }
    if (killAfter == int(changes.size()))
        platform::killThisProcess();
    std::vector<fs::path> folders;
    for (const Change& change : changes)
        if (std::find(folders.begin(), folders.end(), change.path.parent_path()) == folders.end())
            folders.push_back(change.path.parent_path());
    writer.complete(folders);
    outcome.backupFolder = writer.journal().folder;
    rotateBackups(componentFolder, writer.journal().folder);
    for (std::size_t i = 0; i < changes.size(); ++i)
        outcome.replaced.push_back({changes[i].name, changes[i].before, changes[i].after,
                                    writer.journal().files[i].sha256,
                                    writer.journal().files[i].newSha256});
    return outcome;
}

} // namespace installation

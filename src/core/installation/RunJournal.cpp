#include "RunJournal.h"

#include "run/BackupName.h"

#include "platform/FileClone.h"
#include "platform/FileSystem.h"
#include "platform/FlushTogether.h"
#include "platform/LocalTime.h"
#include "platform/NoFollowRead.h"
#include "platform/PlatformFiles.h"
#include "platform/Sha256.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace installation {
namespace {

// A run that cannot find a free name within a day of its change has a folder
// full of anything but backups.
constexpr int kFolderNameAttempts = 86400;
constexpr std::string_view kSequenceFileName = "sequence";

std::string formatTime(WallClock::time_point time, const char* format) {
    const std::tm local = platform::localTime(WallClock::to_time_t(time));
    char text[32];
    std::snprintf(text, sizeof text, format, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

bool makeOwnedFolder(const fs::path& folder, const std::optional<platform::FileOwnership>& owner) {
    std::error_code error;
    if (!fs::create_directory(folder, error))
        return false;
    return !owner || platform::giveOwnership(folder, *owner);
}

fs::path backupsOf(const fs::path& componentFolder) {
    return componentFolder / kBackupFolderName;
}

std::string_view stateName(JournalState state) {
    switch (state) {
    case JournalState::Incomplete:
        return "incomplete";
    case JournalState::Complete:
        return "complete";
    case JournalState::RolledBack:
        return "rolled back";
    }
    return "";
}

std::optional<JournalState> stateOf(std::string_view name) {
    for (const JournalState state :
         {JournalState::Incomplete, JournalState::Complete, JournalState::RolledBack})
        if (stateName(state) == name)
            return state;
    return std::nullopt;
}

// A name the manifest may hold: a path inside the component folder, its
// parts separated by "/", none empty, "." or "..".
bool isInsideName(const std::string& name) {
    if (name.empty() || name.find_first_of("\\:") != std::string::npos)
        return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = name.find('/', start);
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

std::string manifestText(const Journal& journal) {
    Json files = Json::array();
    for (const JournalFile& file : journal.files)
        files.push_back({{"name", file.name},
                         {"existed", file.existed},
                         {"size", file.size},
                         {"sha256", file.sha256},
                         {"remains", file.remains},
                         {"newSize", file.newSize},
                         {"newSha256", file.newSha256}});
    const Json manifest = {{"sequence", journal.sequence},
                           {"state", stateName(journal.state)},
                           {"time", journal.time},
                           {"run", journal.run},
                           {"files", files}};
    return manifest.dump(2) + "\n";
}

std::optional<Journal> parseManifest(const std::string& text, const std::string& folder) {
    const Json manifest = Json::parse(text, nullptr, false);
    if (manifest.is_discarded() || !manifest.is_object())
        return std::nullopt;
    try {
        Journal journal;
        journal.folder = folder;
        journal.sequence = manifest.at("sequence").get<std::uint64_t>();
        const auto state = stateOf(manifest.at("state").get<std::string>());
        if (!state)
            return std::nullopt;
        journal.state = *state;
        journal.time = manifest.at("time").get<std::string>();
        journal.run = manifest.at("run").get<std::string>();
        for (const Json& entry : manifest.at("files")) {
            JournalFile file;
            file.name = entry.at("name").get<std::string>();
            file.existed = entry.at("existed").get<bool>();
            file.size = entry.at("size").get<std::uint64_t>();
            file.sha256 = entry.at("sha256").get<std::string>();
            file.remains = entry.at("remains").get<bool>();
            file.newSize = entry.at("newSize").get<std::uint64_t>();
            file.newSha256 = entry.at("newSha256").get<std::string>();
            if (!isInsideName(file.name) || copyNameOf(file.name) == kJournalFileName)
                return std::nullopt;
            journal.files.push_back(std::move(file));
        }
        return journal;
    } catch (const Json::exception&) {
        return std::nullopt;
    }
}

std::optional<Journal> readJournal(const fs::path& componentFolder, const std::string& folder) {
    const auto text = platform::readRegularFileNoFollow(backupFolderPath(componentFolder, folder) /
                                                        kJournalFileName);
    if (!text)
        return std::nullopt;
    return parseManifest(*text, folder);
}

// Replaces the manifest; with Flush::Now it is on the disk when this returns.
bool writeManifest(const fs::path& componentFolder, const Journal& journal,
                   platform::PreparedFile::Flush flush = platform::PreparedFile::Flush::Now) {
    const fs::path folder = backupFolderPath(componentFolder, journal.folder);
    const fs::path manifest = folder / kJournalFileName;
    if (flush == platform::PreparedFile::Flush::Now)
        return platform::writeFileAtomically(platform::utf8Text(manifest), manifestText(journal));
    auto prepared =
        platform::PreparedFile::prepare(platform::utf8Text(manifest), manifestText(journal), flush);
    return prepared && prepared->install(flush);
}

std::uint64_t readCounter(const fs::path& componentFolder) {
    const auto text =
        platform::readRegularFileNoFollow(backupsOf(componentFolder) / kSequenceFileName);
    if (!text)
        return 0;
    try {
        return std::stoull(*text);
    } catch (const std::exception&) {
        return 0;
    }
}

// The next sequence number: above the counter and above every journal (the
// counter may be older than a journal whose run was killed after making it).
std::optional<std::uint64_t> takeSequence(const fs::path& componentFolder) {
    std::uint64_t last = readCounter(componentFolder);
    for (const Journal& journal : listBackupFolders(componentFolder).journals)
        last = std::max(last, journal.sequence);
    const std::uint64_t next = last + 1;
    // Flushed with the journal it numbers.
    auto counter = platform::PreparedFile::prepare(
        platform::utf8Text(backupsOf(componentFolder) / kSequenceFileName),
        std::to_string(next) + "\n", platform::PreparedFile::Flush::Later);
    if (!counter || !counter->install(platform::PreparedFile::Flush::Later))
        return std::nullopt;
    return next;
}

// The folder "backup" itself, made when missing; never a link or a file in
// its place.
bool makeBackupsFolder(const fs::path& componentFolder) {
    const fs::path backups = backupsOf(componentFolder);
    std::error_code error;
    const auto status = fs::symlink_status(backups, error);
    if (fs::exists(status))
        return fs::is_directory(status);
    return makeOwnedFolder(backups, platform::ownershipOf(componentFolder));
}

std::optional<std::string> makeJournalFolder(const fs::path& componentFolder,
                                             WallClock::time_point time) {
    const auto owner = platform::ownershipOf(componentFolder);
    const fs::path backups = backupsOf(componentFolder);
    std::error_code error;
    for (int second = 0; second < kFolderNameAttempts; ++second) {
        const std::string name = backupStamp(time + std::chrono::seconds(second));
        if (fs::exists(fs::symlink_status(backups / name, error)))
            continue;
        if (!makeOwnedFolder(backups / name, owner))
            return std::nullopt;
        return name;
    }
    return std::nullopt;
}

// Copies the file's current version into the journal folder, checked
// against the bytes the run read from it.
bool copyOldVersion(const fs::path& original, const fs::path& copy, std::string_view oldBytes,
                    const std::string& sha256) {
    bool cloned = platform::cloneFile(original, copy);
    if (cloned) {
        const auto copied = platform::readRegularFileNoFollow(copy);
        cloned = copied && platform::sha256Hex(*copied) == sha256;
    }
    if (!cloned) {
        std::error_code ignored;
        fs::remove(copy, ignored);
        platform::OpenFile file = platform::createNewFile(copy);
        if (!file.isOpen() || !platform::writeAll(file, oldBytes) || !platform::flushToDisk(file) ||
            !file.close())
            return false;
    }
    // The copy belongs to whom the original belongs, with its mode.
    platform::giveCopyOwnerAndMode(original, copy);
    return true;
}

std::optional<std::string> currentBytes(const fs::path& path, bool& unreadable) {
    platform::FileRead current = platform::readFile(platform::utf8Text(path));
    unreadable = current.kind == platform::FileKind::Unreadable;
    if (current.kind != platform::FileKind::Readable)
        return std::nullopt;
    return std::move(current.bytes);
}

} // namespace

std::string copyNameOf(std::string_view name) {
    std::string copy(name);
    std::replace(copy.begin(), copy.end(), '/', '%');
    return copy;
}

std::string backupStamp(WallClock::time_point time) {
    return formatTime(time, "%04d-%02d-%02d_%02d-%02d-%02d");
}

std::string readableTime(WallClock::time_point time) {
    return formatTime(time, "%04d-%02d-%02d %02d:%02d:%02d");
}

fs::path backupFolderPath(const fs::path& componentFolder, std::string_view folder) {
    return backupsOf(componentFolder) / platform::pathFromUtf8(folder);
}

BackupFolders listBackupFolders(const fs::path& componentFolder) {
    BackupFolders folders;
    std::error_code error;
    for (fs::directory_iterator it(backupsOf(componentFolder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!fs::is_directory(it->symlink_status(ignored)))
            continue;
        const std::string name = platform::utf8Text(it->path().filename());
        if (auto journal = readJournal(componentFolder, name))
            folders.journals.push_back(std::move(*journal));
        else
            folders.foreign.push_back(name);
    }
    std::sort(folders.journals.begin(), folders.journals.end(),
              [](const Journal& a, const Journal& b) { return a.sequence < b.sequence; });
    std::sort(folders.foreign.begin(), folders.foreign.end());
    return folders;
}

JournalWriter::JournalWriter(fs::path componentFolder)
    : componentFolder_(std::move(componentFolder)) {}

bool JournalWriter::begin(Journal journal, const std::vector<std::optional<std::string>>& oldBytes,
                          WallClock::time_point time, std::vector<fs::path> alsoFlush) {
    const auto sequence =
        makeBackupsFolder(componentFolder_) ? takeSequence(componentFolder_) : std::nullopt;
    const auto folder = sequence ? makeJournalFolder(componentFolder_, time) : std::nullopt;
    if (!folder)
        return false;
    journal.folder = *folder;
    journal.sequence = *sequence;
    journal.state = JournalState::Incomplete;
    journal.time = readableTime(time);
    journal_ = std::move(journal);
    // The manifest first: a run killed while copying leaves a journal that
    // the next run recognises (and finds nothing replaced yet).
    const fs::path path = backupFolderPath(componentFolder_, journal_.folder);
    bool copied = writeManifest(componentFolder_, journal_, platform::PreparedFile::Flush::Later);
    for (std::size_t i = 0; i < journal_.files.size() && copied; ++i) {
        const JournalFile& file = journal_.files[i];
        if (file.existed)
            copied = copyOldVersion(platform::nativePath(platform::utf8Text(
                                        componentFolder_ / platform::pathFromUtf8(file.name))),
                                    path / platform::pathFromUtf8(copyNameOf(file.name)),
                                    *oldBytes[i], file.sha256);
    }
    // Copies, manifest, counter and the caller's files on the disk, in one
    // go, before anything is replaced.
    if (copied) {
        for (const JournalFile& file : journal_.files)
            if (file.existed)
                alsoFlush.push_back(path / platform::pathFromUtf8(copyNameOf(file.name)));
        for (const fs::path& written :
             {path / kJournalFileName, backupsOf(componentFolder_) / kSequenceFileName, path,
              backupsOf(componentFolder_), componentFolder_})
            alsoFlush.push_back(written);
        copied = platform::flushTogether(alsoFlush);
    }
    if (copied)
        return true;
    std::error_code ignored;
    fs::remove_all(path, ignored);
    return false;
}

bool JournalWriter::complete(std::vector<fs::path> alsoFlush) {
    // The replaced files' folders on the disk first: the journal must never
    // say complete for renames that could still be lost.
    const fs::path folder = backupFolderPath(componentFolder_, journal_.folder);
    journal_.state = JournalState::Complete;
    auto manifest = platform::PreparedFile::prepare(platform::utf8Text(folder / kJournalFileName),
                                                    manifestText(journal_),
                                                    platform::PreparedFile::Flush::Later);
    if (!manifest)
        return false;
    alsoFlush.push_back(manifest->temporary());
    if (!platform::flushTogether(alsoFlush) ||
        !manifest->install(platform::PreparedFile::Flush::Later))
        return false;
    platform::flushFolder(folder);
    return true;
}

bool JournalWriter::rollBack(std::string& problem) {
    if (!rollBackJournal(componentFolder_, journal_, problem))
        return false;
    journal_.state = JournalState::RolledBack;
    writeManifest(componentFolder_, journal_);
    std::error_code ignored;
    fs::remove_all(backupFolderPath(componentFolder_, journal_.folder), ignored);
    return true;
}

std::optional<std::string> journalCopy(const fs::path& componentFolder, const Journal& journal,
                                       const JournalFile& file, std::string& problem) {
    const fs::path path = backupFolderPath(componentFolder, journal.folder) /
                          platform::pathFromUtf8(copyNameOf(file.name));
    auto bytes = platform::readRegularFileNoFollow(path);
    if (!bytes) {
        problem = platform::utf8Text(path) + " is not a plain file that can be read";
        return std::nullopt;
    }
    if (bytes->size() != file.size || platform::sha256Hex(*bytes) != file.sha256) {
        problem = platform::utf8Text(path) +
                  " is not the version its manifest names (changed or replaced)";
        return std::nullopt;
    }
    return bytes;
}

bool rollBackJournal(const fs::path& componentFolder, const Journal& journal,
                     std::string& problem) {
    for (const JournalFile& file : journal.files) {
        const fs::path target = platform::nativePath(
            platform::utf8Text(componentFolder / platform::pathFromUtf8(file.name)));
        bool unreadable = false;
        const auto now = currentBytes(target, unreadable);
        if (unreadable) {
            problem = platform::cannotReadMessage(platform::utf8Text(target));
            return false;
        }
        const std::string nowSha = now ? platform::sha256Hex(*now) : std::string();
        if (!file.existed) {
            // Created by the run: it goes, unless something else stands there now.
            std::error_code error;
            if (now && nowSha == file.newSha256 && !fs::remove(target, error)) {
                problem = "Cannot remove " + platform::utf8Text(target);
                return false;
            }
            continue;
        }
        if (now && nowSha == file.sha256)
            continue;
        const auto old = journalCopy(componentFolder, journal, file, problem);
        if (!old)
            return false;
        if (!platform::writeFileAtomically(platform::utf8Text(target), *old)) {
            problem = "Cannot put back " + platform::utf8Text(target);
            return false;
        }
    }
    return true;
}

RecoveryResult recoverInterruptedRuns(const fs::path& componentFolder) {
    RecoveryResult result;
    // What a run killed while writing its journal left: temporaries, and a
    // folder of its own that has nothing else yet.
    platform::removeStaleTemporaries(platform::utf8Text(backupsOf(componentFolder)));
    const BackupFolders folders = listBackupFolders(componentFolder);
    for (const std::string& name : folders.foreign) {
        const fs::path folder = backupFolderPath(componentFolder, name);
        platform::removeStaleTemporaries(platform::utf8Text(folder));
        std::error_code ignored;
        if (run::isBackupName(name) && fs::is_empty(folder, ignored))
            fs::remove(folder, ignored);
    }
    for (const Journal& journal : folders.journals) {
        // A complete journal's folder has none: its manifest was written last.
        if (journal.state == JournalState::Complete)
            continue;
        platform::removeStaleTemporaries(
            platform::utf8Text(backupFolderPath(componentFolder, journal.folder)));
        if (journal.state == JournalState::Incomplete) {
            Journal copy = journal;
            if (!rollBackJournal(componentFolder, copy, result.problem)) {
                result.ok = false;
                return result;
            }
            copy.state = JournalState::RolledBack;
            writeManifest(componentFolder, copy);
            result.rolledBack.push_back(journal);
        }
        std::error_code ignored;
        fs::remove_all(backupFolderPath(componentFolder, journal.folder), ignored);
    }
    return result;
}

bool hasInterruptedRun(const fs::path& componentFolder) {
    for (const Journal& journal : listBackupFolders(componentFolder).journals)
        if (journal.state == JournalState::Incomplete)
            return true;
    return false;
}

void rotateBackups(const fs::path& componentFolder, std::string_view current, std::size_t keep) {
    std::vector<Journal> complete;
    for (Journal& journal : listBackupFolders(componentFolder).journals)
        if (journal.state == JournalState::Complete && journal.folder != current)
            complete.push_back(std::move(journal));
    // The current run's folder counts among the kept ones.
    const std::size_t others = keep > 0 ? keep - 1 : 0;
    for (std::size_t i = 0; i + others < complete.size(); ++i) {
        std::error_code ignored;
        fs::remove_all(backupFolderPath(componentFolder, complete[i].folder), ignored);
    }
}

} // namespace installation

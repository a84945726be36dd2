#pragma once
// The files one run replaces, replaced together or not at all.
//
// The run stages the new version of each file (or its removal) while it
// works; nothing on disk changes then. commit() decides by content which
// staged files would really change (a file whose new bytes equal the old
// ones, or that a content rule finds equal, is left as it is, bytes and
// times), writes and flushes all new versions beside their files, journals
// the old ones (RunJournal.h), renames the new versions into place and marks
// the journal complete. A file that cannot be written, or a rename that
// fails, puts back what was already replaced: nothing is changed then, and
// the outcome says why. A commit that changes nothing leaves no journal.

#include "RunJournal.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace installation {

// Whether two versions of a file hold the same content, beyond equal bytes.
using SameContent = std::function<bool(std::string_view old, std::string_view now)>;

// A file a commit replaced, created or removed, with both versions.
struct ReplacedFile {
    std::string name;
    std::optional<std::string> before; // nothing: created
    std::optional<std::string> after;  // nothing: removed
    std::string sha256Before;
    std::string sha256After;
};

struct CommitOutcome {
    bool ok = true;
    std::string problem; // why nothing was replaced
    std::vector<ReplacedFile> replaced;
    std::optional<std::string> backupFolder;
};

class RunTransaction {
public:
    // Stages a new version; a later one of the same file replaces it.
    void stage(std::string_view path, std::string bytes, SameContent same = {},
               bool keepFileTimes = false);
    // Stages the removal of a file.
    void stageRemoval(std::string_view path);
    bool empty() const { return staged_.empty(); }
    void discard() { staged_.clear(); }

    // Replaces the staged files of the component folder as one change; `run`
    // names what ran for the journal. The staging is empty afterwards.
    CommitOutcome commit(const std::filesystem::path& componentFolder, const std::string& run,
                         WallClock::time_point time);

private:
    struct Staged {
        std::string path;
        std::optional<std::string> bytes;
        SameContent same;
        bool keepFileTimes = false;
        std::filesystem::path named; // the file the path names when staged
    };
    // Stages the file in place of an earlier staging of the same file.
    void put(Staged file);

    std::vector<Staged> staged_;
};

// The test seam for a run killed between two replacements: when the
// environment holds ENGINEERING_CONFIG_KILL_AFTER_REPLACING=n, a commit stops
// the process at once, as a kill would, after n files were renamed into place
// (0: after the journal was written; the number of files: before the journal
// is marked complete).
inline constexpr const char* kKillAfterReplacingVariable =
    "ENGINEERING_CONFIG_KILL_AFTER_REPLACING";

} // namespace installation

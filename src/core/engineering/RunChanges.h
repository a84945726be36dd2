#pragma once
// How a run replaces the component's files and tells what it changed.
//
// The run owns one transaction (installation/RunTransaction.h): every file it
// writes (language file, databases, .int, .cfg) is staged there while it
// works and replaced together at its end, journalled and backed up in one
// folder under "backup/" (installation/RunJournal.h). A run that replaces
// nothing leaves no backup folder.
//
// The change report is appended to the executable base name +
// "_changes.txt" beside the error log, opened without following links and
// only when it is a regular file; otherwise it goes to standard error and
// the run ends with status 2. A dry run prints it on standard output
// instead, the same text but for the header's word.

#include "ChangeReport.h"
#include "FunctionLists.h"
#include "RunSummary.h"

#include "installation/RunTransaction.h"

#include <string>
#include <vector>

namespace run {
class ProgramState;
}

namespace engineering {

class RunChanges {
public:
    // Makes the transaction the program state's.
    explicit RunChanges(run::ProgramState& program);
    ~RunChanges();
    RunChanges(const RunChanges&) = delete;
    RunChanges& operator=(const RunChanges&) = delete;

    // Replaces the staged files as one change, then reports it. A commit
    // that fails changes nothing and ends the run (status 1).
    void commit(const ButtonArray& before, const ButtonArray& after,
                const presetdb::PresetTableReport* presets);
    // Replaces the staged files of a restore as one change and reports it
    // under the given first line.
    void commitRestore(const std::string& line);
    // Replaces the staged databases of a conversion (/CONVERT) as one change
    // and reports it; converted names the databases.
    void commitConversion(const std::vector<std::string>& converted);
    // Tells of interrupted runs that were rolled back before this one began.
    void reportRolledBack(const std::vector<installation::Journal>& journals);
    // Appends (or, in a dry run, prints) a report with this body; the change
    // happened at changedAt.
    void report(const std::vector<std::string>& body,
                installation::WallClock::time_point changedAt = installation::WallClock::now());

    installation::RunTransaction& transaction() { return transaction_; }
    const RunSummary& summary() const { return summary_; }
    std::string reportPath() const;
    const std::string& componentFolder() const { return componentFolder_; }

private:
    std::string header(installation::WallClock::time_point changedAt) const;
    installation::CommitOutcome commitStaged();

    run::ProgramState& program_;
    std::string componentFolder_;
    installation::RunTransaction transaction_;
    installation::WallClock::time_point changedAt_;
    RunSummary summary_;
};

} // namespace engineering

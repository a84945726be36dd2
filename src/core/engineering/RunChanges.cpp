#include "RunChanges.h"

#include "platform/FileSystem.h"
#include "platform/PlatformFiles.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace engineering {
namespace {

std::string startModeText(const run::ProgramState& program) {
    switch (program.request.action) {
    case run::RunAction::DryRun:
        return "dry run, nothing written";
    case run::RunAction::Restore:
        return "restore";
    case run::RunAction::Import:
        return "import";
    case run::RunAction::Convert:
        return "conversion";
    case run::RunAction::List:
    case run::RunAction::Export:
    case run::RunAction::Compare:
    case run::RunAction::Edit:
        break;
    }
    if (program.SilentMode)
        return "silent run";
    return program.StartModeIntegrated ? "integrated run" : "standalone run";
}

RunKind runKind(const run::ProgramState& program) {
    if (program.request.action == run::RunAction::Restore)
        return RunKind::Restore;
    if (program.request.action == run::RunAction::Import ||
        program.request.dryRunOf == run::RunAction::Import)
        return RunKind::Import;
    if (program.request.action == run::RunAction::Convert ||
        program.request.dryRunOf == run::RunAction::Convert)
        return RunKind::Conversion;
    if (program.SilentMode)
        return RunKind::Silent;
    return program.StartModeIntegrated ? RunKind::Integrated : RunKind::Standalone;
}

std::vector<int> changedButtons(const ButtonArray& before, const ButtonArray& after) {
    std::vector<int> buttons;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (!(before[i] == after[i]))
            buttons.push_back(int(i + 1));
    return buttons;
}

} // namespace

RunChanges::RunChanges(run::ProgramState& program)
    : program_(program), componentFolder_(program.executableFolder) {
    program.transaction = &transaction_;
    summary_.startMode = startModeText(program);
}

RunChanges::~RunChanges() {
    program_.transaction = nullptr;
}

installation::CommitOutcome RunChanges::commitStaged() {
    changedAt_ = installation::WallClock::now();
    installation::CommitOutcome outcome = transaction_.commit(
        platform::nativePath(componentFolder_), startModeText(program_), changedAt_);
    if (!outcome.ok) {
        run::Procedure procedure(program_, "CommitFiles");
        procedure.fatal(run::Failure(run::ErrPathFileAccess, outcome.problem));
    }
    summary_.files = outcome.replaced;
    summary_.backupFolder = outcome.backupFolder;
    return outcome;
}

void RunChanges::commitRestore(const std::string& line) {
    const installation::CommitOutcome outcome = commitStaged();
    std::vector<FileChange> files;
    for (const auto& file : outcome.replaced)
        files.push_back({file.name, !file.before.has_value()});
    report({line, files.empty() ? std::string(kNoChangesLine) : filesReplacedLine(files)},
           changedAt_);
}

void RunChanges::commitConversion(const std::vector<std::string>& converted) {
    const installation::CommitOutcome outcome = commitStaged();
    summary_.converted = converted;
    presetdb::PresetTableReport conversion;
    conversion.converted = converted;
    report(changeReportBody(conversion, outcome.replaced), changedAt_);
}

void RunChanges::commit(const ButtonArray& before, const ButtonArray& after,
                        const presetdb::PresetTableReport* presets) {
    const installation::CommitOutcome outcome = commitStaged();
    summary_.buttonsChanged = changedButtons(before, after);
    if (presets != nullptr) {
        summary_.presets = *presets;
        summary_.converted = presets->converted;
    }
    const presetdb::PresetTableReport none;
    report(changeReportBody(presets != nullptr ? *presets : none, outcome.replaced), changedAt_);
}

void RunChanges::reportRolledBack(const std::vector<installation::Journal>& journals) {
    std::vector<std::string> body;
    for (const installation::Journal& journal : journals) {
        std::string names;
        for (const auto& file : journal.files)
            names += (names.empty() ? "" : ", ") + file.name;
        const std::string line = "Interrupted run of " + journal.time + " (" + journal.run +
                                 ") rolled back: " + names + " put back";
        std::cerr << program_.executableBaseName << ": " << line << std::endl;
        summary_.rolledBack.push_back(journal.folder);
        body.push_back(line);
    }
    if (!body.empty())
        report(body);
}

std::string RunChanges::header(installation::WallClock::time_point changedAt) const {
    const bool dryRun = program_.request.action == run::RunAction::DryRun;
    return changeReportHeader({changedAt, runKind(program_), dryRun,
                               run::completionStatus(program_),
                               dryRun ? std::nullopt : summary_.backupFolder});
}

std::string RunChanges::reportPath() const {
    const fs::path log = platform::nativePath(run::errorLogPath(program_));
    return (log.parent_path() / (program_.executableBaseName + "_changes.txt")).string();
}

void RunChanges::report(const std::vector<std::string>& body,
                        installation::WallClock::time_point changedAt) {
    std::string bytes = changeReportBytes(header(changedAt), body);
    if (program_.request.action == run::RunAction::DryRun) {
        if (!program_.request.json)
            platform::writeToStandardOutput(bytes);
    } else if (const std::string path = reportPath(); !platform::appendToPlainFile(path, bytes)) {
        // Never through a link or into anything but a plain file of its own.
        run::LogError(program_, "Cannot write the change report " + path, false);
        program_.failureReported = true;
        program_.lastFailure =
            "the change report " + path + " is no plain file; the report went to standard error";
        // Its header tells the status the run now ends with.
        bytes = changeReportBytes(header(changedAt), body);
        std::cerr << platform::fromWindows1252(bytes) << std::flush;
    }
    summary_.report += platform::fromWindows1252(bytes);
}

} // namespace engineering

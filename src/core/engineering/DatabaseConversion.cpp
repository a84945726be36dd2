#include "DatabaseConversion.h"

#include "ConfigurationRun.h"

#include "installation/InstallationFiles.h"
#include "installation/RunFiles.h"
#include "platform/FileSystem.h"
#include "presetdb/AccessConversion.h"
#include "presetdb/DatabaseContent.h"
#include "presetdb/DatabaseFormat.h"
#include "run/ErrorProtocol.h"
#include "run/ProgramLocation.h"
#include "texts/ProgramMessages.h"

#include <utility>
#include <vector>

namespace engineering {
namespace {

std::string fileName(const std::string& path) {
    return platform::utf8Text(platform::nativePath(path).filename());
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// Converts one database in memory and stages its SQLite bytes; false when it
// is no Access file. A failure names the file (and the table).
bool stageConverted(run::ProgramState& program, const std::string& path, bool keepFileTimes) {
    if (!presetdb::isAccessFormat(presetdb::databaseFormatOf(path)))
        return false;
    std::string bytes = presetdb::convertAccessDatabase(path).bytes();
    if (!installation::replaceRunFile(program, path, std::move(bytes),
                                      presetdb::sameDatabaseContent, keepFileTimes))
        throw run::Failure(run::ErrPathFileAccess,
                           "Path/File access error: could not write '" + path + "'");
    return true;
}

} // namespace

int convertDatabases(ConfigurationRun& run, std::ostream& out) {
    run::ProgramState& program = run.program;
    run::Procedure procedure(program, "ConvertDatabases");
    const installation::InstallationFiles files =
        installation::componentFiles(run::installationFolder(program), run::GetOCXName(program));
    const std::pair<const std::string&, bool> databases[] = {{files.sourceDatabase, true},
                                                             {files.targetDatabase, false}};
    std::vector<std::string> converted;
    for (const auto& [path, keepFileTimes] : databases) {
        try {
            if (stageConverted(program, path, keepFileTimes))
                converted.push_back(fileName(path));
        } catch (const run::Failure& failure) {
            // Nothing staged is replaced when the run ends here.
            procedure.fatal(
                run::Failure(run::ErrDatabase, run.messages.text(texts::Message::ConvertFailed,
                                                                 {failure.description()})));
        }
    }
    if (converted.empty()) {
        out << run.messages.text(texts::Message::ConvertNothing,
                                 {fileName(files.sourceDatabase), fileName(files.targetDatabase)})
            << std::endl;
        return run::completionStatus(program);
    }
    run.changes.commitConversion(converted);
    if (program.request.action != run::RunAction::DryRun)
        out << run.messages.text(texts::Message::ConvertDone, {joined(converted)}) << std::endl;
    return run::completionStatus(program);
}

} // namespace engineering

#include "ButtonCommands.h"

#include "ButtonExport.h"
#include "ButtonTable.h"
#include "ConfigurationRun.h"
#include "OutputFile.h"

#include "installation/RunJournal.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/Version.h"

#include <algorithm>
#include <iostream>

namespace engineering {
namespace {

int written(ConfigurationRun& run, const std::string& path, std::string_view bytes) {
    if (const auto problem = writeOutputFile(path, bytes, run.messages)) {
        run.program.lastFailure = *problem;
        return run::ExitEndedByFailure;
    }
    return run::completionStatus(run.program);
}

std::string joined(const std::vector<std::string>& reasons) {
    std::string text;
    for (const std::string& reason : reasons)
        text += (text.empty() ? "" : "; ") + reason;
    return text;
}

} // namespace

int listButtons(ConfigurationRun& run) {
    run.load();
    const auto rows = buttonTable(run.lists);
    const std::string& path = run.program.request.actionPath;
    if (path.empty()) {
        // With --json standard output holds the summary alone.
        (run.program.request.json ? std::cerr : std::cout) << buttonTableText(rows) << std::flush;
        return run::completionStatus(run.program);
    }
    const bool csv = platform::endsWithIgnoreCase(path, ".csv");
    return written(run, path, csv ? buttonTableCsv(rows) : buttonTableText(rows));
}

int exportButtons(ConfigurationRun& run) {
    run.load();
    const ExportSource source{run.program.executableFolder,
                              installation::readableTime(installation::WallClock::now()),
                              run::kVersionText};
    return written(run, run.program.request.actionPath, exportFileBytes(run.lists, source));
}

int importButtons(ConfigurationRun& run) {
    run.load();
    run::ProgramState& program = run.program;
    const std::string& path = program.request.actionPath;
    const ImportedButtons imported =
        readExportFile(program, run.messages, path, program.request.keepSymbols);
    if (!imported.refusals.empty()) {
        run::Procedure procedure(program, "ImportButtons");
        procedure.fatal(run::Failure(
            run::ErrPathFileAccess,
            run.messages.text(texts::Message::CannotImport, {path, joined(imported.refusals)})));
    }
    for (EngineeringFunction function : imported.functions) {
        EngineeringFunction& target = run.lists.button(function.PSpecialKey);
        if (std::find(imported.missingSymbols.begin(), imported.missingSymbols.end(),
                      function.PSpecialKey) != imported.missingSymbols.end())
            function.PSymbolName = target.PSymbolName;
        function.PWhereICome = kWhereIComeEngineeringPicture;
        function.PStandard = target.PStandard;
        target = std::move(function);
    }
    PresetDatabaseUpdate update(run);
    run.commit(update);
    return run::completionStatus(program);
}

} // namespace engineering

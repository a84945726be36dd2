#include "PresetMessages.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

namespace presetdb {
namespace {

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string componentUpper(run::ProgramState& program) {
    return platform::upperCase(run::GetOCXName(program));
}

std::string lostColumnsWarning(const std::string& component, std::string_view lineBreak) {
    const std::string br(lineBreak);
    return "WARNING!" + br + "Machinecopy contains data in fields that won't be taken over!" + br +
           "Configurationfile " + inQuotes(component + ".CFG") + ", missing entry " +
           inQuotes("DataBaseAdditionalFields ") + br +
           "If you continue now this data will be lost." + br + "Continue?";
}

} // namespace

std::string accessSourceMessage(std::string_view sourcePath, std::string_view text) {
    // The panel's run time may still read Access files: converting on its own
    // would stop the panel, so the engineer is only told how to convert.
    std::string message(text.empty()
                            ? "%1 is an Access database, and this program rebuilds only SQLite "
                              "databases: /CONVERT converts the component's databases once the "
                              "panel's run time reads SQLite databases"
                            : text);
    if (const auto at = message.find("%1"); at != std::string::npos)
        message.replace(at, 2, platform::utf8Text(platform::nativePath(sourcePath)));
    return message;
}

std::string missingMachineCopyMessage(run::ProgramState& program, std::string_view targetPath) {
    const std::string crlf(run::kCrLf);
    return "Konnte die Datei:" + run::GetFileNameOnly(program, targetPath) +
           " in der Vorlage nicht finden!" + crlf + crlf +
           "Ist das Bild in der Vorlage noch nicht vorhanden (also neu)?" + crlf +
           "Dann ist diese Meldung völlig normal und es wird eine neue Datei mit den "
           "Standardwerten erzeugt.";
}

LostColumnsWarning lostColumnsWarning(run::ProgramState& program) {
    const std::string component = componentUpper(program);
    return {lostColumnsWarning(component, run::kLfCr), lostColumnsWarning(component, "")};
}

std::string lostColumnsStopText(run::ProgramState& program) {
    const std::string component = componentUpper(program);
    return program.executableBaseName + " :" + std::string(kContactAdministrator) +
           " Configurationprogram " + inQuotes(component) + " terminated." +
           " Please check Configuration in " + inQuotes(component + ".CFG") + " Restart " +
           platform::upperCase(program.executableFolder + std::string(run::kSeparator) +
                               program.executableBaseName + ".EXE!");
}

std::string columnConflictText(run::ProgramState& program, std::string_view missingColumn) {
    const std::string component = componentUpper(program);
    return "Conflict while attempting to extend database!" + std::string("Configurationsfile ") +
           inQuotes(component + ".CFG") + ", demanded field " +
           inQuotes(platform::upperCase(missingColumn)) + "missing in machinecopy-database" +
           std::string(run::kLfCr) + "Configuration of " + inQuotes(component) + " aborted.";
}

} // namespace presetdb

#include "PresetMessages.h"

#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

namespace presetdb {
namespace {

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string componentUpper(framework::ProgramState& program) {
    return framework::upperCase(framework::GetOCXName(program));
}

std::string lostColumnsWarning(const std::string& component, std::string_view lineBreak) {
    const std::string br(lineBreak);
    return "WARNING!" + br + "Machinecopy contains data in fields that won't be taken over!" + br +
           "Configurationfile " + quoted(component + ".CFG") + ", missing entry " +
           quoted("DataBaseAdditionalFields ") + br +
           "If you continue now this data will be lost." + br + "Continue?";
}

} // namespace

std::string missingMachineCopyMessage(framework::ProgramState& program,
                                      std::string_view targetPath) {
    const std::string crlf(framework::kCrLf);
    return "Konnte die Datei:" + framework::GetFileNameOnly(program, targetPath) +
           " in der Vorlage nicht finden!" + crlf + crlf +
           "Ist das Bild in der Vorlage noch nicht vorhanden (also neu)?" + crlf +
           "Dann ist diese Meldung völlig normal und es wird eine neue Datei mit den "
           "Standardwerten erzeugt.";
}

LostColumnsWarning lostColumnsWarning(framework::ProgramState& program) {
    const std::string component = componentUpper(program);
    return {lostColumnsWarning(component, framework::kLfCr), lostColumnsWarning(component, "")};
}

std::string lostColumnsStopText(framework::ProgramState& program) {
    const std::string component = componentUpper(program);
    return program.executableBaseName + " :" + std::string(kContactAdministrator) +
           " Configurationprogram " + quoted(component) + " terminated." +
           " Please check Configuration in " + quoted(component + ".CFG") + " Restart " +
           framework::upperCase(program.executableFolder + std::string(framework::kSeparator) +
                                program.executableBaseName + ".EXE!");
}

std::string columnConflictText(framework::ProgramState& program, std::string_view missingColumn) {
    const std::string component = componentUpper(program);
    return "Conflict while attempting to extend database!" + std::string("Configurationsfile ") +
           quoted(component + ".CFG") + ", demanded field " +
           quoted(framework::upperCase(missingColumn)) + "missing in machinecopy-database" +
           std::string(framework::kLfCr) + "Configuration of " + quoted(component) + " aborted.";
}

} // namespace presetdb

#include "PresetMessages.h"

#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/Text.h"

namespace presetdb {
namespace {

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string componentUpper() {
    return framework::upperCase(framework::GetOCXName());
}

std::string lostColumnsWarning(std::string_view lineBreak) {
    const std::string br(lineBreak);
    return "WARNING!" + br + "Machinecopy contains data in fields that won't be taken over!" + br +
           "Configurationfile " + quoted(componentUpper() + ".CFG") + ", missing entry " +
           quoted("DataBaseAdditionalFields ") + br +
           "If you continue now this data will be lost." + br + "Continue?";
}

} // namespace

std::string missingMachineCopyMessage(std::string_view targetPath) {
    const std::string crlf(framework::kCrLf);
    return "Konnte die Datei:" + framework::GetFileNameOnly(targetPath) +
           " in der Vorlage nicht finden!" + crlf + crlf +
           "Ist das Bild in der Vorlage noch nicht vorhanden (also neu)?" + crlf +
           "Dann ist diese Meldung völlig normal und es wird eine neue Datei mit den "
           "Standardwerten erzeugt.";
}

std::string lostColumnsWarning() {
    return lostColumnsWarning(framework::kLfCr);
}

std::string lostColumnsWarningSilent() {
    return lostColumnsWarning("");
}

std::string lostColumnsStopText() {
    const std::string component = componentUpper();
    return framework::executableBaseName() + " :" + std::string(kContactAdministrator) +
           " Configurationprogram " + quoted(component) + " terminated." +
           " Please check Configuration in " + quoted(component + ".CFG") + " Restart " +
           framework::upperCase(framework::executableFolder() + std::string(framework::kSeparator) +
                                framework::executableBaseName() + ".EXE!");
}

std::string columnConflictText(std::string_view missingColumn) {
    const std::string component = componentUpper();
    return "Conflict while attempting to extend database!" + std::string("Configurationsfile ") +
           quoted(component + ".CFG") + ", demanded field " +
           quoted(framework::upperCase(missingColumn)) + "missing in machinecopy-database" +
           std::string(framework::kLfCr) + "Configuration of " + quoted(component) + " aborted.";
}

} // namespace presetdb

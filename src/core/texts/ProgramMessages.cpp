#include "ProgramMessages.h"

#include "LanguageTexts.h"

#include "ini/ProfileFiles.h"
#include "platform/FileSystem.h"
#include "run/IniAccess.h"

namespace texts {
namespace {

using enum Message;

constexpr std::string_view kGerman = "1031";

constexpr std::array<MessageRow, std::size_t(Count)> kMessages = {{
    {LockBusy, "MsgLockBusy", "another run is editing this installation",
     "ein anderer Programmlauf bearbeitet diese Installation"},
    {LockWait, "MsgLockWait", "waiting up to %1 s for another run of this installation",
     "warte bis zu %1 s auf einen anderen Programmlauf dieser Installation"},
    {LockFailed, "MsgLockFailed", "cannot lock this installation: %1",
     "diese Installation kann nicht gesperrt werden: %1"},
    {NoDisplay, "MsgNoDisplay",
     "No display to show the window on; use /EXTERNAL SILENT to run without one.",
     "Kein Bildschirm, um das Fenster zu zeigen; mit /EXTERNAL SILENT l\u00e4uft das Programm "
     "ohne Fenster."},
    {NoWindowModule, "MsgNoWindowModule",
     "The window module cannot be loaded (%1); use /EXTERNAL SILENT to run without a window.",
     "Das Fenstermodul kann nicht geladen werden (%1); mit /EXTERNAL SILENT l\u00e4uft das "
     "Programm ohne Fenster."},
    {NoHelp, "MsgNoHelp", "There is no help for this control.",
     "F\u00fcr dieses Element gibt es keine Hilfe."},
    {DryRunNoCopy, "MsgDryRunNoCopy", "cannot copy the installation for a dry run",
     "die Installation kann f\u00fcr einen Probelauf nicht kopiert werden"},
    {CannotImport, "MsgCannotImport", "Cannot import %1: %2; nothing was changed",
     "%1 kann nicht importiert werden: %2; nichts wurde ge\u00e4ndert"},
    {ImportUnreadable, "MsgImportUnreadable", "it cannot be read",
     "die Datei kann nicht gelesen werden"},
    {ImportNoExport, "MsgImportNoExport",
     "it is no export of this program (no [Export] section with a checksum first)",
     "die Datei ist kein Export dieses Programms (kein Abschnitt [Export] mit Pr\u00fcfsumme "
     "am Anfang)"},
    {ImportChecksum, "MsgImportChecksum",
     "its checksum does not match its functions: it was changed or damaged",
     "die Pr\u00fcfsumme passt nicht zu den Funktionen: die Datei wurde ge\u00e4ndert oder "
     "besch\u00e4digt"},
    {ImportButtonRange, "MsgImportButtonRange", "%1 names button %2, not one of 1 to 48",
     "%1 nennt die Taste %2, keine von 1 bis 48"},
    {ImportButtonTwice, "MsgImportButtonTwice", "%1 names button %2 a second time",
     "%1 nennt die Taste %2 ein zweites Mal"},
    {ImportNoSymbol, "MsgImportNoSymbol",
     "button %1: this installation has no symbol %2 (/KEEPSYMBOLS keeps its own)",
     "Taste %1: diese Installation hat kein Symbol %2 (/KEEPSYMBOLS beh\u00e4lt das eigene)"},
    {OutputLink, "MsgOutputLink", "cannot write %1: a link stands in its place",
     "%1 kann nicht geschrieben werden: an seiner Stelle steht ein Verweis"},
    {OutputNotWritten, "MsgOutputNotWritten", "cannot write %1",
     "%1 kann nicht geschrieben werden"},
    {CompareOtherLocked, "MsgCompareOtherLocked", "cannot read %1: %2",
     "%1 kann nicht gelesen werden: %2"},
    {AccessSource, "MsgAccessSource",
     "%1 is an Access database, and this program rebuilds only SQLite databases: /CONVERT "
     "converts the component's databases once the panel's run time reads SQLite databases",
     "%1 ist eine Access-Datenbank, und dieses Programm baut nur SQLite-Datenbanken neu auf: "
     "/CONVERT wandelt die Datenbanken der Komponente um, sobald die Laufzeit des Panels "
     "SQLite-Datenbanken liest"},
    {ConvertNothing, "MsgConvertNothing",
     "Nothing to convert: neither %1 nor %2 is an Access database.",
     "Nichts umzuwandeln: weder %1 noch %2 ist eine Access-Datenbank."},
    {ConvertDone, "MsgConvertDone", "Converted to SQLite: %1; /RESTORE puts the Access files back.",
     "Nach SQLite umgewandelt: %1; /RESTORE stellt die Access-Dateien wieder her."},
    {ConvertFailed, "MsgConvertFailed", "%1; nothing was converted",
     "%1; nichts wurde umgewandelt"},
    {Interrupted, "MsgInterrupted",
     "a run in %1 was interrupted while it replaced files; the next run that changes the "
     "installation puts them back, nothing was read",
     "ein Programmlauf in %1 wurde beim Ersetzen von Dateien unterbrochen; der n\u00e4chste "
     "Programmlauf, der die Installation \u00e4ndert, stellt sie wieder her, nichts wurde "
     "gelesen"},
}};

constexpr bool inEnumerationOrder() {
    for (std::size_t i = 0; i < kMessages.size(); ++i)
        if (std::size_t(kMessages[i].message) != i || kMessages[i].key.empty())
            return false;
    return true;
}
static_assert(inEnumerationOrder(), "one row per message, in the enumeration's order");

} // namespace

ProgramMessages::ProgramMessages() {
    for (const MessageRow& row : kMessages)
        texts_[std::size_t(row.message)] = row.english;
}

ProgramMessages::ProgramMessages(std::string_view language, const ini::IniDocument& file) {
    const bool german = language == kGerman;
    for (const MessageRow& row : kMessages) {
        std::string text = run::LoadIniString(language, row.key, file);
        if (text.empty() || text == "0")
            text = german ? row.german : row.english;
        texts_[std::size_t(row.message)] = std::move(text);
    }
}

const std::string& ProgramMessages::text(Message message) const {
    return texts_.at(std::size_t(message));
}

std::string ProgramMessages::text(Message message,
                                  std::initializer_list<std::string_view> values) const {
    const std::string& pattern = text(message);
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                                 pattern[i + 1] >= '1' && pattern[i + 1] <= '9' &&
                                 std::size_t(pattern[i + 1] - '1') < values.size();
        if (!placeholder) {
            result += pattern[i];
            continue;
        }
        result += *(values.begin() + (pattern[i + 1] - '1'));
        ++i;
    }
    return result;
}

const std::array<MessageRow, std::size_t(Message::Count)>& messageTable() {
    return kMessages;
}

ProgramMessages readProgramMessages(std::string_view executableFolder,
                                    std::string_view executableBaseName,
                                    ini::ProfileCache& profiles) {
    const std::string file = languageFilePath(executableFolder, executableBaseName);
    if (platform::probeFile(file) != platform::FileKind::Readable)
        return {};
    const ini::IniDocument* document = profiles.document(file);
    if (document == nullptr)
        return {};
    return {run::LoadIniString("Language", "Language", *document), *document};
}

std::string lockWaitMessage(const ProgramMessages& messages, std::string_view holder,
                            std::chrono::milliseconds wait) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(wait).count();
    std::string message = messages.text(Message::LockWait, {std::to_string(seconds)});
    if (!holder.empty())
        message += " (" + std::string(holder) + ")";
    return message;
}

} // namespace texts

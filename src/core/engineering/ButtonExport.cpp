#include "ButtonExport.h"

#include "ButtonOrigins.h"
#include "ButtonPictures.h"
#include "FunctionSection.h"
#include "StoredFunctionFile.h"
#include "SymbolNames.h"

#include "ini/IniDocument.h"
#include "platform/FileSystem.h"
#include "platform/Sha256.h"
#include "platform/Windows1252Text.h"
#include "run/ProgramLocation.h"
#include "texts/ProgramMessages.h"

#include <set>

namespace engineering {
namespace {

std::string headerLine(std::string_view key, std::string_view utf8) {
    return std::string(key) + "=" + platform::toWindows1252(utf8) + "\r\n";
}

} // namespace

std::string exportFileBytes(const FunctionLists& lists, const ExportSource& source) {
    ButtonArray differing{};
    for (int button = 1; button <= kButtonCount; ++button)
        if (!sameAsCatalogue(lists, button))
            differing[std::size_t(button - 1)] = lists.button(button);
    ini::IniDocument sections;
    writeStoredFunctions(sections, differing, 0);
    const std::string functions = sections.bytes();
    return "[" + std::string(kExportSection) + "]\r\n" + headerLine("Source", source.folder) +
           headerLine("Time", source.time) + headerLine("Version", source.version) +
           headerLine("Checksum", platform::sha256Hex(functions)) + functions;
}

std::optional<std::string_view> exportedSections(std::string_view bytes) {
    const std::string header = "[" + std::string(kExportSection) + "]";
    if (!bytes.starts_with(header))
        return std::nullopt;
    const std::size_t next = bytes.find("\n[");
    return next == std::string_view::npos ? std::string_view() : bytes.substr(next + 1);
}

ImportedButtons readExportFile(run::ProgramState& program, const texts::ProgramMessages& messages,
                               const std::string& path, bool keepSymbols) {
    using texts::Message;
    ImportedButtons imported;
    const auto bytes = platform::readFileBytes(path);
    const auto sections = bytes ? exportedSections(*bytes) : std::nullopt;
    const auto checksum =
        sections ? ini::IniDocument::parse(*bytes).value(kExportSection, "Checksum") : std::nullopt;
    if (!bytes)
        imported.refusals.push_back(messages.text(Message::ImportUnreadable));
    else if (!sections || !checksum)
        imported.refusals.push_back(messages.text(Message::ImportNoExport));
    else if (platform::sha256Hex(*sections) != *checksum)
        imported.refusals.push_back(messages.text(Message::ImportChecksum));
    if (!imported.refusals.empty())
        return imported;

    const std::string folder = run::installationFolder(program);
    std::set<int> buttons;
    for (int n = 1;; ++n) {
        auto function = readFunctionSection(program, "Function" + std::to_string(n), path, true);
        if (!function)
            break;
        const int button = function->PSpecialKey;
        const std::string section = "[Function" + std::to_string(n) + "]";
        if (button < 1 || button > kButtonCount) {
            imported.refusals.push_back(
                messages.text(Message::ImportButtonRange, {section, std::to_string(button)}));
            continue;
        }
        if (!buttons.insert(button).second)
            imported.refusals.push_back(
                messages.text(Message::ImportButtonTwice, {section, std::to_string(button)}));
        function->PSymbolName = memorySymbolName(function->PSymbolName);
        const std::string picture = buttonPicturePath(folder, *function);
        if (!picture.empty() && !platform::fileExists(picture)) {
            if (keepSymbols)
                imported.missingSymbols.push_back(button);
            else
                imported.refusals.push_back(messages.text(
                    Message::ImportNoSymbol,
                    {std::to_string(button), storedSymbolName(function->PSymbolName)}));
        }
        imported.functions.push_back(std::move(*function));
    }
    return imported;
}

} // namespace engineering

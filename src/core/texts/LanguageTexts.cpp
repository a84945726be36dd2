#include "LanguageTexts.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/IniAccess.h"
#include "framework/Logs.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/RunFiles.h"
#include "framework/Text.h"

namespace dialogs {
namespace {

using framework::IniDocument;
using framework::LoadIniString;
using framework::SaveIni;

bool hasText(const std::string& value) {
    return !value.empty() && value != "0";
}

bool hasCaption(const ControlEntry& control) {
    const std::string kind = framework::upperCase(control.kind);
    return kind == "LABEL" || kind == "COMMANDBUTTON" || kind == "CHECKBOX";
}

void applyTexts(framework::ProgramState& program, ControlEntry& control, const std::string& key,
                const std::string& language, IniDocument& texts) {
    if (hasCaption(control)) {
        const std::string captionKey = "Caption_" + key;
        const std::string caption = LoadIniString(language, captionKey, texts);
        if (hasText(caption))
            control.caption = caption;
        else if (language != kDefaultLanguage)
            SaveIni(program, std::string("0"), language, captionKey, texts);
        else
            SaveIni(program, control.caption, kDefaultLanguage, captionKey, texts);

        if (control.helpId != 0) {
            const std::string helpKey = "Help" + std::to_string(control.helpId);
            const std::string help = LoadIniString(language, helpKey, texts);
            program.HelpTexts.at(std::size_t(control.helpId - 1)) = help;
            if (!hasText(help))
                SaveIni(program, std::string("0"), language, helpKey, texts);
        }
    }

    if (framework::findIgnoreCase(control.tag, "NOTTT") == std::string_view::npos) {
        const std::string toolTipKey = "TTT_" + key;
        const std::string toolTip = LoadIniString(language, toolTipKey, texts);
        if (hasText(toolTip))
            control.toolTip = toolTip;
        else
            SaveIni(program, std::string("0"), language, toolTipKey, texts);
    }
}

// The language code of the texts; "1031" set when there is none.
std::string languageOf(framework::ProgramState& program, IniDocument& texts) {
    std::string language = LoadIniString("Language", "Language", texts);
    if (language.empty()) {
        language = kDefaultLanguage;
        SaveIni(program, language, "Language", "Language", texts);
    }
    return language;
}

// The language file's texts, or nothing (reported) when it exists but cannot
// be read: it is then neither used nor written.
std::optional<IniDocument> readableTexts(framework::ProgramState& program,
                                         const std::string& file) {
    if (framework::probeFile(file) == framework::FileKind::Unreadable) {
        framework::ReportFault(program, "File '" + file +
                                            "' cannot be read: the built-in texts are shown and "
                                            "the file is left as it is");
        return std::nullopt;
    }
    return framework::loadIniDocument(file);
}

void store(framework::ProgramState& program, const std::string& file, const IniDocument& before,
           const IniDocument& texts) {
    if (texts == before)
        return;
    if (framework::storeRunIniDocument(program, file, texts))
        return;
    framework::ReportFault(program, "File '" + file + "' cannot be written");
}

} // namespace

std::string languageFilePath(const framework::ProgramState& program) {
    return program.executableFolder + std::string(framework::kSeparator) +
           program.executableBaseName + ".ini";
}

std::string GetLanguage(framework::ProgramState& program) {
    framework::Procedure procedure(program, "GetLanguage");
    std::string language = kDefaultLanguage;
    procedure.step([&] {
        const std::string file = languageFilePath(program);
        auto texts = readableTexts(program, file);
        if (!texts)
            return;
        const IniDocument before = *texts;
        language = languageOf(program, *texts);
        store(program, file, before, *texts);
    });
    return language;
}

void LoadToolTipTexts(framework::ProgramState& program, ControlTable& controls) {
    const std::string file = languageFilePath(program);
    std::optional<IniDocument> loaded;
    std::string language = kDefaultLanguage;
    framework::Procedure procedure(program, "GetLanguage");
    procedure.step([&] { loaded = readableTexts(program, file); });
    // An unreadable file reads as empty, so every control keeps its built-in
    // texts; the keys set below are then dropped.
    const IniDocument before = loaded.value_or(IniDocument{});
    IniDocument texts = before;
    procedure.step([&] { language = languageOf(program, texts); });

    const std::size_t count = controls.size();
    for (std::size_t i = 0; i < count; ++i) {
        framework::Procedure perControl(program, "LoadToolTipTexts",
                                        framework::Procedure::OnFailure::SkipSilently);
        perControl.step(
            [&] { applyTexts(program, controls[i], textKey(controls, i), language, texts); });
    }
    if (loaded)
        store(program, file, before, texts);
}

} // namespace dialogs
